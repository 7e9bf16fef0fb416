#include "buttons/button_windows.h"

#include "buttons/button_table.h"
#include "buttons/highlight.h"
#include "commands/installed_state.h"
#include "media/resource_ids.h"
#include "media/resource_strings.h"
#include "shell/launcher_state.h"
#include "shell/launcher_wndproc.h"
#include "shell/screen_scale.h"

namespace {

constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
static_assert(kButtonStyle == 0x5001000B, "the buttons' style");
constexpr int kClassNameSize = 64;
constexpr LPARAM kKeyWasDown = 1 << 30;  // a key-down's previous key state

// The name is the button's window text, which screen readers read out; the button is
// owner-drawn, so nothing ever paints it. Without its string the button stays nameless.
HWND CreateButtonWindow(HWND parent, const wchar_t* className, const ButtonRecord& button) {
  wchar_t name[kButtonNameSize] = L"";
  const bool named = LoadStateString(NameStringIdOf(button.id), InstalledNameStringIdOf(button.id),
                                     name, kButtonNameSize) > 0;
  return CreateWindowExW(0, className, named ? name : nullptr, kButtonStyle,
                         ScaleToDpi(button.x, state.dpi), ScaleToDpi(button.y, state.dpi),
                         ButtonSide(button), ButtonSide(button), parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)),
                         state.instance, nullptr);
}

// Every button is of the one class, so each install returns the same procedure. A failed
// install returns null; that must not replace the procedure the other buttons pass on to,
// and the button it failed on simply stays a plain owner-drawn button.
void Subclass(HWND button) {
  const LONG_PTR original = SetWindowLongPtrW(button, GWLP_WNDPROC,
                                             reinterpret_cast<LONG_PTR>(ButtonSubclassProc));
  if (original != 0) state.buttonOriginalProc = reinterpret_cast<WNDPROC>(original);
}

}  // namespace

int ButtonSide(const ButtonRecord& button) { return ScaleToDpi(button.size, state.dpi); }

void PlaceButtons(HWND parent) {
  for (const ButtonRecord& row : buttonTable) {
    HWND button = row.enabled ? GetDlgItem(parent, row.id) : nullptr;
    if (button == nullptr) continue;
    SetWindowPos(button, nullptr, ScaleToDpi(row.x, state.dpi), ScaleToDpi(row.y, state.dpi),
                 ButtonSide(row), ButtonSide(row), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// Made in the table's order, which is the Tab order.
int CreateButtons(HWND parent) {
  // The class name comes from the string table; when it is missing or unreadable the
  // name stays empty and no button can be made.
  wchar_t className[kClassNameSize] = L"";
  LoadCheckedStringW(kButtonClassStringId, className, kClassNameSize - 1);
  int allCreated = 1;
  const ButtonRecord* first = nullptr;
  for (const ButtonRecord& row : buttonTable) {
    if (!row.enabled) continue;
    if (first == nullptr) first = &row;
    HWND button = CreateButtonWindow(parent, className, row);
    if (button == nullptr) {
      allCreated = 0;
      continue;
    }
    Subclass(button);
    // The first button there is holds the focus, and is the one it comes back to.
    if (&row != first) continue;
    state.lastButtonId = row.id;
    SetFocus(button);
  }
  return allCreated;
}

LRESULT CALLBACK ButtonSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // The button class never sees the keys that move the highlight, nor Esc.
  if (message == WM_KEYDOWN && OnButtonMoveKey(hwnd, wParam)) return 0;
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
    ExitLauncher();
    return 0;
  }
  // Enter presses the button exactly as Space does, by the button class's own handling of
  // Space: the pressed frame while held, the command once when let go. A held key repeats
  // its key-down; the button is pressed already, and some button classes would draw the
  // pressed frame and play its sound again on every repeat.
  const bool pressKey = wParam == VK_SPACE || wParam == VK_RETURN;
  if (message == WM_KEYDOWN && pressKey && (lParam & kKeyWasDown)) return 0;
  if ((message == WM_KEYDOWN || message == WM_KEYUP) && wParam == VK_RETURN) wParam = VK_SPACE;
  if (message == WM_MOUSEMOVE) OnButtonMouseMove(hwnd);
  return CallWindowProcW(state.buttonOriginalProc, hwnd, message, wParam, lParam);
}

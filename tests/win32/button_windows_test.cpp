// The buttons as windows: how they are made, what happens when they can't be, and the
// release of their bitmaps.
#include <gtest/gtest.h>

#include "buttons/button_table.h"
#include "buttons/button_windows.h"
#include "launcher_fixture.h"
#include "shell/launcher_names.h"

namespace {

HINSTANCE ThisModule() { return GetModuleHandleA(nullptr); }

RECT ChildRect(HWND child) {
  RECT r = WindowRectOf(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST(ButtonWindows, EachIsASubclassedOwnerDrawnChildAtItsPlaceInTabOrder) {
  PrepareLauncher();
  HWND launcher = LoadArtAndOpen();
  ASSERT_NE(nullptr, launcher);
  const POINT places[] = {{217, 109}, {242, 162}, {193, 203}, {248, 42}};
  HWND child = GetWindow(launcher, GW_CHILD);
  for (int row = 0; row < 4; ++row, child = GetWindow(child, GW_HWNDNEXT)) {
    ASSERT_NE(nullptr, child) << "row " << row;
    EXPECT_EQ(201 + row, GetDlgCtrlID(child)) << "created in row order";
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    EXPECT_EQ(0, lstrcmpiA("BUTTON", className));
    EXPECT_EQ(0x5001000B, GetWindowLongA(child, GWL_STYLE));
    const RECT r = ChildRect(child);
    EXPECT_EQ(places[row].x, r.left);
    EXPECT_EQ(places[row].y, r.top);
    EXPECT_EQ(42, r.right - r.left);
    EXPECT_EQ(42, r.bottom - r.top);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(ButtonSubclassProc),
              GetWindowLongPtrW(child, GWLP_WNDPROC));
  }
  EXPECT_EQ(nullptr, child) << "nothing but the four buttons";
  EXPECT_NE(nullptr, state.buttonOriginalProc);
  EXPECT_EQ(GetClassLongPtrW(GetDlgItem(launcher, 201), GCLP_WNDPROC),
            reinterpret_cast<ULONG_PTR>(state.buttonOriginalProc))
      << "the button class's own procedure";
  EXPECT_EQ(GetDlgItem(launcher, 201), GetFocus());
  EXPECT_EQ(0, GetWindowLongPtrA(launcher, GWLP_USERDATA));
}

TEST(ButtonWindows, ARowThatIsNotEnabledGetsNoWindowAndNoFace) {
  PrepareLauncher();
  buttonTable[1].enabled = 0;
  HWND launcher = LoadArtAndOpen();
  ASSERT_NE(nullptr, launcher);
  EXPECT_EQ(nullptr, GetDlgItem(launcher, 202));
  EXPECT_EQ(nullptr, buttonTable[1].faceBitmap);
  EXPECT_NE(nullptr, GetDlgItem(launcher, 203));
  EXPECT_EQ(GetDlgItem(launcher, 203), GetNextDlgTabItem(launcher, GetDlgItem(launcher, 201), FALSE));
}

// Refuses, through the platform's own creation hook, to make the child with one id, and
// notes the children it lets through.
class RefuseChild {
 public:
  explicit RefuseChild(int id) {
    refusedId_ = id;
    made_.clear();
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~RefuseChild() { UnhookWindowsHookEx(hook_); }
  RefuseChild(const RefuseChild&) = delete;
  RefuseChild& operator=(const RefuseChild&) = delete;

  const std::vector<HWND>& ChildrenMade() const { return made_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
      const bool child = (create->style & (WS_CHILD | WS_POPUP)) == WS_CHILD;
      if (child && create->hMenu == reinterpret_cast<HMENU>(refusedId_)) return 1;
      if (child) made_.push_back(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline int refusedId_ = 0;
  static inline std::vector<HWND> made_;
  HHOOK hook_;
};

TEST(ButtonWindows, WhenOneCannotBeMadeTheOthersStillAreAndCreationFails) {
  PrepareLauncher();
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 360, 360, nullptr, nullptr,
                                ThisModule(), nullptr);
  ASSERT_NE(nullptr, parent);
  RefuseChild refuse(202);
  EXPECT_EQ(0, CreateButtons(parent));
  EXPECT_NE(nullptr, GetDlgItem(parent, 201));
  EXPECT_EQ(nullptr, GetDlgItem(parent, 202));
  EXPECT_NE(nullptr, GetDlgItem(parent, 203));
  EXPECT_NE(nullptr, GetDlgItem(parent, 204));
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(ButtonSubclassProc),
            GetWindowLongPtrW(GetDlgItem(parent, 204), GWLP_WNDPROC));
  DestroyWindow(parent);
}

bool QuitIsPosted() {
  MSG msg;
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

// Windows sends WM_DESTROY to a window whose WM_CREATE fails, which releases the art and
// posts the quit; Wine sends only WM_NCDESTROY, so there the art stays until the process
// ends a moment later.
void ExpectArtLeftAsWineLeavesIt() {
  EXPECT_NE(nullptr, state.background) << "Wine: no WM_DESTROY after a failed WM_CREATE";
  EXPECT_FALSE(QuitIsPosted()) << "Wine: no WM_DESTROY after a failed WM_CREATE";
}

TEST(Startup, ExitsWith2WhenAButtonCannotBeMade) {
  seam::Install();
  RefuseChild refuse(203);
  EXPECT_EQ(kExitNoWindow, RunLauncher(ThisModule()));
  EXPECT_EQ(nullptr, FindWindowW(kClassName, nullptr)) << "the launcher window wasn't made";
  ASSERT_EQ(3u, refuse.ChildrenMade().size()) << "201, 202 and 204 were made";
  for (HWND button : refuse.ChildrenMade()) EXPECT_FALSE(IsWindow(button)) << "gone with it";
  EXPECT_EQ((std::vector<std::string>{}), seam::soundLog) << "no transition ran";
  ExpectArtLeftAsWineLeavesIt();
}

// A real module with the launcher's pictures but no string table: the buttons' class name
// can't be read.
TEST(Startup, ExitsWith2WhenTheButtonsClassNameIsMissing) {
  seam::Install();
  HMODULE art = LoadLibraryA("art_without_strings.dll");
  ASSERT_NE(nullptr, art);
  ASSERT_NE(nullptr, FindResourceA(art, MAKEINTRESOURCEA(199), MAKEINTRESOURCEA(2)));
  char text[64];
  ASSERT_EQ(0, LoadStringA(art, 1000, text, sizeof text));
  RefuseChild watch(0);  // refuses nothing
  EXPECT_EQ(kExitNoWindow, RunLauncher(art));
  EXPECT_EQ(nullptr, FindWindowW(kClassName, nullptr));
  EXPECT_TRUE(watch.ChildrenMade().empty()) << "no button could be made";
  ExpectArtLeftAsWineLeavesIt();
}

TEST(ReleaseBitmapPair, DeletesBothHandlesOnceAndSkipsNullOnes) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
  ReleaseDC(nullptr, screen);
  struct {
    WORD version, count;
    PALETTEENTRY entries[1];
  } one = {0x300, 1, {{1, 2, 3, 0}}};
  HPALETTE palette = CreatePalette(reinterpret_cast<LOGPALETTE*>(&one));
  ButtonRecord record = {1, bitmap, palette, 217, 109};
  ReleaseBitmapPair(record);
  EXPECT_EQ(0u, GetObjectType(bitmap));
  EXPECT_EQ(0u, GetObjectType(palette));
  EXPECT_EQ(nullptr, record.faceBitmap);
  EXPECT_EQ(nullptr, record.facePalette);
  ReleaseBitmapPair(record);  // nothing left to delete
  EXPECT_EQ(217, record.x);
}

}  // namespace

// No GDI object outlives the button draws and highlight moves that made it.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "live_launcher.h"
#include "shell/platform_seam.h"
#include "tools/bench/private_bytes.h"

namespace {

// Every live GDI object of the process, counted by type. Wine keeps its GDI objects in one
// table of 65536 slots, and GetObjectType answers for whatever object holds a slot when
// asked with the slot number alone, so every object is found whoever made it.
std::map<DWORD, int> LiveGdiObjects() {
  std::map<DWORD, int> count;
  for (UINT_PTR slot = 1; slot < 0x10000; ++slot) {
    const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(slot));
    if (type != 0) ++count[type];
  }
  return count;
}

std::string Describe(const std::map<DWORD, int>& count) {
  static const std::map<DWORD, const char*> names = {
      {OBJ_PEN, "pens"},       {OBJ_BRUSH, "brushes"}, {OBJ_DC, "DCs"},       {OBJ_PAL, "palettes"},
      {OBJ_FONT, "fonts"},     {OBJ_BITMAP, "bitmaps"}, {OBJ_REGION, "regions"}, {OBJ_MEMDC, "memory DCs"},
      {OBJ_EXTPEN, "ext pens"}};
  std::string text;
  for (const auto& [type, n] : count) {
    const auto name = names.find(type);
    text += std::to_string(n) + " " + (name != names.end() ? name->second : "others") + ", ";
  }
  return text;
}

// Counts the draw requests the launcher answers.
class DrawCounter {
 public:
  DrawCounter() {
    draws_ = 0;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
  }
  ~DrawCounter() { UnhookWindowsHookEx(hook_); }
  DrawCounter(const DrawCounter&) = delete;
  DrawCounter& operator=(const DrawCounter&) = delete;
  int Draws() const { return draws_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == WM_DRAWITEM)
      ++draws_;
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline int draws_ = 0;
  HHOOK hook_;
};

class GdiObjects : public LiveLauncher {
 protected:
  // One round of everything that makes the buttons draw.
  void Exercise() {
    for (const char* event :
         {"mouse 201", "mouse 202", "mouse 203", "mouse 204", "mouse picture", "tab launcher",
          "tab 201", "tab 202", "shift-tab 203", "press 202", "drag-off 202", "drag-on 202",
          "drag-off 202", "release-off 202", "activate 0", "activate 1", "repaint 203"}) {
      Do(event);
      PumpMessages();
    }
  }
};

TEST_F(GdiObjects, TheCountSeesEveryObjectMade) {
  const std::map<DWORD, int> before = LiveGdiObjects();
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmaps[3];
  for (HBITMAP& b : bitmaps) b = CreateCompatibleBitmap(screen, 4, 4);
  ReleaseDC(nullptr, screen);
  std::map<DWORD, int> after = LiveGdiObjects();
  EXPECT_EQ(before.at(OBJ_BITMAP) + 3, after[OBJ_BITMAP]);
  EXPECT_EQ(before.count(OBJ_MEMDC) ? before.at(OBJ_MEMDC) + 1 : 1, after[OBJ_MEMDC]);
  for (HBITMAP b : bitmaps) DeleteObject(b);
  DeleteDC(memory);
  EXPECT_EQ(Describe(before), Describe(LiveGdiObjects()));
}

TEST_F(GdiObjects, HundredsOfDrawsAndHighlightMovesLeaveNothingBehind) {
  Exercise();  // anything the platform makes once and keeps is made now
  const std::map<DWORD, int> before = LiveGdiObjects();
  DrawCounter counter;
  for (int round = 0; round < 20; ++round) Exercise();
  ASSERT_LT(300, counter.Draws());
  EXPECT_EQ(Describe(before), Describe(LiveGdiObjects())) << "after " << counter.Draws() << " draws";
}

BOOL WINAPI SilentPlay(LPCSTR, UINT) { return TRUE; }
BOOL WINAPI SilentStop(LPCSTR, HMODULE, DWORD) { return TRUE; }

// The benchmark's round: highlight moves with the pointer alternating between two buttons,
// then full draws of a button.
void MoveAndDraw(HWND first, HWND second, int times) {
  for (int i = 0; i < times; ++i) {
    SendMessageA(i % 2 ? first : second, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    PumpMessages();
  }
  for (int i = 0; i < times; ++i) {
    InvalidateRect(first, nullptr, FALSE);
    UpdateWindow(first);
  }
  PumpMessages();
}

// A long session: after a first round, ten thousand highlight moves and draws make no
// GDI object and no memory that stays.
TEST_F(GdiObjects, TenThousandHighlightMovesAndDrawsKeepObjectsAndMemoryFlat) {
  platform.sndPlaySound = SilentPlay;  // a log of 10,000 sounds would grow by itself
  platform.stopSounds = SilentStop;
  MoveAndDraw(Button(201), Button(202), 1000);
  const std::map<DWORD, int> objectsBefore = LiveGdiObjects();
  const SIZE_T bytesBefore = PrivateBytes();
  DrawCounter counter;
  MoveAndDraw(Button(201), Button(202), 10000);
  const std::map<DWORD, int> objectsAfter = LiveGdiObjects();
  const SIZE_T bytesAfter = PrivateBytes();
  std::printf("GDI objects %s before, %s after %d draws; private bytes %lu before, %lu after\n",
              Describe(objectsBefore).c_str(), Describe(objectsAfter).c_str(), counter.Draws(),
              static_cast<unsigned long>(bytesBefore), static_cast<unsigned long>(bytesAfter));
  ASSERT_LE(20000, counter.Draws()) << "every move and every repaint draws";
  EXPECT_EQ(Describe(objectsBefore), Describe(objectsAfter));
  // Flat: what the heap may round up by, far below what one object per draw would take.
  EXPECT_LT(static_cast<double>(bytesAfter), bytesBefore + 64.0 * 1024);
}

}  // namespace

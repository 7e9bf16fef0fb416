// A brand's launcher in three languages (languages.rc), and a brand with its own design
// (layout.rc).
#include <gtest/gtest.h>

#include "buttons/button_table.h"
#include "buttons/current_layout.h"
#include "launcher_fixture.h"
#include "media/bitmap_loader.h"
#include "media/resource_language.h"
#include "media/scaled_art.h"
#include "shell/platform_seam.h"
#include "shell/single_launcher.h"

namespace {

HMODULE SpeakTo(LANGID user, const char* brand = "languages.dll") {
  seam::Install();
  seam::userLanguage = user;
  state.instance = LoadLibraryA(brand);
  ChooseResourceLanguage();
  LoadWindowTitle();
  return state.instance;
}

TEST(BrandLanguages, EachUserGetsTheirLanguageAndTheDefaultsWhereItHasNone) {
  const struct {
    LANGID user;
    // title, name of button 201 (not in Japanese), picture width at 100 % and at 150 %
    const wchar_t* expected;
  } kCases[] = {// German has its own picture, enlarged: never the default's double-size one
                {0x0407, L"AC\\DC Einrichtung|Installieren|8|12"},
                {0x040c, L"AC\\DC Setup|Install|360|540"},  // French: the default
                {0x0411, L"AC\\DC Setup JA|Install|360|540"}};
  for (const auto& c : kCases) {
    ASSERT_NE(nullptr, SpeakTo(c.user));
    wchar_t install[64];
    LoadCheckedStringW(1002, install, 64);
    int width = 0, height = 0;
    HBITMAP picture = LoadBitmapResource(199, nullptr, &width, &height);
    int scaledWidth = 0;
    HBITMAP scaled = LoadArtAtDpi(199, 144, 1, 0, nullptr, &scaledWidth, &height);
    EXPECT_EQ(c.expected, std::wstring(state.windowTitle) + L"|" + install + L"|" +
                              std::to_wstring(width) + L"|" + std::to_wstring(scaledWidth)) << c.user;
    DeleteObject(picture);
    DeleteObject(scaled);
  }
}

TEST(BrandLanguages, EachLanguagesCommandsStartTheirTargetsAndNoneLeavesItsButtonOut) {
  SetCursorPos(5, 5);
  ASSERT_NE(nullptr, SpeakTo(0x0411));
  ASSERT_NE(0, SurveyDisplay());
  ASSERT_NE(0, RegisterLauncherClass());
  HWND launcher = LoadArtAndOpen();
  ASSERT_NE(nullptr, launcher);
  PumpMessages();
  EXPECT_EQ(nullptr, GetDlgItem(launcher, 202)) << "none: no window";
  SendMessageA(GetDlgItem(launcher, 201), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetDlgItem(launcher, 203), GetFocus()) << "Tab passes over it";

  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string s = system;
  const struct {
    LANGID user;
    int id;
    DWORD shellError;
    std::vector<std::string> log;
  } kCases[] = {
      {0x0409, 201, 0, {"exec \"" + s + "\\msiexec.exe\" /i \"E:\\Packages\\Product.msi\" in E:\\Packages show 1"}},
      {0x0409, 202, ERROR_NO_ASSOCIATION,
       {"shell (none) E:\\DISC\\Manual\\Guide.pdf in E:\\DISC\\Manual show 1",
        "box launcher 0x10 AC\\DC Setup: Unable to execute E:\\DISC\\Manual\\Guide.pdf"}},
      {0x0409, 203, 0, {"shell (none) https://example.com/x in (none) show 1"}},
      {0x0407, 203, 0, {"box launcher 0x10 AC\\DC Einrichtung: Kann web http://example.com nicht starten"}},
      {0x0411, 202, 0, {}},
  };
  lstrcpyW(state.moduleDirectory, L"E:\\DISC");
  state.moduleDirectoryWhole = true;
  for (const auto& c : kCases) {
    SpeakTo(c.user);
    seam::shellError = c.shellError;
    seam::launchLog.clear();
    SendMessageA(launcher, WM_COMMAND, MAKEWPARAM(c.id, BN_CLICKED), 0);
    EXPECT_EQ(c.log, seam::launchLog) << c.user << " " << c.id;
  }
}

std::vector<LONG> Corners(LONG left, LONG top, LONG right, LONG bottom) {
  return {left, top, right, bottom};
}
std::vector<LONG> Corners(const RECT& r) { return Corners(r.left, r.top, r.right, r.bottom); }

UINT designDpi = 96;
UINT DesignDpi() { return designDpi; }

// The brand with its own design, opened for `user` at `dpi`; null if it couldn't open.
HWND OpenDesign(LANGID user, UINT dpi) {
  SetCursorPos(5, 5);
  SpeakTo(user, "layout.dll");
  designDpi = dpi;
  platform.primaryMonitorDpi = DesignDpi;
  if (!ChooseLayout() || !SurveyDisplay() || !RegisterLauncherClass()) return nullptr;
  HWND launcher = LoadArtAndOpen();
  PumpMessages();
  return launcher;
}

int At(int length, UINT dpi) { return MulDiv(length, dpi, 96); }

// Each entry's window in Tab order (id, x, y, side at 100 %), whether it has a face (not
// without a mask of its size), then where Tab leads from each.
void CheckDesignAt(UINT dpi) {
  HWND launcher = OpenDesign(0x0409, dpi);
  ASSERT_NE(nullptr, launcher);
  RECT client = {};
  GetClientRect(launcher, &client);
  EXPECT_EQ(Corners(0, 0, At(400, dpi), At(300, dpi)), Corners(client));
  const int kEntries[][5] = {{206, 300, 64, 48, 1}, {201, 300, 120, 32, 1}, {205, 300, 160, 48, 0},
                             {202, 300, 212, 42, 1}, {207, 300, 260, 32, 0}, {204, 344, 8, 48, 1}};
  HWND child = GetWindow(launcher, GW_CHILD);
  for (int row = 0; row < 6; ++row, child = GetWindow(child, GW_HWNDNEXT)) {
    const int* e = kEntries[row];
    ASSERT_NE(nullptr, child) << row;
    EXPECT_EQ(e[0], GetDlgCtrlID(child)) << row;
    RECT r = WindowRectOf(child);
    MapWindowPoints(nullptr, launcher, reinterpret_cast<POINT*>(&r), 2);
    const int side = At(e[3], dpi);
    EXPECT_EQ(Corners(At(e[1], dpi), At(e[2], dpi), At(e[1], dpi) + side, At(e[2], dpi) + side),
              Corners(r)) << e[0] << " at " << dpi;
    EXPECT_EQ(e[4] != 0, ButtonRow(e[0])->faceBitmap != nullptr) << e[0] << " at " << dpi;
  }
  EXPECT_EQ(nullptr, child) << "nothing but the six buttons";
  std::vector<int> tabbed;
  for (int i = 0; i < 6; ++i) {
    SendMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    tabbed.push_back(GetDlgCtrlID(GetFocus()));
  }
  EXPECT_EQ((std::vector<int>{201, 205, 202, 207, 204, 206}), tabbed) << "entries, then exit";
}

TEST(BrandDesign, EntriesStandAtTheirPlacesAndSizesInTheirTabOrder) { CheckDesignAt(96); }

TEST(BrandDesign, EntriesStandAtTheirPlacesAndSizesInTheirTabOrderAt150Percent) {
  CheckDesignAt(144);
}

// Arabic mirrors the places and labels and reads the box right to left; its own entries
// start what their strings say, or name the entry that has no command.
TEST(BrandDesign, EntriesStartTheirCommandsAndArabicMirrorsAndReadsRightToLeft) {
  HWND launcher = OpenDesign(0x0401, 96);
  ASSERT_NE(nullptr, launcher);
  RECT r = WindowRectOf(GetDlgItem(launcher, 206));
  MapWindowPoints(nullptr, launcher, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(Corners(400 - 300 - 48, 64, 400 - 300, 112), Corners(r));
  EXPECT_EQ(kLabelRight, CurrentLayout().entries[0].labelSide);
  lstrcpyW(state.moduleDirectory, L"E:\\DISC");
  state.moduleDirectoryWhole = true;
  const struct {
    LANGID user;
    int id;
    const char* log;
  } kCases[] = {
      {0x0401, 205, "exec E:\\DISC\\Drivers\\Setup.exe in E:\\DISC\\Drivers show 1"},
      {0x0401, 206, "shell (none) https://example.com/manual in (none) show 1"},
      // MB_RTLREADING | MB_RIGHT | MB_ICONERROR
      {0x0401, 207, "box launcher 0x180010 Atlas Setup AR: Unable to execute Web site"},
      {0x0409, 207, "box launcher 0x10 Atlas Setup: Unable to execute Web site"},
  };
  for (const auto& c : kCases) {
    SpeakTo(c.user, "layout.dll");
    seam::launchLog.clear();
    SendMessageA(launcher, WM_COMMAND, MAKEWPARAM(c.id, BN_CLICKED), 0);
    EXPECT_EQ(std::vector<std::string>{c.log}, seam::launchLog) << c.user << " " << c.id;
  }
}

TEST(BrandDesign, AMalformedLayoutKeepsTheLauncherShut) {
  EXPECT_EQ(kExitNoWindow, OpenLauncher(SpeakTo(0x0407, "layout.dll")));
  EXPECT_EQ(360, CurrentLayout().width);
  EXPECT_EQ(nullptr, FindWindowW(nullptr, L"Atlas Setup"));
}

// A claim this user may not open (an elevated launcher's) counts as held.
TEST(BrandLanguages, OneLauncherPerProductWhateverItsTitleAndLanguage) {
  EXPECT_FALSE(AnotherLauncherIsOpen(SpeakTo(0x0407))) << "the first, in German, claims";
  EXPECT_TRUE(AnotherLauncherIsOpen(SpeakTo(0x0411))) << "the second, in Japanese, finds it";

  ACL denyAll;
  InitializeAcl(&denyAll, sizeof denyAll, ACL_REVISION);
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, &denyAll, FALSE);
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, &descriptor, FALSE};
  HANDLE elevated = CreateMutexW(&attributes, FALSE, L"Local\\Norvane CD Setup");
  ASSERT_EQ(nullptr, CreateMutexW(nullptr, FALSE, L"Local\\Norvane CD Setup"));
  ASSERT_EQ(ERROR_ACCESS_DENIED, GetLastError()) << "the claim can't be opened";
  EXPECT_TRUE(AnotherLauncherIsOpen(GetModuleHandleA(nullptr)));
  CloseHandle(elevated);
}

}  // namespace

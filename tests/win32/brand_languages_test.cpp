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

UINT designDpi = 96;
UINT DesignDpi() { return designDpi; }

// The brand with its own design (layout.rc), opened for `user` at `dpi`; null if it can't.
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

// "id x,y side face" of each button in the Tab order, the picture's size first.
std::string DesignShown(HWND launcher) {
  RECT r = WindowRectOf(launcher);
  std::string shown = std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
  for (HWND b = GetWindow(launcher, GW_CHILD); b != nullptr; b = GetWindow(b, GW_HWNDNEXT)) {
    r = WindowRectOf(b);
    MapWindowPoints(nullptr, launcher, reinterpret_cast<POINT*>(&r), 2);
    shown += " " + std::to_string(GetDlgCtrlID(b)) + " " + std::to_string(r.left) + "," +
             std::to_string(r.top) + " " + std::to_string(r.right - r.left) +
             (ButtonRow(GetDlgCtrlID(b))->faceBitmap != nullptr ? " face" : "");
  }
  return shown;
}

TEST(BrandDesign, EntriesStandAtTheirPlacesAndSizesInTheirTabOrderThenExit) {
  const struct {
    UINT dpi;
    const char* shown;
  } kCases[] = {
      // Only a button of 42 pixels takes the shared mask; 207 has no face at all.
      {96, "400x300 206 300,40 84 face 201 240,130 42 face 205 240,180 32 202 300,180 42 face "
           "207 240,230 42 204 352,252 42 face"},
      {144, "600x450 206 450,60 126 face 201 360,195 63 face 205 360,270 48 202 450,270 63 face "
            "207 360,345 63 204 528,378 63 face"}};
  for (const auto& c : kCases) {
    HWND launcher = OpenDesign(0x0409, c.dpi);
    ASSERT_NE(nullptr, launcher);
    EXPECT_EQ(c.shown, DesignShown(launcher));
    DestroyWindow(launcher);
    PumpMessages();
  }
}

// Arabic mirrors the places and labels and reads the box right to left; the brand's own
// entries start what their strings say, or name the entry that has none.
TEST(BrandDesign, EntriesStartTheirCommandsAndArabicMirrorsAndReadsRightToLeft) {
  HWND launcher = OpenDesign(0x0401, 96);
  ASSERT_NE(nullptr, launcher);
  EXPECT_EQ("400x300 206 16,40 84 face 201 118,130 42 face", DesignShown(launcher).substr(0, 45));
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
      {0x0409, 207, "box launcher 0x10 Atlas Setup: Unable to execute Web site"}};
  for (const auto& c : kCases) {
    SpeakTo(c.user, "layout.dll");
    seam::launchLog.clear();
    SendMessageA(launcher, WM_COMMAND, MAKEWPARAM(c.id, BN_CLICKED), 0);
    EXPECT_EQ(std::vector<std::string>{c.log}, seam::launchLog) << c.user << " " << c.id;
  }
  EXPECT_EQ(kExitNoWindow, OpenLauncher(SpeakTo(0x0407, "layout.dll"))) << "malformed in German";
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

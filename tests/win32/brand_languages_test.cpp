// A brand's launcher in three languages (languages.rc): the language chosen for the user,
// the default's texts and picture where a language has none, each language's commands,
// and one claim per product whatever its title and language.
#include <gtest/gtest.h>

#include <string>

#include "buttons/button_table.h"
#include "commands/launch_commands.h"
#include "launcher_fixture.h"
#include "media/bitmap_loader.h"
#include "media/resource_language.h"
#include "shell/single_launcher.h"

namespace {

using Log = std::vector<std::string>;

std::string Narrow(const wchar_t* text) {
  char narrow[256] = "";
  WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
  return narrow;
}

std::string StringOf(UINT id) {
  wchar_t text[128];
  LoadCheckedStringW(id, text, 128);
  return Narrow(text);
}

HMODULE SpeakTo(LANGID user) {
  seam::Install();
  seam::userLanguage = user;
  state.instance = LoadLibraryA("languages.dll");
  ChooseResourceLanguage();
  LoadWindowTitle();
  return state.instance;
}

const struct {
  LANGID user;
  const char* title;
  const char* install;  // German has its own name for button 201, no other
  int pictureWidth;     // German has its own picture
} kLanguageCases[] = {
    {0x0407, "AC\\DC Einrichtung", "Installieren", 8},  // German
    {0x0c07, "AC\\DC Einrichtung", "Installieren", 8},  // Austrian German: German
    {0x040c, "AC\\DC Setup", "Install", 360},           // French: the default, English
    {0x0411, "AC\\DC Setup JA", "Install", 360},        // Japanese
};

TEST(BrandLanguages, EachUserGetsTheirLanguageAndTheDefaultsWhereItHasNone) {
  for (const auto& c : kLanguageCases) {
    SCOPED_TRACE(c.user);
    ASSERT_NE(nullptr, SpeakTo(c.user));
    EXPECT_EQ(c.title, Narrow(state.windowTitle));
    EXPECT_EQ(c.install, StringOf(1002));
    EXPECT_EQ("Read the manual", StringOf(1003));
    int width = 0, height = 0;
    HBITMAP picture = LoadBitmapResource(199, nullptr, &width, &height);
    EXPECT_NE(nullptr, picture);
    DeleteObject(picture);
    EXPECT_EQ(c.pictureWidth, width);
  }
  state.instance = GetModuleHandleA(nullptr);
  ChooseResourceLanguage();
  EXPECT_EQ(0, state.defaultLanguage) << "Norvane's launcher lists no languages";
  LoadWindowTitle();
  EXPECT_EQ("Norvane CD Setup", Narrow(state.windowTitle));
}

// {WINDIR} and {SYSDIR} stand for the Windows and system directories.
const struct {
  LANGID user;
  int id;
  DWORD shellError;
  Log expected;
} kCommandCases[] = {
    {0x0409, 201, 0,
     {"exec \"{SYSDIR}\\msiexec.exe\" /i \"E:\\Packages\\Product.msi\" in E:\\Packages show 1"}},
    {0x0409, 202, 0, {"shell (none) E:\\DISC\\Manual\\Guide.pdf in E:\\DISC\\Manual show 1"}},
    {0x0409, 202, ERROR_NO_ASSOCIATION,
     {"shell (none) E:\\DISC\\Manual\\Guide.pdf in E:\\DISC\\Manual show 1",
      "box launcher 0x10 AC\\DC Setup: Unable to execute E:\\DISC\\Manual\\Guide.pdf"}},
    {0x0409, 203, 0, {"shell (none) https://example.com/x in (none) show 1"}},
    {0x0407, 203, 0, {"box launcher 0x10 AC\\DC Einrichtung: Kann web http://example.com nicht starten"}},
    {0x0411, 201, 0, {"exec {WINDIR}\\EXPLORER.EXE E:\\DISC\\Docs in {WINDIR} show 1"}},
    {0x0411, 202, 0, {}},
    {0x0411, 203, 0, {"exec E:\\DISC\\Tools\\Tool.exe in E:\\DISC\\Tools show 1"}},
};

std::string WithDirectories(std::string entry) {
  char windows[MAX_PATH] = "", system[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, MAX_PATH);
  GetSystemDirectoryA(system, MAX_PATH);
  for (const auto& [name, directory] : {std::pair{"{WINDIR}", windows}, {"{SYSDIR}", system}}) {
    for (size_t at; (at = entry.find(name)) != std::string::npos;) entry.replace(at, 8, directory);
  }
  return entry;
}

TEST(BrandLanguages, EachLanguagesCommandsStartTheirTargetsAndNoneLeavesItsButtonOut) {
  SetCursorPos(5, 5);
  ASSERT_NE(nullptr, SpeakTo(0x0411));
  RecordModuleDirectory();
  ASSERT_NE(0, SurveyDisplay());
  ASSERT_NE(0, RegisterLauncherClass());
  HWND launcher = LoadArtAndOpen();
  ASSERT_NE(nullptr, launcher);
  PumpMessages();
  EXPECT_EQ(nullptr, GetDlgItem(launcher, 202)) << "none: no window";
  EXPECT_EQ(nullptr, buttonTable[1].faceBitmap) << "none: no face";
  SendMessageA(GetDlgItem(launcher, 201), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetDlgItem(launcher, 203), GetFocus()) << "Tab passes over it";
  SendMessageA(GetDlgItem(launcher, 203), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(GetDlgItem(launcher, 201), GetFocus()) << "and so does Up";

  MultiByteToWideChar(CP_ACP, 0, "E:\\DISC", -1, state.moduleDirectory, MAX_PATH);
  for (const auto& c : kCommandCases) {
    SCOPED_TRACE(std::to_string(c.user) + " " + std::to_string(c.id));
    SpeakTo(c.user);
    seam::shellError = c.shellError;
    seam::launchLog.clear();
    SendMessageA(launcher, WM_COMMAND, MAKEWPARAM(c.id, BN_CLICKED), 0);
    Log expected;
    for (const std::string& entry : c.expected) expected.push_back(WithDirectories(entry));
    EXPECT_EQ(expected, seam::launchLog);
  }
}

// The claim is named after the default language's title, backslash and all; a claim
// this user may not open (an elevated launcher's) counts as held.
TEST(BrandLanguages, OneLauncherPerProductWhateverItsTitleAndLanguage) {
  HMODULE brand = SpeakTo(0x0407);
  EXPECT_FALSE(AnotherLauncherIsOpen(brand)) << "the first claims";
  seam::userLanguage = 0x0411;
  EXPECT_TRUE(AnotherLauncherIsOpen(brand)) << "the second, in Japanese, finds it";

  ACL denyAll;
  InitializeAcl(&denyAll, sizeof denyAll, ACL_REVISION);
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, &denyAll, FALSE);
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, &descriptor, FALSE};
  HANDLE elevated = CreateMutexW(&attributes, FALSE, L"Local\\Norvane CD Setup");
  ASSERT_NE(nullptr, elevated);
  ASSERT_EQ(nullptr, CreateMutexW(nullptr, FALSE, L"Local\\Norvane CD Setup"));
  ASSERT_EQ(ERROR_ACCESS_DENIED, GetLastError()) << "the claim can't be opened";
  EXPECT_TRUE(AnotherLauncherIsOpen(GetModuleHandleA(nullptr)));
  CloseHandle(elevated);
}

}  // namespace

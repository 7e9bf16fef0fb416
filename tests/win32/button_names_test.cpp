// What a screen reader hears for the launcher's windows: the window texts, and the names
// the platform's accessibility interface gives them. oleacc is loaded only here, at run
// time: the launcher itself imports nothing for this.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>

#include "launcher_fixture.h"

namespace {

std::string WindowText(HWND window) {
  char text[128] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The name oleacc gives `window` itself, or an empty string with `answered` false when the
// library or the object isn't there.
template <typename Function>
Function Export(const char* dll, const char* name) {
  HMODULE module = LoadLibraryA(dll);
  return module == nullptr ? nullptr
                           : reinterpret_cast<Function>(
                                 reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string AccessibleName(HWND window, bool& answered) {
  answered = false;
  const auto fromWindow = Export<HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**)>(
      "oleacc.dll", "AccessibleObjectFromWindow");
  const auto freeString = Export<void(WINAPI*)(BSTR)>("oleaut32.dll", "SysFreeString");
  if (fromWindow == nullptr || freeString == nullptr) return "";
  IAccessible* object = nullptr;
  if (FAILED(fromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                        reinterpret_cast<void**>(&object))) ||
      object == nullptr)
    return "";
  VARIANT self = {};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const HRESULT got = object->get_accName(self, &name);
  object->Release();
  answered = got == S_OK && name != nullptr;
  std::string text;
  if (name != nullptr) {
    char narrow[128] = "";
    WideCharToMultiByte(CP_ACP, 0, name, -1, narrow, sizeof narrow, nullptr, nullptr);
    text = narrow;
    freeString(name);
  }
  return text;
}

struct NameCase {
  int id;  // 0: the launcher window
  const char* name;
};

// The words painted beside each button on the picture, and the window's title.
const NameCase kNames[] = {
    {0, "Norvane CD Setup"},
    {201, "Install Norvane"},
    {202, "Install the Ravelcog demo"},
    {203, "Browse this disc"},
    {204, "Exit"},
};

TEST(ButtonNames, EachWindowIsNamedByItsTextAndByTheAccessibilityInterface) {
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  for (const NameCase& c : kNames) {
    HWND window = c.id == 0 ? launcher : GetDlgItem(launcher, c.id);
    ASSERT_NE(nullptr, window) << c.id;
    EXPECT_EQ(c.name, WindowText(window)) << c.id;
    bool answered = false;
    const std::string name = AccessibleName(window, answered);
    EXPECT_TRUE(answered) << c.id << ": oleacc gives no name";
    EXPECT_EQ(c.name, name) << c.id;
  }
}

// An older string table, with the class name and the failure message but no names: the
// buttons come up nameless and do what they always did.
TEST(ButtonNames, WithoutTheirStringsTheButtonsAreNamelessAndWork) {
  HMODULE art = LoadLibraryA("art_without_names.dll");
  ASSERT_NE(nullptr, art);
  char text[64];
  ASSERT_NE(0, LoadStringA(art, 1000, text, sizeof text));
  for (int id = 1002; id <= 1005; ++id) ASSERT_EQ(0, LoadStringA(art, id, text, sizeof text)) << id;

  seam::Install();
  state.instance = art;
  RecordModuleDirectory();
  ASSERT_NE(0, SurveyDisplay());
  ASSERT_NE(0, RegisterLauncherClass());
  HWND launcher = LoadArtAndOpen();
  ASSERT_NE(nullptr, launcher);
  PumpMessages();
  for (int id = 201; id <= 204; ++id) {
    ASSERT_NE(nullptr, GetDlgItem(launcher, id)) << id;
    EXPECT_EQ(0, GetWindowTextLengthA(GetDlgItem(launcher, id))) << id;
  }
  for (int id = 201; id <= 203; ++id) SendMessageA(GetDlgItem(launcher, id), BM_CLICK, 0, 0);
  ASSERT_EQ(3u, seam::launchLog.size()) << "each of the three commands started its program";
  EXPECT_NE(std::string::npos, seam::launchLog[0].find("SETUP.EXE"));
  EXPECT_NE(std::string::npos, seam::launchLog[1].find("Setup.exe"));
  EXPECT_NE(std::string::npos, seam::launchLog[2].find("EXPLORER.EXE"));
  SendMessageA(GetDlgItem(launcher, 204), BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpMessages()) << "exit closes the launcher";
}

}  // namespace

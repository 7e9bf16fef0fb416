// A brand whose entries change once its product is installed (installed.rc), on the opened
// launcher: activated with the product's file there, the names are the installed ones and
// its commands start the product in its folder and remove it by its Uninstall entry;
// activated with the file gone, they are back. (An installer's end switches names and
// picture in the end-to-end test of a brand's disc.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/installed_state.h"
#include "launcher_fixture.h"
#include "shell/platform_seam.h"

namespace {

constexpr char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LauncherInstalledTest";

// The names of 201 to 203.
std::string Shown(HWND launcher) {
  std::string shown;
  for (int id = 201; id <= 203; ++id) {
    char text[64] = "";
    GetWindowTextA(GetDlgItem(launcher, id), text, sizeof text);
    shown += text + std::string("|");
  }
  return shown;
}

TEST(InstalledState, EntriesFollowTheProductsFileAndItsUninstallEntry) {
  char local[MAX_PATH] = "", system[MAX_PATH] = "";
  ASSERT_GT(GetEnvironmentVariableA("LOCALAPPDATA", local, MAX_PATH), 0u);
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string folder = std::string(local) + "\\launcher-installed-test";
  const std::string product = folder + "\\Atlas.exe";
  CreateDirectoryA(folder.c_str(), nullptr);
  DeleteFileA(product.c_str());
  seam::Install();
  state.instance = LoadLibraryA("installed.dll");
  ASSERT_TRUE(SurveyDisplay() && RegisterLauncherClass());
  HWND launcher = LoadArtAndOpen();
  ASSERT_NE(nullptr, launcher);
  PumpMessages();
  EXPECT_EQ("Install Atlas|Install the demo|Browse this disc|", Shown(launcher));

  ASSERT_TRUE(CopyFileA((std::string(system) + "\\notepad.exe").c_str(), product.c_str(), FALSE));
  SendMessageA(launcher, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ("Start Atlas|Remove Atlas|Browse this disc|", Shown(launcher));
  HKEY key = nullptr;
  const char uninstall[] = "%LOCALAPPDATA%\\launcher-installed-test\\Atlas.exe /uninstall";
  RegCreateKeyExA(HKEY_CURRENT_USER, kUninstallKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                  nullptr);
  RegSetValueExA(key, "UninstallString", 0, REG_EXPAND_SZ,
                 reinterpret_cast<const BYTE*>(uninstall), sizeof uninstall);
  RegCloseKey(key);
  seam::launchLog.clear();
  state.moduleDirectoryWhole = true;
  SendMessageA(launcher, WM_COMMAND, 201, 0);
  SendMessageA(launcher, WM_COMMAND, 202, 0);
  RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
  EXPECT_EQ(std::vector<std::string>({"exec " + product + " in " + folder + " show 1",
                                      "exec " + product + " /uninstall in " + system + " show 1"}),
            seam::launchLog);

  DeleteFileA(product.c_str());
  SendMessageA(launcher, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ("Install Atlas|Install the demo|Browse this disc|", Shown(launcher));
  RemoveDirectoryA(folder.c_str());
}

int WINAPI InstalledWhole(LPCWSTR) { return 5; }  // INSTALLSTATE_DEFAULT
int WINAPI Advertised(LPCWSTR) { return 1; }      // INSTALLSTATE_ADVERTISED

TEST(InstalledState, AProductIsInstalledOnlyWhenWindowsInstallerHasItWhole) {
  const wchar_t rule[] = L"msi {8A4C1E2B-1234-4D5E-9F00-0123456789AB}";
  EXPECT_FALSE(RuleHolds(rule)) << "the system's msi.dll knows no such product";
  platform.productState = InstalledWhole;
  EXPECT_TRUE(RuleHolds(rule));
  platform.productState = Advertised;
  EXPECT_FALSE(RuleHolds(rule));
}

}  // namespace

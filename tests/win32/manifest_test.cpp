// The manifest of the built LAUNCH.EXE, as Wine's loader reads it from the file: run
// with the rights of whoever opens it, every Windows from Vista to 11 supported, aware of
// each monitor's scale.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string LauncherPath() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory = path;
  return directory.substr(0, directory.find_last_of('\\') + 1) + LAUNCHER_EXE_FROM_TESTS;
}

TEST(Manifest, TheLauncherAsksForNoRightsAndNamesEveryWindowsFromVistaTo11) {
  const std::string launcher = LauncherPath();
  ACTCTXA request = {};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = launcher.c_str();
  request.lpResourceName = MAKEINTRESOURCEA(1);
  HANDLE context = CreateActCtxA(&request);
  ASSERT_NE(INVALID_HANDLE_VALUE, context) << launcher << " error " << GetLastError();

  ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION runLevel = {};
  ASSERT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext,
                           &runLevel, sizeof runLevel, nullptr));
  EXPECT_EQ(ACTCTX_RUN_LEVEL_AS_INVOKER, runLevel.RunLevel);
  EXPECT_EQ(0u, runLevel.UiAccess);

  // Only the count: the size of each entry differs between header versions.
  DWORD compatibility[64] = {};
  ASSERT_TRUE(QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext,
                           compatibility, sizeof compatibility, nullptr));
  EXPECT_EQ(5u, compatibility[0]) << "supported systems";

  WCHAR value[64];
  SIZE_T written = 0;
  ASSERT_TRUE(QueryActCtxSettingsW(0, context, nullptr, L"dpiAware", value, 64, &written));
  EXPECT_STREQ(L"true/pm", value);
  // Read in its own namespace, which Windows 10 added.
  ASSERT_TRUE(QueryActCtxSettingsW(0, context, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                                   L"dpiAwareness", value, 64, &written));
  EXPECT_STREQ(L"PerMonitorV2, PerMonitor", value);
  ReleaseActCtx(context);
}

}  // namespace

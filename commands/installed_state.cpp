#include "commands/installed_state.h"

#include <shlobj.h>

#include "commands/bounded_text.h"
#include "media/resource_ids.h"
#include "media/resource_strings.h"
#include "shell/launcher_state.h"
#include "shell/platform_seam.h"
#include "shell/system_library.h"

namespace {

constexpr int kInstallStateDefault = 5;  // INSTALLSTATE_DEFAULT: installed for this user or all
constexpr int kFolderIds[] = {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86, CSIDL_LOCAL_APPDATA,
                              CSIDL_COMMON_APPDATA};
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr size_t kUninstallKeySize = 256;

using FolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);

// The shell is loaded from the system directory by the first brand that needs a folder.
bool ReadFolder(int id, wchar_t (&path)[kDirectorySize]) {
  static FolderPathFunction folderPath = nullptr;
  if (folderPath == nullptr) {
    HMODULE shell = LoadSystemLibrary("shell32.dll");
    if (shell != nullptr) folderPath = LookUpFunction<FolderPathFunction>(shell, "SHGetFolderPathW");
    if (folderPath == nullptr) return false;
  }
  return folderPath(nullptr, id, nullptr, 0, path) == S_OK;
}

// The registry is looked at only for a removal; advapi32 is no import of the launcher's.
struct Registry {
  LONG(WINAPI* open)(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY);
  LONG(WINAPI* query)(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
  LONG(WINAPI* close)(HKEY);
};

bool ConnectRegistry(Registry& registry) {
  HMODULE advapi = LoadSystemLibrary("advapi32.dll");
  if (advapi == nullptr) return false;
  registry.open = LookUpFunction<decltype(registry.open)>(advapi, "RegOpenKeyExW");
  registry.query = LookUpFunction<decltype(registry.query)>(advapi, "RegQueryValueExW");
  registry.close = LookUpFunction<decltype(registry.close)>(advapi, "RegCloseKey");
  return registry.open != nullptr && registry.query != nullptr && registry.close != nullptr;
}

// A string value, or one of environment variables expanded, that fits the line whole.
bool ReadUninstallString(const Registry& registry, HKEY key, wchar_t (&line)[kCommandLineSize]) {
  wchar_t value[kCommandLineSize] = L"";
  DWORD type = 0;
  DWORD bytes = sizeof value - sizeof value[0];  // room for the terminator it may lack
  if (registry.query(key, L"UninstallString", nullptr, &type, reinterpret_cast<BYTE*>(value),
                     &bytes) != ERROR_SUCCESS)
    return false;
  value[bytes / sizeof value[0]] = L'\0';
  if (type == REG_SZ) return lstrcpynW(line, value, kCommandLineSize) != nullptr;
  if (type != REG_EXPAND_SZ) return false;
  const DWORD length = ExpandEnvironmentStringsW(value, line, kCommandLineSize);
  return length > 0 && length <= kCommandLineSize;
}

// A 32-bit launcher on 64-bit Windows finds a 64-bit product's entry too.
bool FindUninstallString(const wchar_t* name, wchar_t (&line)[kCommandLineSize]) {
  static const struct {
    HKEY root;
    REGSAM view;
  } kViews[] = {{HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY}, {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY},
                {HKEY_CURRENT_USER, KEY_WOW64_64KEY}, {HKEY_CURRENT_USER, KEY_WOW64_32KEY}};
  // The key's name may take all 255 characters the registry allows, beside the path to it.
  constexpr size_t kPathSize = sizeof kUninstallKey / sizeof kUninstallKey[0] + kUninstallKeySize;
  wchar_t path[kPathSize];
  WideBoundedText keyPath(path, kPathSize);
  Registry registry;
  if (!keyPath.Append(kUninstallKey).Append(name).Fits() || !ConnectRegistry(registry)) return false;
  for (const auto& view : kViews) {
    HKEY key = nullptr;
    if (registry.open(view.root, path, 0, KEY_QUERY_VALUE | view.view, &key) != ERROR_SUCCESS)
      continue;
    const bool read = ReadUninstallString(registry, key, line);
    registry.close(key);
    return read;
  }
  return false;
}

bool FileIsThere(const InstalledRule& rule) {
  wchar_t folder[kDirectorySize];
  LookUpKnownFolder(rule.folder, folder);
  wchar_t path[kDirectorySize];
  if (!JoinKnownFolder(path, kDirectorySize, folder, rule.rest)) return false;
  const DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool DecideInstalledState() {
  wchar_t rule[kInstalledRuleSize];
  const bool was = state.installed;
  state.watchesInstalled =
      LoadDefaultLanguageString(kInstalledRuleStringId, rule, kInstalledRuleSize) > 0;
  state.installed = state.watchesInstalled && RuleHolds(rule);
  return state.installed != was;
}

bool RuleHolds(const wchar_t* rule) {
  const InstalledRule parsed = ParseInstalledRule(rule);
  if (parsed.test == InstalledTest::Product)
    return platform.productState(parsed.argument) == kInstallStateDefault;
  return parsed.test == InstalledTest::File && FileIsThere(parsed);
}

int LoadStateString(int ownId, int installedId, wchar_t* buffer, int size) {
  const int copied = state.installed ? LoadCheckedStringW(installedId, buffer, size) : 0;
  return copied > 0 ? copied : LoadCheckedStringW(ownId, buffer, size);
}

void LookUpKnownFolder(KnownFolder folder, wchar_t (&path)[kDirectorySize]) {
  if (folder == KnownFolder::ProgramFiles) {
    const DWORD length = GetEnvironmentVariableW(L"ProgramW6432", path, kDirectorySize);
    if (length > 0 && length < kDirectorySize) return;
  }
  // 32-bit Windows before Vista has no x86 folder: its one Program Files is that.
  if (ReadFolder(kFolderIds[static_cast<int>(folder)], path)) return;
  if (folder != KnownFolder::ProgramFilesX86 || !ReadFolder(CSIDL_PROGRAM_FILES, path))
    path[0] = L'\0';
}

void ReadMachineSources(MachineSources& machine) {
  machine.sources = {LookUpKnownFolder, nullptr, nullptr};
  LoadDefaultLanguageString(kInstalledRuleStringId, machine.rule, kInstalledRuleSize);
  const InstalledRule rule = ParseInstalledRule(machine.rule);
  if (rule.test == InstalledTest::Product) {
    machine.sources.productCode = rule.argument;
    return;
  }
  wchar_t name[kUninstallKeySize];
  if (rule.test == InstalledTest::File &&
      LoadDefaultLanguageString(kUninstallNameStringId, name, kUninstallKeySize) > 0 &&
      FindUninstallString(name, machine.uninstallString))
    machine.sources.uninstallString = machine.uninstallString;
}

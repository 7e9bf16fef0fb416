#include "shell/system_library.h"

#include "commands/bounded_text.h"

namespace {

// Not in older headers; systems without it reject the flag with ERROR_INVALID_PARAMETER.
constexpr DWORD kSearchSystem32Only = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

HMODULE LoadByFullPath(const char* fileName) {
  char path[MAX_PATH] = "";
  const UINT length = GetSystemDirectoryA(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  BoundedText fullPath(path, sizeof path, BoundedText::Start::AfterExisting);
  fullPath.Append('\\').Append(fileName);
  return fullPath.Fits() ? LoadLibraryA(path) : nullptr;
}

}  // namespace

HMODULE LoadSystemLibrary(const char* fileName) {
  HMODULE module = LoadLibraryExA(fileName, nullptr, kSearchSystem32Only);
  if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
    module = LoadByFullPath(fileName);
  }
  return module;
}

#include "shell/strip_file_name.h"

#include <cwchar>

namespace {
bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/' || c == L':'; }
}  // namespace

void StripFileName(wchar_t* path) {
  size_t cut = std::wcslen(path);
  while (cut > 0 && !IsSeparator(path[cut - 1])) --cut;
  if (cut == 0) {
    *path = L'\0';
    return;
  }
  --cut;  // the last separator
  // A drive keeps its root: the separator right after a colon, or the colon itself, stays.
  const bool afterColon = cut > 0 && path[cut - 1] == L':';
  if (path[cut] == L':' || afterColon)
    path[cut + 1] = L'\0';
  else
    path[cut] = L'\0';
}

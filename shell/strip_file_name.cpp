#include "shell/strip_file_name.h"

#include <cstring>

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }
}  // namespace

void StripFileName(char* path) {
  char* cut = path + std::strlen(path);
  while (cut > path && !IsSeparator(*cut)) --cut;
  if (!IsSeparator(*cut)) {
    *path = '\0';
    return;
  }
  // A drive keeps its root: the separator right after a colon, or the colon itself, stays.
  const bool afterColon = cut > path && cut[-1] == ':';
  if (*cut == ':' || afterColon)
    cut[1] = '\0';
  else
    *cut = '\0';
}

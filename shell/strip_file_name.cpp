#include "shell/strip_file_name.h"

#include <cstring>

#include "commands/ansi_text.h"

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }
}  // namespace

void StripFileName(char* path) {
  // The last separator character and the character before it, found from the start: the
  // second byte of a double-byte character may look like a backslash.
  const size_t length = std::strlen(path);
  size_t cut = length;
  size_t beforeCut = length;
  for (size_t at = 0, previous = length; at < length;
       previous = at, at = NextCharacter(path, at, length)) {
    if (!IsSeparator(path[at])) continue;
    cut = at;
    beforeCut = previous;
  }
  if (cut == length) {
    *path = '\0';
    return;
  }
  // A drive keeps its root: the separator right after a colon, or the colon itself, stays.
  const bool afterColon = beforeCut < length && path[beforeCut] == ':';
  if (path[cut] == ':' || afterColon)
    path[cut + 1] = '\0';
  else
    path[cut] = '\0';
}

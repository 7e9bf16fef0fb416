#include "commands/ansi_text.h"

size_t NextCharacter(const char* text, size_t at, size_t length) {
  const bool pair = isAnsiLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < length &&
                    text[at + 1] != '\0';
  return at + (pair ? 2 : 1);
}

size_t WholeCharactersLength(const char* text, size_t length) {
  size_t last = length;
  for (size_t at = 0; at < length; at = NextCharacter(text, at, length)) last = at;
  const bool cutLead = last == length - 1 && isAnsiLeadByte(static_cast<unsigned char>(text[last]));
  return cutLead ? last : length;
}

#include "commands/installed_rule.h"

#include <cwchar>

#include "commands/bounded_text.h"
#include "commands/command_lines.h"

namespace {

constexpr const wchar_t* kFolderNames[] = {L"{ProgramFiles}\\", L"{ProgramFilesX86}\\",
                                           L"{LocalAppData}\\", L"{CommonAppData}\\"};
constexpr size_t kProductCodeLength = 38;

bool IsHexDigit(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

bool IsDotName(const wchar_t* name, const wchar_t* end) {
  return (end - name == 1 && name[0] == L'.') ||
         (end - name == 2 && name[0] == L'.' && name[1] == L'.');
}

bool IsNameCharacter(wchar_t c) {
  return c >= 0x20 && std::wcschr(L"<>:\"/|?*{}", c) == nullptr;
}

// Names separated by single backslashes, each as ParseFolderPath says.
bool AreNames(const wchar_t* rest) {
  const wchar_t* name = rest;
  for (const wchar_t* at = rest;; ++at) {
    if (*at != L'\\' && *at != L'\0') {
      if (!IsNameCharacter(*at)) return false;
      continue;
    }
    if (at == name || *name == L' ' || IsDotName(name, at)) return false;
    if (*at == L'\0') return true;
    name = at + 1;
  }
}

}  // namespace

bool ParseFolderPath(const wchar_t* text, KnownFolder& folder, const wchar_t*& rest) {
  if (BoundedLength(text, kLongestFolderPath + 1) > kLongestFolderPath) return false;
  for (size_t i = 0; i < sizeof kFolderNames / sizeof kFolderNames[0]; ++i) {
    const size_t length = std::wcslen(kFolderNames[i]);
    if (std::wcsncmp(text, kFolderNames[i], length) != 0) continue;
    folder = static_cast<KnownFolder>(i);
    rest = text + length;
    return AreNames(rest);
  }
  return false;
}

bool JoinKnownFolder(wchar_t* path, size_t size, const wchar_t* folderPath, const wchar_t* rest) {
  WideBoundedText joined(path, size);
  joined.Append(folderPath, kDirectorySize);
  return joined.Length() > 0 && joined.Fits() && AppendPathElement(path, size, rest);
}

bool IsProductCode(const wchar_t* text) {
  if (BoundedLength(text, kProductCodeLength + 1) != kProductCodeLength) return false;
  for (size_t i = 0; i < kProductCodeLength; ++i) {
    const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    const wchar_t expected = i == 0 ? L'{' : i == kProductCodeLength - 1 ? L'}' : dash ? L'-' : 0;
    if (expected != 0 ? text[i] != expected : !IsHexDigit(text[i])) return false;
  }
  return true;
}

InstalledRule ParseInstalledRule(const wchar_t* text) {
  InstalledRule rule = {InstalledTest::Malformed, nullptr, KnownFolder::ProgramFiles, nullptr};
  if (std::wcsncmp(text, L"msi ", 4) == 0 && IsProductCode(text + 4))
    rule = {InstalledTest::Product, text + 4, KnownFolder::ProgramFiles, nullptr};
  if (std::wcsncmp(text, L"file ", 5) == 0 && ParseFolderPath(text + 5, rule.folder, rule.rest))
    rule = {InstalledTest::File, text + 5, rule.folder, rule.rest};
  return rule;
}

#pragma once
// How a brand tells that its product is installed (string 1023), and the paths under the
// machine's known folders that the rule and the `start` command name. Nothing here needs
// the platform: the caller finds the folders.
//   msi {8A4C1E2B-1234-4D5E-9F00-0123456789AB}   a Windows Installer product code
//   file {ProgramFiles}\Harbourlight\Atlas.exe     a file that is there once it's installed
#include <cstddef>

enum class KnownFolder { ProgramFiles, ProgramFilesX86, LocalAppData, CommonAppData };

// `{Folder}\name\...\name`, at most this many characters.
constexpr size_t kLongestFolderPath = 200;

// Reads a path under a known folder: exactly one known folder, a backslash and at least
// one name; no empty, "." or ".." name, none beginning with a space, no character Windows
// refuses in a name (slash and colon among them), no other brace. True with the folder and
// `rest`, the names after its backslash (pointing into `text`).
bool ParseFolderPath(const wchar_t* text, KnownFolder& folder, const wchar_t*& rest);

// `folderPath` (the known folder as the machine has it, read no further than its
// kDirectorySize buffer), a backslash and `rest`, in `path` of `size` characters. False,
// with nothing to use in `path`, where the folder is unknown (empty) or the whole doesn't fit.
bool JoinKnownFolder(wchar_t* path, size_t size, const wchar_t* folderPath, const wchar_t* rest);

// Whether `text` is a product code: `{` 8-4-4-4-12 hex digits `}`, either case.
bool IsProductCode(const wchar_t* text);

enum class InstalledTest { Product, File, Malformed };

struct InstalledRule {
  InstalledTest test;
  const wchar_t* argument;  // the product code, or the folder path; points into the text
  KnownFolder folder;       // a file's folder, and its names after it
  const wchar_t* rest;
};

// The rule as string 1023 carries it, read no further than kInstalledRuleSize characters.
constexpr size_t kInstalledRuleSize = 5 + kLongestFolderPath + 2;
InstalledRule ParseInstalledRule(const wchar_t* text);

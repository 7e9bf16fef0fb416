// What Windows' own loader reads of a program's resources, the program loaded as data:
//   loaded_resources FILE LISTING
// LISTING has one line a resource: type, name (each a number or a name), language, length
// and the CRC-32 of its bytes in hex. Each is found by FindResourceExW and its bytes
// compared; then the resources the loader enumerates are counted. Exit code 0 when all
// match; otherwise it prints the first difference.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

unsigned long Crc32(const unsigned char* bytes, DWORD size) {
  unsigned long crc = 0xFFFFFFFFul;
  for (DWORD i = 0; i < size; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320ul & (0ul - (crc & 1)));
  }
  return ~crc & 0xFFFFFFFFul;
}

// A number is an integer id, passed as MAKEINTRESOURCE passes it; anything else a name.
const wchar_t* IdOf(const wchar_t* text) {
  wchar_t* end = nullptr;
  const unsigned long number = std::wcstoul(text, &end, 10);
  return end != text && *end == L'\0' ? MAKEINTRESOURCEW(number) : text;
}

BOOL CALLBACK CountLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}
BOOL CALLBACK CountLanguages(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR count) {
  return EnumResourceLanguagesW(module, type, name, CountLanguage, count);
}
BOOL CALLBACK CountNames(HMODULE module, LPWSTR type, LONG_PTR count) {
  return EnumResourceNamesW(module, type, CountLanguages, count);
}

// Prints how resource TYPE NAME LANGUAGE differs from the listing; false when it doesn't.
bool Differs(HMODULE module, const wchar_t* type, const wchar_t* name, WORD language,
             unsigned long length, unsigned long crc) {
  HRSRC found = FindResourceExW(module, IdOf(type), IdOf(name), language);
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) {
    std::printf("%ls %ls %u: not found (error %lu)\n", type, name, language, GetLastError());
    return true;
  }
  const DWORD size = SizeofResource(module, found);
  const unsigned long read = Crc32(static_cast<const unsigned char*>(bytes), size);
  if (size == length && read == crc) return false;
  std::printf("%ls %ls %u: the loader reads %lu bytes, CRC-32 %08lx; the listing says %lu, %08lx\n",
              type, name, language, size, read, length, crc);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  HMODULE module =
      LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  FILE* listing = _wfopen(argv[2], L"r");
  if (module == nullptr || listing == nullptr) {
    std::printf("cannot open %ls or %ls (error %lu)\n", argv[1], argv[2], GetLastError());
    return 1;
  }
  wchar_t type[64], name[64];
  unsigned short language;
  unsigned long length, crc;
  int listed = 0;
  while (std::fwscanf(listing, L"%63ls %63ls %hu %lu %lx", type, name, &language, &length, &crc) == 5) {
    if (Differs(module, type, name, language, length, crc)) return 1;
    ++listed;
  }
  int enumerated = 0;
  EnumResourceTypesW(module, CountNames, reinterpret_cast<LONG_PTR>(&enumerated));
  if (enumerated != listed) {
    std::printf("the loader enumerates %d resources, the listing has %d\n", enumerated, listed);
    return 1;
  }
  return 0;
}

#pragma once
// Redirects one of this test program's imports: the launcher's code, linked into it,
// calls the platform through the program's import table, so a test can see and decide
// what one platform function does, without a seam in the product.
#include <windows.h>

#include <cstring>

// The slot of this program's import table through which the launcher's code, linked into
// it, calls `function` of `dll`; null if the program doesn't import it.
inline void** ImportSlot(const char* dll, const char* function) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       d->Name != 0; ++d) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
    auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; name->u1.AddressOfData != 0; ++name, ++slot) {
      if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
        return reinterpret_cast<void**>(&slot->u1.Function);
    }
  }
  return nullptr;
}

// Points one import slot elsewhere for the lifetime of the object.
class ImportPatch {
 public:
  ImportPatch(const char* dll, const char* function, void* replacement)
      : slot_(ImportSlot(dll, function)) {
    if (slot_ == nullptr) return;
    original_ = Exchange(replacement);
  }
  ~ImportPatch() {
    if (slot_ != nullptr) Exchange(original_);
  }
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

  bool Installed() const { return slot_ != nullptr; }
  void* Original() const { return original_; }

 private:
  void* Exchange(void* value) {
    DWORD protection = 0;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
    void* previous = *slot_;
    *slot_ = value;
    VirtualProtect(slot_, sizeof *slot_, protection, &protection);
    return previous;
  }

  void** slot_;
  void* original_ = nullptr;
};

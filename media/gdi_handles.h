#pragma once
#include <windows.h>

// Deletes a graphics object held in `handle`, if any, and clears the handle.
template <typename Handle>
void DeleteAndClear(Handle& handle) {
  if (handle != nullptr) {
    DeleteObject(handle);
    handle = nullptr;
  }
}

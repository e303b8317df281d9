// The bytes of a resource the module carries; they live as long as the module is loaded.
#pragma once

#include <windows.h>

#include <string_view>

namespace pelmor::ui {

inline std::string_view ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC found = FindResourceA(module, name, type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const char* bytes = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  return bytes != nullptr ? std::string_view(bytes, SizeofResource(module, found)) : std::string_view();
}

}  // namespace pelmor::ui

// Registry calls of the store, made with the ANSI advapi32 functions.
#include "ui/win32_registry.h"

#include <windows.h>

#include <string>

namespace pelmor::ui {

namespace {

HKEY Key(store::RegKey key) { return reinterpret_cast<HKEY>(key); }
store::RegKey Handle(HKEY key) { return reinterpret_cast<store::RegKey>(key); }

}  // namespace

store::RegKey Win32Registry::CreateKeyEx(std::string_view path, bool* created) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  std::string name(path);
  if (RegCreateKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &key, &disposition) != ERROR_SUCCESS)
    return 0;
  *created = disposition == REG_CREATED_NEW_KEY;
  return Handle(key);
}

store::RegKey Win32Registry::CreateKey(std::string_view path) {
  HKEY key = nullptr;
  std::string name(path);
  if (RegCreateKeyA(HKEY_CURRENT_USER, name.c_str(), &key) != ERROR_SUCCESS) return 0;
  return Handle(key);
}

store::QueryResult Win32Registry::QueryValue(store::RegKey key, std::string_view name, std::size_t capacity) {
  store::QueryResult result;
  if (key == 0) return result;
  std::string valueName(name);
  std::vector<std::uint8_t> buffer(capacity);
  DWORD type = 0;
  auto size = static_cast<DWORD>(capacity);
  LONG status = RegQueryValueExA(Key(key), valueName.c_str(), nullptr, &type, buffer.data(), &size);
  if (status == ERROR_MORE_DATA) {
    result.status = store::QueryStatus::kTooLong;
  } else if (status == ERROR_SUCCESS) {
    result.status = store::QueryStatus::kOk;
    buffer.resize(size);
    result.data = std::move(buffer);
  }
  return result;
}

bool Win32Registry::SetValue(store::RegKey key, std::string_view name, store::ValueType type,
                             const std::vector<std::uint8_t>& data) {
  std::string valueName(name);
  return RegSetValueExA(Key(key), valueName.c_str(), 0, static_cast<DWORD>(type), data.data(),
                        static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(store::RegKey key, std::string_view name) {
  std::string valueName(name);
  return RegDeleteValueA(Key(key), valueName.c_str()) == ERROR_SUCCESS;
}

void Win32Registry::CloseKey(store::RegKey key) {
  if (key != 0) RegCloseKey(Key(key));
}

}  // namespace pelmor::ui

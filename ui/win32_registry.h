// The Windows registry under HKEY_CURRENT_USER, as the store's Registry.
#pragma once

#include "store/registry.h"

namespace pelmor::ui {

class Win32Registry : public store::Registry {
 public:
  store::RegKey CreateKeyEx(std::string_view path, bool* created) override;
  store::RegKey CreateKey(std::string_view path) override;
  store::QueryResult QueryValue(store::RegKey key, std::string_view name, std::size_t capacity) override;
  bool SetValue(store::RegKey key, std::string_view name, store::ValueType type,
                const std::vector<std::uint8_t>& data) override;
  bool DeleteValue(store::RegKey key, std::string_view name) override;
  void CloseKey(store::RegKey key) override;
};

}  // namespace pelmor::ui

// An in-memory registry under one user, with the Windows calls' behaviour on open keys.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "store/registry.h"

namespace pelmor::testing {

class MemoryRegistry : public store::Registry {
 public:
  struct Value {
    store::ValueType type;
    std::vector<std::uint8_t> data;
  };

  // Every open, read, write, delete and close in order, e.g. "RegSetValue GamesPlayed = 3".
  std::vector<std::string> calls;
  // Called with each of those descriptions, so a recording platform can put it in its log.
  std::function<void(const std::string&)> onCall;
  // When set, every open fails, as when the key cannot be opened or created.
  bool failOpens = false;

  store::RegKey CreateKeyEx(std::string_view path, bool* created) override;
  store::RegKey CreateKey(std::string_view path) override;
  store::QueryResult QueryValue(store::RegKey key, std::string_view name, std::size_t capacity) override;
  bool SetValue(store::RegKey key, std::string_view name, store::ValueType type,
                const std::vector<std::uint8_t>& data) override;
  bool DeleteValue(store::RegKey key, std::string_view name) override;
  void CloseKey(store::RegKey key) override;

  bool KeyExists(const std::string& path) const { return keys_.count(path) != 0; }
  void AddKey(const std::string& path) { keys_[path]; }
  void SetDword(const std::string& path, const std::string& name, std::uint32_t value);
  void SetRaw(const std::string& path, const std::string& name, store::ValueType type, std::vector<std::uint8_t> data);
  const Value* Find(const std::string& path, const std::string& name) const;
  int OpenKeyCount() const { return static_cast<int>(open_.size()); }

 private:
  store::RegKey Open(std::string_view path, bool* created);
  void Note(const std::string& call);
  std::map<std::string, std::map<std::string, Value>> keys_;
  std::map<store::RegKey, std::string> open_;
  store::RegKey next_ = 0x100;
};

}  // namespace pelmor::testing

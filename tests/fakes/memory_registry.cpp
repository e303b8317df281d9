// In-memory registry for the unit tests.
#include "tests/fakes/memory_registry.h"

namespace pelmor::testing {

store::RegKey MemoryRegistry::Open(std::string_view path, bool* created) {
  if (failOpens) return 0;
  std::string name(path);
  bool isNew = keys_.count(name) == 0;
  keys_[name];
  if (created != nullptr) *created = isNew;
  store::RegKey key = next_++;
  open_[key] = name;
  return key;
}

void MemoryRegistry::Note(const std::string& call) {
  calls.push_back(call);
  if (onCall) onCall(call);
}

store::RegKey MemoryRegistry::CreateKeyEx(std::string_view path, bool* created) {
  store::RegKey key = Open(path, created);
  Note("RegCreateKeyEx " + std::string(path) + (key != 0 && *created ? " created" : ""));
  return key;
}

store::RegKey MemoryRegistry::CreateKey(std::string_view path) {
  Note("RegCreateKey " + std::string(path));
  return Open(path, nullptr);
}

store::QueryResult MemoryRegistry::QueryValue(store::RegKey key, std::string_view name, std::size_t capacity) {
  Note("RegQueryValue " + std::string(name));
  store::QueryResult result;
  auto open = open_.find(key);
  if (open == open_.end()) return result;
  auto& values = keys_[open->second];
  auto value = values.find(std::string(name));
  if (value == values.end()) return result;
  if (value->second.data.size() > capacity) {
    result.status = store::QueryStatus::kTooLong;
    return result;
  }
  result.status = store::QueryStatus::kOk;
  result.data = value->second.data;
  return result;
}

bool MemoryRegistry::SetValue(store::RegKey key, std::string_view name, store::ValueType type,
                              const std::vector<std::uint8_t>& data) {
  std::string shown;
  if (type == store::ValueType::kDword && data.size() == 4)
    shown = std::to_string(data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24);
  else
    shown = std::string(data.begin(), data.end());
  Note("RegSetValue " + std::string(name) + " = " + shown);
  auto open = open_.find(key);
  if (open == open_.end()) return false;
  keys_[open->second][std::string(name)] = Value{type, data};
  return true;
}

bool MemoryRegistry::DeleteValue(store::RegKey key, std::string_view name) {
  Note("RegDeleteValue " + std::string(name));
  auto open = open_.find(key);
  if (open == open_.end()) return false;
  return keys_[open->second].erase(std::string(name)) != 0;
}

void MemoryRegistry::CloseKey(store::RegKey key) {
  auto open = open_.find(key);
  Note("RegCloseKey " + (open == open_.end() ? std::string("?") : open->second));
  if (open != open_.end()) open_.erase(open);
}

void MemoryRegistry::SetDword(const std::string& path, const std::string& name, std::uint32_t value) {
  SetRaw(path, name, store::ValueType::kDword,
         {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value >> 16),
          static_cast<std::uint8_t>(value >> 24)});
}

void MemoryRegistry::SetRaw(const std::string& path, const std::string& name, store::ValueType type,
                            std::vector<std::uint8_t> data) {
  keys_[path][name] = Value{type, std::move(data)};
}

const MemoryRegistry::Value* MemoryRegistry::Find(const std::string& path, const std::string& name) const {
  auto key = keys_.find(path);
  if (key == keys_.end()) return nullptr;
  auto value = key->second.find(name);
  return value == key->second.end() ? nullptr : &value->second;
}

}  // namespace pelmor::testing

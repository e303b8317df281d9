// The registry as the store sees it: the few calls it makes, on keys under the current user,
// so that the Windows registry and an in-memory one for tests are interchangeable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pelmor::store {

// An open key; 0 is "no key". Calls on key 0 fail, as the Windows calls do on a null handle.
using RegKey = std::uintptr_t;

enum class ValueType : std::uint32_t { kString = 1, kBinary = 3, kDword = 4 };

enum class QueryStatus { kOk, kMissing, kTooLong };

struct QueryResult {
  QueryStatus status = QueryStatus::kMissing;
  std::vector<std::uint8_t> data;  // the value's bytes when kOk
};

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens or creates a key under the current user with full access; *created tells whether this
  // call created it. Returns 0 when the key can be neither opened nor created.
  virtual RegKey CreateKeyEx(std::string_view path, bool* created) = 0;
  // Opens or creates a key under the current user without telling which.
  virtual RegKey CreateKey(std::string_view path) = 0;
  // Reads a value into a buffer of `capacity` bytes, whatever its stored type.
  virtual QueryResult QueryValue(RegKey key, std::string_view name, std::size_t capacity) = 0;
  virtual bool SetValue(RegKey key, std::string_view name, ValueType type, const std::vector<std::uint8_t>& data) = 0;
  virtual bool DeleteValue(RegKey key, std::string_view name) = 0;
  virtual void CloseKey(RegKey key) = 0;
};

// Owns one open key and closes it exactly once.
class ScopedKey {
 public:
  ScopedKey() = default;
  ScopedKey(Registry& registry, RegKey key) : registry_(&registry), key_(key) {}
  ScopedKey(ScopedKey&& other) noexcept : registry_(other.registry_), key_(other.key_) { other.key_ = 0; }
  ScopedKey& operator=(ScopedKey&& other) noexcept {
    if (this != &other) {
      Close();
      registry_ = other.registry_;
      key_ = other.key_;
      other.key_ = 0;
    }
    return *this;
  }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  ~ScopedKey() { Close(); }

  RegKey get() const { return key_; }
  void Close() {
    if (key_ != 0 && registry_ != nullptr) registry_->CloseKey(key_);
    key_ = 0;
  }

 private:
  Registry* registry_ = nullptr;
  RegKey key_ = 0;
};

}  // namespace pelmor::store

// Reading the settings key by its rules: fixed capacities, stored types ignored, defaults kept.
#include "store/settings_store.h"

namespace pelmor::store {

StartupKey OpenAtStartup(Registry& registry) {
  StartupKey result;
  bool created = false;
  RegKey key = registry.CreateKeyEx(kSettingsKeyPath, &created);
  result.key = ScopedKey(registry, key);
  result.created = key != 0 && created;
  return result;
}

ScopedKey OpenSettings(Registry& registry) { return ScopedKey(registry, registry.CreateKey(kSettingsKeyPath)); }

std::uint32_t ReadNumber(Registry& registry, RegKey key, std::string_view name, std::uint32_t fallback) {
  QueryResult result = registry.QueryValue(key, name, 4);
  if (result.status != QueryStatus::kOk || result.data.size() > 4) return fallback;
  // The preset bytes of the default stay where the stored value is shorter than four bytes.
  std::uint32_t value = fallback;
  for (std::size_t i = 0; i < result.data.size(); ++i) {
    value &= ~(0xFFu << (8 * i));
    value |= static_cast<std::uint32_t>(result.data[i]) << (8 * i);
  }
  return value;
}

void WriteNumber(Registry& registry, RegKey key, std::string_view name, std::uint32_t value) {
  registry.SetValue(key, name, ValueType::kDword,
                    {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                     static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void WriteNoHints(Registry& registry, bool noHints) {
  ScopedKey key = OpenSettings(registry);
  WriteNumber(registry, key.get(), "NoHints", noHints ? 1 : 0);
}

bool ReadNoHints(Registry& registry, RegKey key) { return ReadNumber(registry, key, "NoHints", 0) == 1; }

std::string ReadDeckLibrary(Registry& registry, RegKey key) {
  QueryResult result = registry.QueryValue(key, "DeckDLL", kDeckPathCapacity);
  if (result.status != QueryStatus::kOk) return {};
  std::string path(result.data.begin(), result.data.end());
  // A string value carries its terminating zero; anything from the first zero on is not the path.
  if (auto zero = path.find('\0'); zero != std::string::npos) path.resize(zero);
  return path;
}

std::uint32_t ReadCardBackSetting(Registry& registry) {
  ScopedKey key = OpenSettings(registry);
  return ReadNumber(registry, key.get(), "CardBack", kRandomCardBack);
}

void WriteCardBack(Registry& registry, std::uint32_t back) {
  ScopedKey key = OpenSettings(registry);
  WriteNumber(registry, key.get(), "CardBack", back);
}

void WriteDeckLibrary(Registry& registry, std::string_view path) {
  ScopedKey key = OpenSettings(registry);
  std::vector<std::uint8_t> data(path.begin(), path.end());
  data.push_back(0);
  registry.SetValue(key.get(), "DeckDLL", ValueType::kString, data);
}

void ResetDeck(Registry& registry) {
  ScopedKey key = OpenSettings(registry);
  registry.DeleteValue(key.get(), "DeckDLL");
  registry.DeleteValue(key.get(), "CardBack");
}

}  // namespace pelmor::store

// Writing and deleting the card settings.
#include "store/deck_settings.h"

#include "store/settings_store.h"

namespace pelmor::store {

void WriteCardBack(Registry& registry, std::uint32_t back) {
  ScopedKey key = OpenSettings(registry);
  std::vector<std::uint8_t> data;
  for (int shift = 0; shift < 32; shift += 8) data.push_back(static_cast<std::uint8_t>(back >> shift));
  registry.SetValue(key.get(), "CardBack", ValueType::kDword, data);
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

// The change-deck dialog's writes to the settings key: the card back, the deck library, and the
// reset of both. Each opens the key (creating it when missing) and closes it before returning.
#pragma once

#include <cstdint>
#include <string_view>

#include "store/registry.h"

namespace pelmor::store {

// CardBack as a 4-byte number: 0..11, or 255 for a random back.
void WriteCardBack(Registry& registry, std::uint32_t back);
// DeckDLL as text with its terminating zero.
void WriteDeckLibrary(Registry& registry, std::string_view path);
// Deletes DeckDLL, then CardBack.
void ResetDeck(Registry& registry);

}  // namespace pelmor::store

// The per-user settings and statistics key: its path, value names and the reading rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "store/registry.h"

namespace pelmor::store {

inline constexpr std::string_view kSettingsKeyPath = "Software\\Halvek\\Pelmor";
inline constexpr std::string_view kParentKeyPath = "Software\\Halvek";

inline constexpr std::uint32_t kRandomCardBack = 255;
inline constexpr std::size_t kDeckPathCapacity = 261;

// The open that starts the program: full access, creating the key when missing. A newly created
// key is a first start for this user.
struct StartupKey {
  ScopedKey key;
  bool created = false;
};
StartupKey OpenAtStartup(Registry& registry);

// Opens the settings key, creating it when missing (every open but the start-up one).
ScopedKey OpenSettings(Registry& registry);

// Reads a 4-byte number whatever its stored type; absent or longer than 4 bytes gives `fallback`,
// shorter values are taken as the little-endian bytes that are there.
std::uint32_t ReadNumber(Registry& registry, RegKey key, std::string_view name, std::uint32_t fallback);

// Writes a number as REG_DWORD, little-endian.
void WriteNumber(Registry& registry, RegKey key, std::string_view name, std::uint32_t value);

bool ReadNoHints(Registry& registry, RegKey key);
// NoHints, 1 or 0, with its own open and close.
void WriteNoHints(Registry& registry, bool noHints);

// The deck library path; empty when absent or when it does not fit in 261 bytes with its zero.
std::string ReadDeckLibrary(Registry& registry, RegKey key);

// CardBack with its own open and close; 255 when absent.
std::uint32_t ReadCardBackSetting(Registry& registry);
// The change-deck dialog's writes, each with its own open and close: the back number, the
// library path with its terminating zero, and the reset, which deletes DeckDLL, then CardBack.
void WriteCardBack(Registry& registry, std::uint32_t back);
void WriteDeckLibrary(Registry& registry, std::string_view path);
void ResetDeck(Registry& registry);

}  // namespace pelmor::store

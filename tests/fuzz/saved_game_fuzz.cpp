// libFuzzer target: the saved-game decoder over any bytes. Beyond the sanitizers' findings it
// checks that a file the decoder accepts encodes back to exactly the bytes it read, and that the
// time check agrees with the x87's own comparison where long double is that format.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <span>

#include "store/saved_game.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelmor::store;
  std::span<const std::uint8_t> file(data, size);
  DecodedSavedGame decoded = DecodeSavedGame(file);

  if (size >= kElapsedSize) {
    // The last ten bytes as a time field: kept bit for bit, and compared with zero as the x87 does.
    std::array<std::uint8_t, kElapsedSize> tail{};
    std::memcpy(tail.data(), data + size - kElapsedSize, kElapsedSize);
    pelmor::game::Extended elapsed = pelmor::game::Extended::FromBytes(tail);
    Check(elapsed.ToBytes() == tail);
    if constexpr (std::numeric_limits<long double>::digits == 64 && sizeof(long double) >= kElapsedSize) {
      long double value = 0;
      std::memcpy(&value, tail.data(), kElapsedSize);
      Check(elapsed.AtLeastZero() == (value >= 0.0L));
    }
  }

  if (!decoded.game) return 0;
  auto encoded = EncodeSavedGame(*decoded.game);
  Check(encoded.has_value());
  Check(encoded->size() <= size && encoded->size() <= kMaxSavedGameSize);
  Check(std::memcmp(encoded->data(), data, encoded->size()) == 0);
  return 0;
}

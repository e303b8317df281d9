// Field-by-field byte writers for the binary formats the generator emits.
#pragma once

#include <cstdint>
#include <vector>

namespace pelmor::cardart {

using Bytes = std::vector<std::uint8_t>;

inline void putU8(Bytes& out, unsigned v) { out.push_back(static_cast<std::uint8_t>(v & 0xFFu)); }

inline void putU16LE(Bytes& out, std::uint16_t v) {
  putU8(out, v);
  putU8(out, v >> 8u);
}

inline void putU32LE(Bytes& out, std::uint32_t v) {
  for (unsigned shift = 0; shift < 32; shift += 8) putU8(out, v >> shift);
}

inline void putI32LE(Bytes& out, std::int32_t v) { putU32LE(out, static_cast<std::uint32_t>(v)); }

inline void putU32BE(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) putU8(out, v >> static_cast<unsigned>(shift));
}

}  // namespace pelmor::cardart

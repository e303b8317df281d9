// The 80-bit extended real of the x87 (the game clock's day count and its 10 bytes in the
// saved-game file), computed with integers so every build gets the same bits whatever its
// long double is and whatever precision the FPU is set to.
#pragma once

#include <array>
#include <cstdint>

namespace pelmor::game {

// Layout: a 64-bit significand with an explicit leading bit, a 15-bit exponent biased by 16383
// and a sign bit. Encodings the x87 refuses as operands (unnormals, pseudo-infinities and
// pseudo-NaNs) are kept as they are, compare as unordered, and turn a sum into the x87's
// "indefinite" NaN, which is what the FPU gives with its invalid-operation exception masked.
class Extended {
 public:
  // +0.0.
  constexpr Extended() = default;

  // Exact: every double has an extended value. A signalling NaN comes back quiet, as an x87 load
  // makes it.
  static Extended FromDouble(double value);
  // Bytes 0-7 the significand, 8-9 the sign and exponent, each little-endian.
  static Extended FromBytes(const std::array<std::uint8_t, 10>& bytes);
  std::array<std::uint8_t, 10> ToBytes() const;

  std::uint64_t Significand() const { return significand_; }
  std::uint16_t SignExponent() const { return signExponent_; }

  // This value plus a double, the sum rounded to 64 significand bits, to nearest, ties to even.
  Extended Plus(double addend) const;

  // Whether this value >= 0.0 as the x87 compares: true for both zeros and positive values
  // (infinity included); false for negative values, NaNs and invalid encodings.
  bool AtLeastZero() const;

  // The value with its fraction dropped, towards zero. Beyond the 64-bit range it is the nearest
  // end of the range; NaNs and invalid encodings give 0.
  std::int64_t WholeDays() const;

  // The fraction of the magnitude taken as a time of day and rounded to the nearest millisecond
  // (ties to even): 0 to 86,400,000 inclusive, the top value when the fraction rounds up to a
  // whole day. NaNs, infinities and invalid encodings give 0.
  std::uint32_t DayMilliseconds() const;

  friend bool operator==(const Extended&, const Extended&) = default;

 private:
  constexpr Extended(std::uint64_t significand, std::uint16_t signExponent)
      : significand_(significand), signExponent_(signExponent) {}

  std::uint64_t significand_ = 0;
  std::uint16_t signExponent_ = 0;  // bit 15 the sign, bits 0-14 the biased exponent
};

}  // namespace pelmor::game

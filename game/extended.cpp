// The x87 extended real in integer arithmetic: decoding, the rounded sum and the conversions
// the clock needs.
#include "game/extended.h"

#include <bit>
#include <limits>

namespace pelmor::game {

namespace {

constexpr std::uint64_t kLeadingBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 62;
constexpr std::uint16_t kSignBit = 0x8000;
constexpr std::uint16_t kExponentMask = 0x7FFF;
constexpr int kBias = 16383;
constexpr int kMinExponent = 1 - kBias;  // of normals and (pseudo-)denormals alike
constexpr int kMaxExponent = kBias;

// 128 bits as two halves; the i686 compilers have no 128-bit integer.
struct U128 {
  std::uint64_t hi = 0;
  std::uint64_t lo = 0;
  bool Zero() const { return hi == 0 && lo == 0; }
};

bool Less(U128 a, U128 b) { return a.hi != b.hi ? a.hi < b.hi : a.lo < b.lo; }

U128 Add(U128 a, U128 b, bool* carry) {
  U128 r{a.hi + b.hi, a.lo + b.lo};
  std::uint64_t low = r.lo < a.lo ? 1 : 0;
  *carry = r.hi < a.hi || (r.hi == ~std::uint64_t{0} && low != 0);
  r.hi += low;
  return r;
}

U128 Sub(U128 a, U128 b) {  // requires a >= b
  U128 r{a.hi - b.hi, a.lo - b.lo};
  if (a.lo < b.lo) --r.hi;
  return r;
}

U128 ShiftLeft(U128 v, int n) {  // 0 <= n < 128
  if (n == 0) return v;
  if (n >= 64) return {v.lo << (n - 64), 0};
  return {(v.hi << n) | (v.lo >> (64 - n)), v.lo << n};
}

U128 ShiftRight(U128 v, int n) {  // 0 <= n < 128
  if (n == 0) return v;
  if (n >= 64) return {0, v.hi >> (n - 64)};
  return {v.hi >> n, (v.lo >> n) | (v.hi << (64 - n))};
}

// Shifts right and keeps whether anything nonzero fell off in the lowest bit.
U128 ShiftRightSticky(U128 v, int n) {
  if (n <= 0) return v;
  if (n >= 128) return {0, v.Zero() ? 0u : 1u};
  U128 kept = ShiftRight(v, n);
  bool lost = Less(ShiftLeft(kept, n), v) || Less(v, ShiftLeft(kept, n));
  if (lost) kept.lo |= 1;
  return kept;
}

// A 64-bit number times a 32-bit one.
U128 Multiply(std::uint64_t a, std::uint32_t b) {
  std::uint64_t low = (a & 0xFFFFFFFFu) * b;
  std::uint64_t high = (a >> 32) * b;
  bool carry = false;
  return Add(U128{high >> 32, high << 32}, U128{0, low}, &carry);
}

enum class Kind { kZero, kFinite, kInfinity, kNaN, kInvalid };

// A finite value as significand * 2^(exponent - 63); (pseudo-)denormals carry the least exponent.
struct Unpacked {
  bool negative = false;
  int exponent = kMinExponent;
  std::uint64_t significand = 0;
};

Kind Classify(std::uint64_t significand, std::uint16_t signExponent) {
  int biased = signExponent & kExponentMask;
  bool leading = (significand & kLeadingBit) != 0;
  if (biased == kExponentMask) {
    if (!leading) return Kind::kInvalid;  // pseudo-infinity or pseudo-NaN
    return significand == kLeadingBit ? Kind::kInfinity : Kind::kNaN;
  }
  if (biased == 0) return significand == 0 ? Kind::kZero : Kind::kFinite;  // denormals are valid
  return leading ? Kind::kFinite : Kind::kInvalid;                        // an unnormal is not
}

Unpacked Unpack(std::uint64_t significand, std::uint16_t signExponent) {
  int biased = signExponent & kExponentMask;
  return {(signExponent & kSignBit) != 0, biased == 0 ? kMinExponent : biased - kBias, significand};
}

bool MagnitudeLess(const Unpacked& a, const Unpacked& b) {
  // Only the least exponent holds significands without their leading bit, so a greater exponent
  // is a greater magnitude.
  if (a.exponent != b.exponent) return a.exponent < b.exponent;
  return a.significand < b.significand;
}

}  // namespace

Extended Extended::FromDouble(double value) {
  auto bits = std::bit_cast<std::uint64_t>(value);
  std::uint16_t sign = (bits >> 63) != 0 ? kSignBit : std::uint16_t{0};
  int exponent = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (exponent == 0x7FF) {
    if (fraction == 0) return {kLeadingBit, static_cast<std::uint16_t>(sign | kExponentMask)};
    return {kLeadingBit | kQuietBit | (fraction << 11), static_cast<std::uint16_t>(sign | kExponentMask)};
  }
  if (exponent == 0) {
    if (fraction == 0) return {0, sign};
    // A double denormal is fraction * 2^-1074; here it becomes a normal number.
    int top = 63 - std::countl_zero(fraction);
    return {fraction << (63 - top), static_cast<std::uint16_t>(sign | (top - 1074 + kBias))};
  }
  return {kLeadingBit | (fraction << 11), static_cast<std::uint16_t>(sign | (exponent - 1023 + kBias))};
}

Extended Extended::FromBytes(const std::array<std::uint8_t, 10>& bytes) {
  std::uint64_t significand = 0;
  for (int i = 7; i >= 0; --i) significand = (significand << 8) | bytes[static_cast<std::size_t>(i)];
  return {significand, static_cast<std::uint16_t>(bytes[8] | (bytes[9] << 8))};
}

std::array<std::uint8_t, 10> Extended::ToBytes() const {
  std::array<std::uint8_t, 10> bytes{};
  for (std::size_t i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(significand_ >> (8 * i));
  bytes[8] = static_cast<std::uint8_t>(signExponent_);
  bytes[9] = static_cast<std::uint8_t>(signExponent_ >> 8);
  return bytes;
}

Extended Extended::Plus(double addend) const {
  const Extended indefinite{kLeadingBit | kQuietBit, static_cast<std::uint16_t>(kSignBit | kExponentMask)};
  Extended other = FromDouble(addend);
  Kind kind = Classify(significand_, signExponent_);
  Kind otherKind = Classify(other.significand_, other.signExponent_);
  if (kind == Kind::kInvalid) return indefinite;
  if (kind == Kind::kNaN || otherKind == Kind::kNaN) {
    // Of two NaNs the one with the greater significand wins; either comes back quiet.
    Extended nan = otherKind != Kind::kNaN || (kind == Kind::kNaN && significand_ >= other.significand_) ? *this : other;
    nan.significand_ |= kQuietBit;
    return nan;
  }
  bool negative = (signExponent_ & kSignBit) != 0;
  bool otherNegative = (other.signExponent_ & kSignBit) != 0;
  if (kind == Kind::kInfinity || otherKind == Kind::kInfinity) {
    if (kind == Kind::kInfinity && otherKind == Kind::kInfinity && negative != otherNegative) return indefinite;
    return kind == Kind::kInfinity ? *this : other;
  }
  if (kind == Kind::kZero && otherKind == Kind::kZero)
    return {0, static_cast<std::uint16_t>(negative && otherNegative ? kSignBit : 0)};

  Unpacked a = Unpack(significand_, signExponent_);
  Unpacked b = Unpack(other.significand_, other.signExponent_);
  if (MagnitudeLess(a, b)) std::swap(a, b);
  // The smaller operand aligned below the greater one, with 64 guard bits and a sticky bit.
  U128 big{a.significand, 0};
  U128 small = ShiftRightSticky(U128{b.significand, 0}, a.exponent - b.exponent);
  int exponent = a.exponent;
  U128 sum;
  if (a.negative == b.negative) {
    bool carry = false;
    sum = Add(big, small, &carry);
    if (carry) {
      sum = ShiftRightSticky(sum, 1);
      sum.hi |= kLeadingBit;
      ++exponent;
    }
  } else {
    sum = Sub(big, small);
    if (sum.Zero()) return {};  // x - x is +0 when rounding to nearest
    while ((sum.hi & kLeadingBit) == 0 && exponent > kMinExponent) {
      sum = ShiftLeft(sum, 1);
      --exponent;
    }
  }
  // Round to nearest, ties to even.
  std::uint64_t result = sum.hi;
  if (sum.lo > kLeadingBit || (sum.lo == kLeadingBit && (result & 1) != 0)) {
    if (++result == 0) {
      result = kLeadingBit;
      ++exponent;
    }
  }
  std::uint16_t sign = a.negative ? kSignBit : std::uint16_t{0};
  if (exponent > kMaxExponent) return {kLeadingBit, static_cast<std::uint16_t>(sign | kExponentMask)};
  // Without its leading bit the result is a denormal, encoded with exponent field 0.
  int biased = (result & kLeadingBit) != 0 ? exponent + kBias : 0;
  return {result, static_cast<std::uint16_t>(sign | biased)};
}

bool Extended::AtLeastZero() const {
  switch (Classify(significand_, signExponent_)) {
    case Kind::kZero: return true;
    case Kind::kFinite:
    case Kind::kInfinity: return (signExponent_ & kSignBit) == 0;
    case Kind::kNaN:
    case Kind::kInvalid: break;
  }
  return false;
}

std::int64_t Extended::WholeDays() const {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  bool negative = (signExponent_ & kSignBit) != 0;
  switch (Classify(significand_, signExponent_)) {
    case Kind::kZero:
    case Kind::kNaN:
    case Kind::kInvalid: return 0;
    case Kind::kInfinity: return negative ? kMin : kMax;
    case Kind::kFinite: break;
  }
  Unpacked value = Unpack(significand_, signExponent_);
  if (value.exponent < 0) return 0;
  if (value.exponent >= 63) return negative ? kMin : kMax;  // -2^63 itself is kMin as well
  auto magnitude = static_cast<std::int64_t>(value.significand >> (63 - value.exponent));
  return negative ? -magnitude : magnitude;
}

std::uint32_t Extended::DayMilliseconds() const {
  constexpr std::uint32_t kMillisecondsPerDay = 86'400'000;
  if (Classify(significand_, signExponent_) != Kind::kFinite) return 0;
  Unpacked value = Unpack(significand_, signExponent_);
  int fractionBits = 63 - value.exponent;
  if (fractionBits <= 0) return 0;
  // The fraction times 86,400,000 is below 2^91; past 127 fraction bits it is below one half.
  if (fractionBits > 127) return 0;
  std::uint64_t fraction =
      fractionBits >= 64 ? value.significand : value.significand & ((std::uint64_t{1} << fractionBits) - 1);
  U128 scaled = Multiply(fraction, kMillisecondsPerDay);
  U128 whole = ShiftRight(scaled, fractionBits);
  U128 rest = Sub(scaled, ShiftLeft(whole, fractionBits));
  U128 half = ShiftLeft(U128{0, 1}, fractionBits - 1);
  auto milliseconds = static_cast<std::uint32_t>(whole.lo);
  if (Less(half, rest) || (!Less(rest, half) && (milliseconds & 1) != 0)) ++milliseconds;
  return milliseconds;
}

}  // namespace pelmor::game

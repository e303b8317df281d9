// The integer x87 extended real against the file layout's examples and, where the host has an
// x87, against the FPU itself.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "game/extended.h"

namespace pelmor::game {
namespace {

using Bytes = std::array<std::uint8_t, 10>;

constexpr double kOneSecond = 1.0 / 86400.0;

TEST(Extended, MatchesTheFileLayoutExamples) {
  EXPECT_EQ(Extended().ToBytes(), Bytes{});
  EXPECT_EQ(Extended::FromDouble(1.0).ToBytes(), (Bytes{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
  EXPECT_EQ(Extended::FromDouble(-1.0).ToBytes(), (Bytes{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xBF}));
  Bytes oneSecond{0x00, 0x48, 0x89, 0x72, 0x06, 0x45, 0x2E, 0xC2, 0xEE, 0x3F};
  EXPECT_EQ(Extended().Plus(kOneSecond).ToBytes(), oneSecond);
  EXPECT_EQ(Extended::FromBytes(oneSecond).ToBytes(), oneSecond);
  EXPECT_EQ(Extended::FromBytes(oneSecond).DayMilliseconds(), 1000u);
}

TEST(Extended, ComparesWithZeroAsTheFpuDoes) {
  auto at = [](std::uint64_t significand, std::uint16_t signExponent) {
    Bytes bytes{};
    for (int i = 0; i < 8; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(significand >> (8 * i));
    bytes[8] = static_cast<std::uint8_t>(signExponent);
    bytes[9] = static_cast<std::uint8_t>(signExponent >> 8);
    return Extended::FromBytes(bytes);
  };
  EXPECT_TRUE(at(0, 0x8000).AtLeastZero());                      // -0
  EXPECT_TRUE(at(0x8000000000000000u, 0x7FFF).AtLeastZero());    // +infinity
  EXPECT_TRUE(at(0x4000000000000000u, 0x0000).AtLeastZero());    // a denormal
  EXPECT_TRUE(at(0x8000000000000001u, 0x0000).AtLeastZero());    // a pseudo-denormal
  EXPECT_FALSE(at(0x8000000000000000u, 0xBFFF).AtLeastZero());   // -1
  EXPECT_FALSE(at(0xC000000000000000u, 0x7FFF).AtLeastZero());   // a quiet NaN
  EXPECT_FALSE(at(0x4000000000000000u, 0x3FFF).AtLeastZero());   // an unnormal
  EXPECT_FALSE(at(0x0000000000000000u, 0x7FFF).AtLeastZero());   // a pseudo-infinity
  EXPECT_FALSE(at(0x4000000000000000u, 0x3FFF).Plus(1.0).AtLeastZero());
  EXPECT_EQ(at(0x8000000000000000u, 0x403E).WholeDays(), std::numeric_limits<std::int64_t>::max());  // 2^63
  EXPECT_EQ(at(0x8000000000000000u, 0xC03E).WholeDays(), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(Extended::FromDouble(-2.75).WholeDays(), -2);
}

TEST(Extended, RoundsTheDayFractionToTheNearestMillisecondTiesToEven) {
  // 2^-11 of a day is 42,187.5 ms exactly; 3 * 2^-11 is 126,562.5 ms.
  EXPECT_EQ(Extended::FromDouble(std::ldexp(1.0, -11)).DayMilliseconds(), 42188u);
  EXPECT_EQ(Extended::FromDouble(3 * std::ldexp(1.0, -11)).DayMilliseconds(), 126562u);
  EXPECT_EQ(Extended::FromDouble(5.0 + std::ldexp(1.0, -30)).DayMilliseconds(), 0u);
  EXPECT_EQ(Extended::FromDouble(1.0 - std::ldexp(1.0, -40)).DayMilliseconds(), 86'400'000u);
  EXPECT_EQ(Extended::FromDouble(-0.5).DayMilliseconds(), 43'200'000u);
}

#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64
// The host's long double is the x87 format: the FPU is the oracle.
long double ToHardware(const Extended& value) {
  long double hardware = 0;
  Bytes bytes = value.ToBytes();
  std::memcpy(&hardware, bytes.data(), bytes.size());
  return hardware;
}

Extended FromHardware(long double hardware) {
  Bytes bytes{};
  std::memcpy(bytes.data(), &hardware, bytes.size());
  return Extended::FromBytes(bytes);
}

TEST(Extended, AddsADoubleBitForBitAsTheFpu) {
  std::mt19937_64 random(20261209);
  // Exponents near each other and the zero/top ends make cancellations, carries, ties and the
  // special encodings frequent.
  auto randomExtended = [&] {
    std::uint64_t significand = random();
    std::uint16_t exponent;
    switch (random() % 8) {
      case 0: exponent = 0; break;
      case 1: exponent = 0x7FFF; break;
      case 2: exponent = static_cast<std::uint16_t>(random() % 0x8000); break;
      default: exponent = static_cast<std::uint16_t>(0x3FFF - 40 + random() % 80); break;
    }
    if (random() % 4 == 0) significand &= ~std::uint64_t{0} << (random() % 64);
    if (random() % 8 != 0) significand |= std::uint64_t{1} << 63;
    if (random() % 2 != 0) exponent |= 0x8000;
    Bytes bytes{};
    for (int i = 0; i < 8; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(significand >> (8 * i));
    bytes[8] = static_cast<std::uint8_t>(exponent);
    bytes[9] = static_cast<std::uint8_t>(exponent >> 8);
    return Extended::FromBytes(bytes);
  };
  auto randomDouble = [&] {
    std::uint64_t bits = random();
    if (random() % 4 != 0) {
      bits = (bits & 0x800FFFFFFFFFFFFFu) | (std::uint64_t{1023 - 40 + random() % 80} << 52);
      if (random() % 4 == 0) bits &= ~std::uint64_t{0} << (random() % 53);
    }
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  };
  int checked = 0;
  for (int i = 0; i < 200000; ++i) {
    Extended a = randomExtended();
    double b = i % 5 == 0 ? std::ldexp(static_cast<double>(random() % 1000), -16) : randomDouble();
    if (i % 7 == 0) b = -std::ldexp(static_cast<double>(a.Significand() >> 11), (a.SignExponent() & 0x7FFF) - 16383 - 52);
    volatile long double hardwareA = ToHardware(a);
    volatile double hardwareB = b;
    long double sum = hardwareA + static_cast<long double>(hardwareB);
    ASSERT_EQ(a.Plus(b), FromHardware(sum)) << std::hexfloat << "a=" << a.Significand() << "/" << a.SignExponent()
                                            << " b=" << b;
    ASSERT_EQ(a.AtLeastZero(), hardwareA >= 0.0L);
    long double magnitude = std::fabs(static_cast<long double>(hardwareA));
    if (magnitude < 9.2e18L) {
      ASSERT_EQ(a.WholeDays(), static_cast<std::int64_t>(hardwareA));
    }
    ++checked;
  }
  EXPECT_EQ(checked, 200000);
}

TEST(Extended, AFullDayOfTicksEqualsTheFpusSum) {
  Extended clock;
  volatile long double hardware = 0;
  for (int tick = 0; tick < 86400; ++tick) {
    clock = clock.Plus(kOneSecond);
    hardware = hardware + static_cast<long double>(kOneSecond);
  }
  EXPECT_EQ(clock, FromHardware(hardware));
}
#endif

TEST(Extended, AFullDayOfTicksEndsAHairBelowOneDay) {
  Extended clock;
  for (int tick = 0; tick < 86400; ++tick) clock = clock.Plus(kOneSecond);
  // The roundings of the sums outweigh the double's excess over 1/86400: the fraction rounds up
  // to a whole day while the whole days are still 0. The bytes are the FPU's sum (checked above
  // on x87 hosts), kept here for hosts without one.
  EXPECT_EQ(clock.ToBytes(), (Bytes{0x1C, 0xDD, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x3F}));
  EXPECT_EQ(clock.WholeDays(), 0);
  EXPECT_EQ(clock.DayMilliseconds(), 86'400'000u);
}

}  // namespace
}  // namespace pelmor::game

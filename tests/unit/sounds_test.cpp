// The three sounds the build makes: valid WAV files of their intended lengths, the loop seamless.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "sounds.h"

namespace pelmor::sounds {
namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

TEST(Sounds, AreValidWavesOfTheirIntendedLengths) {
  const std::vector<std::string> expected = {"lose.wav", "winner.wav", "ticktock.wav"};
  ASSERT_EQ(AllSounds().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const Sound& sound = AllSounds()[i];
    SCOPED_TRACE(sound.file);
    EXPECT_EQ(sound.file, expected[i]);
    std::vector<std::uint8_t> wav = EncodeWav(Render(sound));
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
    EXPECT_EQ(U32(wav, 4), wav.size() - 8);
    EXPECT_EQ(std::memcmp(wav.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(U32(wav, 16), 16u);
    EXPECT_EQ(U16(wav, 20), 1);  // PCM
    EXPECT_EQ(U16(wav, 22), 1);  // mono
    std::uint32_t rate = U32(wav, 24);
    EXPECT_EQ(U32(wav, 28), rate * 2);
    EXPECT_EQ(U16(wav, 32), 2);
    EXPECT_EQ(U16(wav, 34), 16);
    EXPECT_EQ(std::memcmp(wav.data() + 36, "data", 4), 0);
    std::uint32_t frames = U32(wav, 40) / 2;
    EXPECT_EQ(U32(wav, 40) + 44, wav.size());
    EXPECT_EQ(static_cast<int>(frames * 1000 / rate), sound.milliseconds);
    EXPECT_GE(sound.milliseconds, 500);
    EXPECT_LE(sound.milliseconds, 2000);  // the synchronous ones hold the game up while they play

    // Audible, never clipped, and silent at both ends, so that neither starting, stopping nor
    // looping clicks.
    int peak = 0;
    for (std::size_t at = 44; at < wav.size(); at += 2) peak = std::max(peak, std::abs(static_cast<std::int16_t>(U16(wav, at))));
    EXPECT_GT(peak, 3000);
    EXPECT_LT(peak, 32767);
    auto first = static_cast<std::int16_t>(U16(wav, 44));
    auto last = static_cast<std::int16_t>(U16(wav, wav.size() - 2));
    EXPECT_LE(std::abs(first), 64);
    EXPECT_LE(std::abs(last), 64);
  }
  EXPECT_TRUE(AllSounds()[2].loops);
}

}  // namespace
}  // namespace pelmor::sounds

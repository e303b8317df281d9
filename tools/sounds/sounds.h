// The game's three sounds, synthesised from note lists: a falling phrase for a loss, a rising
// fanfare for a win and a soft tick-tock that loops without a click.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pelmor::sounds {

inline constexpr int kSampleRate = 22050;  // mono, 16-bit PCM

struct Sound {
  std::string file;       // "lose.wav", "winner.wav", "ticktock.wav"
  int milliseconds;       // the intended length
  bool loops;             // played in an endless loop: its ends must meet without a jump
};

// The three sounds in a fixed order.
const std::vector<Sound>& AllSounds();

// The samples of one sound, exactly milliseconds * kSampleRate / 1000 of them.
std::vector<std::int16_t> Render(const Sound& sound);

// A RIFF/WAVE file of 16-bit mono PCM samples at kSampleRate.
std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples);

}  // namespace pelmor::sounds

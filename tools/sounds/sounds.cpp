// Note lists, a small additive voice with a smooth envelope, and the WAV encoder.
#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pelmor::sounds {

namespace {

struct Note {
  double startSeconds;
  double lengthSeconds;
  double frequency;  // Hz
  double loudness;   // peak, 0..1
};

// A voice with a few soft harmonics; its envelope rises over 8 ms and falls away smoothly to
// exactly zero at its end, so no note starts or stops with a jump.
void AddNote(std::vector<double>& mix, const Note& note, double brightness) {
  auto first = static_cast<std::size_t>(note.startSeconds * kSampleRate);
  auto count = static_cast<std::size_t>(note.lengthSeconds * kSampleRate);
  const double attack = 0.008 * kSampleRate;
  for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
    double t = static_cast<double>(i) / kSampleRate;
    double rise = std::min(1.0, static_cast<double>(i) / attack);
    double left = 1.0 - static_cast<double>(i) / static_cast<double>(count);
    double envelope = rise * std::pow(left, 1.6) * (0.5 + 0.5 * std::exp(-t * 6.0));
    double phase = 2.0 * std::numbers::pi * note.frequency * t;
    double wave = std::sin(phase) + brightness * 0.5 * std::sin(2 * phase) + brightness * 0.25 * std::sin(3 * phase);
    mix[first + i] += note.loudness * envelope * wave / (1.0 + 0.75 * brightness);
  }
}

double Pitch(int semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }

std::vector<Note> Notes(const std::string& file) {
  if (file == "lose.wav") {
    // G4, E-flat 4, C4, then a low G3 held: a gentle falling minor phrase.
    return {{0.00, 0.34, Pitch(-2), 0.55}, {0.30, 0.34, Pitch(-6), 0.55}, {0.60, 0.40, Pitch(-9), 0.55},
            {0.95, 0.75, Pitch(-14), 0.60}};
  }
  if (file == "winner.wav") {
    // C5 E5 G5, then C6 over a held C-major chord.
    return {{0.00, 0.20, Pitch(3), 0.45},  {0.16, 0.20, Pitch(7), 0.45},  {0.32, 0.20, Pitch(10), 0.45},
            {0.50, 1.00, Pitch(15), 0.50}, {0.50, 1.00, Pitch(10), 0.25}, {0.50, 1.00, Pitch(7), 0.25},
            {0.50, 1.00, Pitch(3), 0.25}};
  }
  // A short high tick and a lower tock, each ringing out well before the next.
  return {{0.00, 0.09, 2093.0, 0.30}, {0.50, 0.09, 1396.9, 0.30}};
}

}  // namespace

const std::vector<Sound>& AllSounds() {
  static const std::vector<Sound> sounds = {
      {"lose.wav", 1800, false},
      {"winner.wav", 1600, false},
      {"ticktock.wav", 1000, true},
  };
  return sounds;
}

std::vector<std::int16_t> Render(const Sound& sound) {
  std::vector<double> mix(static_cast<std::size_t>(sound.milliseconds) * kSampleRate / 1000, 0.0);
  double brightness = sound.loops ? 0.2 : 1.0;
  for (const Note& note : Notes(sound.file)) AddNote(mix, note, brightness);
  std::vector<std::int16_t> samples(mix.size());
  std::transform(mix.begin(), mix.end(), samples.begin(), [](double v) {
    return static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767.0));
  });
  return samples;
}

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples) {
  std::vector<std::uint8_t> out;
  auto tag = [&](const char* text) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(text[i]));
  };
  auto u16 = [&](std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  auto u32 = [&](std::uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  tag("RIFF");
  u32(36 + dataBytes);
  tag("WAVE");
  tag("fmt ");
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(kSampleRate);
  u32(kSampleRate * 2);  // bytes per second
  u16(2);                // bytes per frame
  u16(16);               // bits per sample
  tag("data");
  u32(dataBytes);
  for (std::int16_t s : samples) u16(static_cast<std::uint16_t>(s));
  return out;
}

}  // namespace pelmor::sounds

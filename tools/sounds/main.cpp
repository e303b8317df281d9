// pelmor-sounds OUTDIR: writes lose.wav, winner.wav and ticktock.wav.
#include <cstdio>
#include <fstream>
#include <string>

#include "sounds.h"

int main(int argc, char** argv) {
  using namespace pelmor::sounds;
  if (argc != 2) {
    std::fprintf(stderr, "usage: pelmor-sounds OUTDIR\n");
    return 2;
  }
  for (const Sound& sound : AllSounds()) {
    std::vector<std::uint8_t> bytes = EncodeWav(Render(sound));
    std::string path = std::string(argv[1]) + "/" + sound.file;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "pelmor-sounds: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}

// pelmor-cardart OUTDIR: writes every card picture as a BMP, the program icon, the about dialog's
// banner and donation icons, and a contact sheet.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "cardart.h"

namespace {

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace pelmor::cardart;
  if (argc != 2) {
    std::fprintf(stderr, "usage: pelmor-cardart OUTDIR\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  std::vector<NamedImage> all;
  for (const std::string& name : pictureNames()) {
    all.push_back({name, renderPicture(name)});
    if (!writeFile(dir + name + ".bmp", encodeBmp(all.back().image))) {
      std::fprintf(stderr, "pelmor-cardart: cannot write %s%s.bmp\n", dir.c_str(), name.c_str());
      return 1;
    }
  }
  std::vector<RgbaImage> icon;
  for (int size : kIconSizes) icon.push_back(renderIcon(size));
  if (!writeFile(dir + "pelmor.ico", encodeIco(icon))) {
    std::fprintf(stderr, "pelmor-cardart: cannot write %spelmor.ico\n", dir.c_str());
    return 1;
  }
  if (!writeFile(dir + "banner.bmp", encodeBmp(renderBanner())) ||
      !writeFile(dir + "donate1.ico", encodeIco({renderDonationIcon(1)})) ||
      !writeFile(dir + "donate2.ico", encodeIco({renderDonationIcon(2)}))) {
    std::fprintf(stderr, "pelmor-cardart: cannot write the about pictures into %s\n", dir.c_str());
    return 1;
  }
  if (!writeFile(dir + "contact-sheet.png", encodePng(contactSheet(all)))) {
    std::fprintf(stderr, "pelmor-cardart: cannot write %scontact-sheet.png\n", dir.c_str());
    return 1;
  }
  return 0;
}

// pelmor-helpdoc RULES OUTDIR: writes the rules as OUTDIR/pelmor16.wri and OUTDIR/pelmor16.htm.
// pelmor-helpdoc --paragraphs RULES: prints the Write document's paragraphs, one a line, each
// "H" (a heading) or "P", a tab and its text, for checks of what a word processor reads back.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "helpdoc.h"

namespace {

bool WriteFile(const std::string& path, const char* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data, static_cast<std::streamsize>(size));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace pelmor::helpdoc;
  const bool listing = argc == 3 && std::string(argv[1]) == "--paragraphs";
  if (argc != 3) {
    std::fprintf(stderr, "usage: pelmor-helpdoc RULES OUTDIR | pelmor-helpdoc --paragraphs RULES\n");
    return 2;
  }
  const char* rulesFile = listing ? argv[2] : argv[1];
  std::ifstream in(rulesFile, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "pelmor-helpdoc: cannot read %s\n", rulesFile);
    return 1;
  }
  std::stringstream source;
  source << in.rdbuf();
  try {
    Rules rules = ParseRules(source.str());
    if (listing) {
      for (const Paragraph& p : WriteParagraphs(rules)) std::printf("%c\t%s\n", p.heading ? 'H' : 'P', p.text.c_str());
      return 0;
    }
    const std::string dir = std::string(argv[2]) + "/";
    std::vector<std::uint8_t> wri = EncodeWrite(WriteParagraphs(rules));
    std::string htm = EncodeHtml(rules);
    if (!WriteFile(dir + "pelmor16.wri", reinterpret_cast<const char*>(wri.data()), wri.size()) ||
        !WriteFile(dir + "pelmor16.htm", htm.data(), htm.size())) {
      std::fprintf(stderr, "pelmor-helpdoc: cannot write into %s\n", argv[2]);
      return 1;
    }
  } catch (const std::runtime_error& e) {
    std::fprintf(stderr, "%s: %s\n", rulesFile, e.what());
    return 1;
  }
  return 0;
}

// The Windows Write 3.0 encoder. The file is made of 128-byte pages: the header, the text, the
// character format pages, the paragraph format pages and the font table. Every number is
// little-endian.
#include <array>
#include <stdexcept>

#include "helpdoc.h"

namespace pelmor::helpdoc {

namespace {

constexpr std::size_t kPage = 128;
constexpr std::uint16_t kWriteIdent = 0xBE31;  // Write 3.0 without embedded objects
constexpr std::uint16_t kWriteTool = 0xAB00;
constexpr std::uint8_t kSwissFamily = 0x20;   // FF_SWISS

using Page = std::array<std::uint8_t, kPage>;

void Put16(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value & 0xFF);
  at[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

void Put32(std::uint8_t* at, std::uint32_t value) {
  Put16(at, value & 0xFFFF);
  Put16(at + 2, value >> 16);
}

// A run of text that ends before fcLim and takes the format numbered `format`.
struct Run {
  std::uint32_t fcLim;
  std::size_t format;
};

// Packs runs into format pages: fcFirst, the FODs (fcLim, offset of the FPROP from the FOD
// array) from the front, the FPROPs (a count byte and the property's leading bytes) from the
// back, the number of FODs in the last byte. Each page carries the FPROPs its FODs use.
std::vector<Page> FormatPages(const std::vector<Run>& runs, const std::vector<std::vector<std::uint8_t>>& formats) {
  std::vector<Page> pages;
  std::size_t next = 0;
  std::uint32_t fcFirst = static_cast<std::uint32_t>(kPage);
  while (next < runs.size()) {
    Page page{};
    Put32(page.data(), fcFirst);
    std::vector<std::size_t> placedAt(formats.size(), 0);  // offset from the FOD array, 0 = not here
    std::size_t fodEnd = 4, propStart = kPage - 1;
    int count = 0;
    for (; next < runs.size(); ++next) {
      const Run& run = runs[next];
      const auto& prop = formats[run.format];
      std::size_t propSize = placedAt[run.format] == 0 ? 1 + prop.size() : 0;
      if (fodEnd + 6 + propSize > propStart) break;
      if (propSize != 0) {
        propStart -= propSize;
        page[propStart] = static_cast<std::uint8_t>(prop.size());
        std::copy(prop.begin(), prop.end(), page.begin() + static_cast<std::ptrdiff_t>(propStart + 1));
        placedAt[run.format] = propStart - 4;
      }
      Put32(&page[fodEnd], run.fcLim);
      Put16(&page[fodEnd + 4], static_cast<std::uint32_t>(placedAt[run.format]));
      fodEnd += 6;
      ++count;
      fcFirst = run.fcLim;
    }
    if (count == 0) throw std::logic_error("a format does not fit a page");
    page[kPage - 1] = static_cast<std::uint8_t>(count);
    pages.push_back(page);
  }
  return pages;
}

}  // namespace

std::vector<std::uint8_t> EncodeWrite(const std::vector<Paragraph>& paragraphs) {
  std::string text;
  std::vector<Run> paragraphRuns, characterRuns;
  for (const Paragraph& p : paragraphs) {
    text += p.text;
    text += "\r\n";
    auto fcLim = static_cast<std::uint32_t>(kPage + text.size());
    std::size_t format = p.heading ? 1 : 0;
    paragraphRuns.push_back({fcLim, format});
    // Consecutive paragraphs of one format share a character run.
    if (!characterRuns.empty() && characterRuns.back().format == format)
      characterRuns.back().fcLim = fcLim;
    else
      characterRuns.push_back({fcLim, format});
  }
  // Character properties: reserved byte, bold and font code 0, size in half points.
  const std::vector<std::vector<std::uint8_t>> characterFormats{{0x01, 0x00, 20}, {0x01, 0x01, 28}};
  // Paragraph properties: reserved byte 61, justification 0 left or 1 centred.
  const std::vector<std::vector<std::uint8_t>> paragraphFormats{{61, 0}, {61, 1}};
  std::vector<Page> characterPages = FormatPages(characterRuns, characterFormats);
  std::vector<Page> paragraphPages = FormatPages(paragraphRuns, paragraphFormats);

  const auto fcMac = static_cast<std::uint32_t>(kPage + text.size());
  const auto pnChar = static_cast<std::uint32_t>((fcMac + kPage - 1) / kPage);
  const auto pnPara = static_cast<std::uint32_t>(pnChar + characterPages.size());
  const auto pnFfntb = static_cast<std::uint32_t>(pnPara + paragraphPages.size());
  const std::uint32_t pnMac = pnFfntb + 1;

  std::vector<std::uint8_t> file(pnMac * kPage, 0);
  std::uint8_t* header = file.data();
  Put16(header + 0, kWriteIdent);
  Put16(header + 4, kWriteTool);
  Put32(header + 14, fcMac);
  Put16(header + 18, pnPara);
  // No footnotes, section properties or page table: their page numbers all name the font table.
  for (int word = 10; word <= 14; ++word) Put16(header + 2 * word, pnFfntb);
  Put16(header + 96, pnMac);

  std::copy(text.begin(), text.end(), file.begin() + kPage);
  std::size_t at = pnChar * kPage;
  for (const Page& page : characterPages) std::copy(page.begin(), page.end(), file.begin() + static_cast<std::ptrdiff_t>(at)), at += kPage;
  for (const Page& page : paragraphPages) std::copy(page.begin(), page.end(), file.begin() + static_cast<std::ptrdiff_t>(at)), at += kPage;

  // Font table: the number of fonts, then each font's size, family and zero-ended name.
  std::uint8_t* fonts = file.data() + pnFfntb * kPage;
  constexpr std::string_view kFace = "Arial";
  Put16(fonts, 1);
  Put16(fonts + 2, static_cast<std::uint32_t>(1 + kFace.size() + 1));
  fonts[4] = kSwissFamily;
  std::copy(kFace.begin(), kFace.end(), fonts + 5);
  return file;
}

}  // namespace pelmor::helpdoc

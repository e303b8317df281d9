// The help documents made from the rules' source: the Write 3.0 file read back field by field
// with a small reader of its own, and the web page's structure.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "helpdoc.h"

namespace pelmor::helpdoc {
namespace {

std::string RulesSource() {
  std::ifstream in(PELMOR_RULES_FILE, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A reader of the parts of Write 3.0 that the document uses.
struct WriteReader {
  explicit WriteReader(std::vector<std::uint8_t> bytes) : file(std::move(bytes)) {}
  std::uint32_t U16(std::size_t at) const { return file.at(at) | (file.at(at + 1) << 8); }
  std::uint32_t U32(std::size_t at) const { return U16(at) | (U16(at + 2) << 16); }
  std::uint32_t Word(int n) const { return U16(static_cast<std::size_t>(2 * n)); }

  struct Run {
    std::uint32_t first, lim;
    std::vector<std::uint8_t> prop;  // the stored prefix; empty for the defaults
  };
  // The FODs of format pages [from, to), checking that the runs cover the text without gaps.
  std::vector<Run> Runs(std::uint32_t from, std::uint32_t to) const {
    std::vector<Run> runs;
    std::uint32_t fc = 128;
    for (std::uint32_t pn = from; pn < to; ++pn) {
      std::size_t page = pn * 128;
      EXPECT_EQ(U32(page), fc) << "fcFirst of page " << pn;
      int count = file.at(page + 127);
      EXPECT_GT(count, 0);
      for (int i = 0; i < count; ++i) {
        std::size_t fod = page + 4 + 6 * static_cast<std::size_t>(i);
        std::uint32_t lim = U32(fod), bfprop = U16(fod + 4);
        EXPECT_GT(lim, fc);
        Run run{fc, lim, {}};
        if (bfprop != 0xFFFF) {
          std::size_t prop = page + 4 + bfprop;
          EXPECT_LT(prop + file.at(prop), page + 127) << "an FPROP off its page";
          run.prop.assign(file.begin() + static_cast<std::ptrdiff_t>(prop + 1),
                          file.begin() + static_cast<std::ptrdiff_t>(prop + 1 + file.at(prop)));
        }
        runs.push_back(run);
        fc = lim;
      }
    }
    EXPECT_EQ(fc, Word(7) | (Word(8) << 16)) << "the runs end at fcMac";
    return runs;
  }
  std::vector<std::uint8_t> file;
};

TEST(WriteDocument, ReadsBackWithItsHeaderFormatsFontsAndParagraphs) {
  Rules rules = ParseRules(RulesSource());
  std::vector<Paragraph> paragraphs = WriteParagraphs(rules);
  WriteReader doc(EncodeWrite(paragraphs));

  // Header.
  ASSERT_EQ(doc.file.size() % 128, 0u);
  EXPECT_EQ(doc.Word(0), 0xBE31u);
  EXPECT_EQ(doc.Word(1), 0u);
  EXPECT_EQ(doc.Word(2), 0xAB00u);
  for (int w = 3; w <= 6; ++w) EXPECT_EQ(doc.Word(w), 0u);
  const std::uint32_t fcMac = doc.Word(7) | (doc.Word(8) << 16);
  const std::uint32_t pnChar = (fcMac + 127) / 128, pnPara = doc.Word(9), pnFfntb = doc.Word(14);
  const std::uint32_t pnMac = doc.Word(48);
  EXPECT_EQ(pnMac * 128, doc.file.size());
  EXPECT_EQ(pnChar + 1, pnPara) << "one page of character formats";
  for (int w = 10; w <= 13; ++w) EXPECT_EQ(doc.Word(w), pnFfntb) << "no footnotes, sections or page table";
  EXPECT_EQ(pnFfntb + 1, pnMac) << "one page of fonts, last";

  // Text: the paragraphs, each ended by CR LF, then zeros to the page's end.
  std::string text(doc.file.begin() + 128, doc.file.begin() + fcMac);
  std::string expected;
  for (const auto& p : paragraphs) expected += p.text + "\r\n";
  EXPECT_EQ(text, expected);
  for (std::size_t i = fcMac; i < pnChar * 128; ++i) ASSERT_EQ(doc.file[i], 0) << i;

  // Character runs: bold 14 points over the headings, plain 10 points elsewhere, font 0.
  const std::vector<WriteReader::Run> characterRuns = doc.Runs(pnChar, pnPara);
  for (const auto& run : characterRuns) {
    ASSERT_GE(run.prop.size(), 3u);
    bool bold = run.prop[1] & 1;
    EXPECT_EQ(run.prop[1] >> 2, 0) << "font code";
    EXPECT_EQ(run.prop[2], bold ? 28 : 20) << "half points";
  }
  // Paragraph runs: one per paragraph, centred exactly for the headings.
  std::vector<WriteReader::Run> paragraphRuns = doc.Runs(pnPara, pnFfntb);
  ASSERT_EQ(paragraphRuns.size(), paragraphs.size());
  std::vector<std::string> centred;
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    const auto& run = paragraphRuns[i];
    EXPECT_EQ(std::string(doc.file.begin() + run.first, doc.file.begin() + run.lim), paragraphs[i].text + "\r\n");
    ASSERT_GE(run.prop.size(), 2u);
    EXPECT_EQ(run.prop[0], 61);
    if (run.prop[1] == 1) {
      centred.push_back(paragraphs[i].text);
    } else {
      EXPECT_EQ(run.prop[1], 0) << "left-aligned: " << paragraphs[i].text;
    }
    // The character run over this paragraph is bold exactly when it is centred.
    for (const auto& c : characterRuns) {
      if (c.first < run.lim && run.first < c.lim) {
        EXPECT_EQ((c.prop[1] & 1) == 1, run.prop[1] == 1);
      }
    }
  }
  EXPECT_EQ(centred, (std::vector<std::string>{"How to play Pelmor Solitaire", "1. Dealing Your Cards",
                                               "2. Playing Through the Deck", "3. Winning the game"}));

  // Font table: one font, Arial of the swiss family.
  std::size_t fonts = pnFfntb * 128;
  EXPECT_EQ(doc.U16(fonts), 1u);
  EXPECT_EQ(doc.U16(fonts + 2), 7u);
  EXPECT_EQ(doc.file[fonts + 4], 0x20);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&doc.file[fonts + 5])), "Arial");

  // The steps are numbered 1, 2, 3 ... within each section.
  EXPECT_EQ(paragraphs[6].text.rfind("1. The game deals four cards", 0), 0u);
}

TEST(WebDocument, HasTheTitleLinksAndNumberedSectionsWithCrLfLines) {
  Rules rules = ParseRules(RulesSource());
  std::string page = EncodeHtml(rules);
  EXPECT_EQ(page.find("<!"), std::string::npos) << "no document type";
  EXPECT_EQ(page.find("<style"), std::string::npos);
  EXPECT_EQ(page.find("charset"), std::string::npos);
  for (std::size_t at = page.find('\n'); at != std::string::npos; at = page.find('\n', at + 1))
    ASSERT_EQ(page[at - 1], '\r') << "a bare line feed at " << at;
  EXPECT_NE(page.find("<title>Orvandis Pelmor Help</title>"), std::string::npos);
  EXPECT_NE(page.find("<h1 align=\"center\">Pelmor Solitaire Rules</h1>"), std::string::npos);

  std::regex link(R"re(<li><a href="#(\w+)">([^<]+)</a></li>)re");
  std::vector<std::string> links;
  for (std::sregex_iterator m(page.begin(), page.end(), link), end; m != end; ++m) links.push_back((*m)[1].str() + "|" + (*m)[2].str());
  EXPECT_EQ(links, (std::vector<std::string>{"dealing|Dealing Your Cards", "playing|Playing Through the Deck",
                                             "winning|Winning the Game"}));

  // Each section: a paragraph holding the heading with the anchor's id, a break and a list.
  std::regex section(R"re(<p><h1 id="(\w+)">([^<]+)</h1><br>\r\n<ol>\r\n([\s\S]*?)</ol></p>)re");
  std::vector<std::string> sections;
  for (std::sregex_iterator m(page.begin(), page.end(), section), end; m != end; ++m) {
    std::string items = (*m)[3].str();
    std::size_t count = 0;
    for (std::size_t at = items.find("<li>"); at != std::string::npos; at = items.find("<li>", at + 1)) ++count;
    sections.push_back((*m)[1].str() + "|" + (*m)[2].str() + "|" + std::to_string(count));
  }
  EXPECT_EQ(sections, (std::vector<std::string>{"dealing|1. Dealing Your Cards|3", "playing|2. Playing Through the Deck|4",
                                                "winning|Winning the Game|3"}));
  EXPECT_NE(page.find("the ace above the king as the highest card"), std::string::npos) << "the same prose as the Write document";
}

TEST(RulesSource, RejectsWhatItCannotPlace) {
  EXPECT_THROW(ParseRules("title: t\nbogus: x\n"), std::runtime_error);
  EXPECT_THROW(ParseRules("title: t\nstep: before any section\n"), std::runtime_error);
  EXPECT_THROW(ParseRules("title: t\npage-title: p\npage-heading: h\nintro: i\nsection: s\nheading: H\n"), std::runtime_error);
}

}  // namespace
}  // namespace pelmor::helpdoc

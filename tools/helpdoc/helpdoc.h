// The rules of the game as one document, read from its editable source, and the two forms the
// program carries: a Windows Write 3.0 document and a plain HTML page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pelmor::helpdoc {

struct Step {
  std::string text;
  std::vector<std::string> more;  // further paragraphs: examples and tips
};

struct Section {
  std::string id;          // the web page's anchor
  std::string heading;     // in the Write document
  std::string webHeading;  // in the web page
  std::string link;        // the web page's link text
  std::vector<Step> steps;
};

struct Rules {
  std::string title;
  std::string pageTitle;
  std::string pageHeading;
  std::string intro;
  std::vector<Section> sections;
};

// Reads the source's "keyword: text" entries. Throws std::runtime_error naming the line of an
// unknown keyword, an entry out of place or a missing one.
Rules ParseRules(std::string_view source);

// One paragraph of the Write document and its format: headings are bold 14-point centred,
// everything else plain 10-point left-aligned.
struct Paragraph {
  std::string text;
  bool heading = false;
};
std::vector<Paragraph> WriteParagraphs(const Rules& rules);

// The Write 3.0 file: header page, text, character formats, paragraph formats, font table.
std::vector<std::uint8_t> EncodeWrite(const std::vector<Paragraph>& paragraphs);
// The web page, lines ended by CR LF.
std::string EncodeHtml(const Rules& rules);

}  // namespace pelmor::helpdoc

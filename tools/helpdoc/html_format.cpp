// The web page: plain HTML with no document type, character set or style sheet, CR LF line ends.
#include "helpdoc.h"

namespace pelmor::helpdoc {

namespace {

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c; break;
    }
  }
  return out;
}

}  // namespace

std::string EncodeHtml(const Rules& rules) {
  std::string out;
  auto line = [&](const std::string& text) { out += text + "\r\n"; };
  line("<html>");
  line("<head>");
  line("<title>" + Escape(rules.pageTitle) + "</title>");
  line("</head>");
  line("<body>");
  line("<h1 align=\"center\">" + Escape(rules.pageHeading) + "</h1>");
  line("<ul>");
  for (const Section& s : rules.sections) line("<li><a href=\"#" + s.id + "\">" + Escape(s.link) + "</a></li>");
  line("</ul>");
  line("<p>" + Escape(rules.intro) + "</p>");
  for (const Section& s : rules.sections) {
    line("<p><h1 id=\"" + s.id + "\">" + Escape(s.webHeading) + "</h1><br>");
    line("<ol>");
    for (const Step& step : s.steps) {
      std::string item = "<li>" + Escape(step.text);
      for (const std::string& more : step.more) item += "<br><br>\r\n" + Escape(more);
      line(item + "</li>");
    }
    line("</ol></p>");
  }
  line("</body>");
  line("</html>");
  return out;
}

}  // namespace pelmor::helpdoc

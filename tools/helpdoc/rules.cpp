// Reading the rules' source and laying its entries out as the Write document's paragraphs.
#include <stdexcept>

#include "helpdoc.h"

namespace pelmor::helpdoc {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

[[noreturn]] void Fail(int line, const std::string& what) {
  throw std::runtime_error("line " + std::to_string(line) + ": " + what);
}

}  // namespace

Rules ParseRules(std::string_view source) {
  Rules rules;
  std::string* open = nullptr;  // the entry that continuation lines extend
  int number = 0;
  while (!source.empty()) {
    std::size_t end = source.find('\n');
    std::string_view raw = source.substr(0, end);
    source.remove_prefix(end == std::string_view::npos ? source.size() : end + 1);
    ++number;
    std::string_view line = Trim(raw);
    if (line.empty()) {
      open = nullptr;
      continue;
    }
    if (line.front() == '#') continue;
    bool indented = raw.front() == ' ' || raw.front() == '\t';
    if (indented) {
      if (open == nullptr) Fail(number, "continuation without an entry");
      *open += ' ';
      *open += line;
      continue;
    }
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) Fail(number, "expected \"keyword: text\"");
    std::string_view key = line.substr(0, colon);
    std::string text(Trim(line.substr(colon + 1)));
    Section* section = rules.sections.empty() ? nullptr : &rules.sections.back();
    auto inSection = [&]() -> Section& {
      if (section == nullptr) Fail(number, std::string(key) + " before any section");
      return *section;
    };
    if (key == "title") open = &(rules.title = text);
    else if (key == "page-title") open = &(rules.pageTitle = text);
    else if (key == "page-heading") open = &(rules.pageHeading = text);
    else if (key == "intro") open = &(rules.intro = text);
    else if (key == "section") open = &(rules.sections.emplace_back().id = text);
    else if (key == "heading") open = &(inSection().heading = text);
    else if (key == "web-heading") open = &(inSection().webHeading = text);
    else if (key == "link") open = &(inSection().link = text);
    else if (key == "step") open = &(inSection().steps.emplace_back().text = text);
    else if (key == "more") {
      if (inSection().steps.empty()) Fail(number, "more before any step");
      open = &section->steps.back().more.emplace_back(text);
    } else {
      Fail(number, "unknown keyword \"" + std::string(key) + "\"");
    }
  }
  if (rules.title.empty() || rules.pageTitle.empty() || rules.pageHeading.empty() || rules.intro.empty())
    Fail(number, "title, page-title, page-heading and intro are all needed");
  for (const Section& s : rules.sections)
    if (s.id.empty() || s.heading.empty() || s.webHeading.empty() || s.link.empty() || s.steps.empty())
      Fail(number, "section \"" + s.id + "\" needs a heading, a web-heading, a link and steps");
  return rules;
}

std::vector<Paragraph> WriteParagraphs(const Rules& rules) {
  // Empty paragraphs separate the title, the introduction, the headings and the steps.
  std::vector<Paragraph> out{{rules.title, true}, {}, {rules.intro, false}, {}};
  for (const Section& section : rules.sections) {
    out.push_back({section.heading, true});
    out.emplace_back();
    int n = 0;
    for (const Step& step : section.steps) {
      out.push_back({std::to_string(++n) + ". " + step.text, false});
      for (const std::string& more : step.more) {
        out.emplace_back();
        out.push_back({more, false});
      }
      out.emplace_back();
    }
  }
  return out;
}

}  // namespace pelmor::helpdoc

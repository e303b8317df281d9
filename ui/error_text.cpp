// Filling the inserts of the system's error texts.
#include "ui/error_text.h"

#include <cctype>

namespace pelmor::ui {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

std::string FillInserts(std::string_view text, std::string_view insert) {
  std::string filled;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] != '%' || at + 1 >= text.size() || text[at + 1] < '1' || text[at + 1] > '9') {
      filled += text[at++];
      continue;
    }
    at += 2;
    if (at < text.size() && IsDigit(text[at])) ++at;
    if (at < text.size() && text[at] == '!') {
      std::size_t close = text.find('!', at + 1);
      if (close != std::string_view::npos) at = close + 1;
    }
    filled += insert;
  }
  return filled;
}

}  // namespace pelmor::ui

// Hand-drawn pixel glyphs: the corner rank characters, the small corner pips and the label font.
#pragma once

#include <string_view>
#include <vector>

namespace pelmor::cardart {

// A bitmap drawn as text rows: '#' is ink, anything else is background.
struct Glyph {
  std::vector<std::string_view> rows;
  int width() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
  int height() const { return static_cast<int>(rows.size()); }
  bool ink(int x, int y) const {
    return rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#';
  }
};

// The corner character of a rank 0..12 (A, 2 .. 10, J, Q, K); "10" is one glyph.
const Glyph& rankGlyph(int rank);

// The small suit mark of the corner index, suit 1..4 (clubs, diamonds, hearts, spades).
const Glyph& cornerPip(int suit);

// The 5 x 7 label font of the contact sheet: digits and the capitals in picture names.
const Glyph* labelGlyph(char c);

}  // namespace pelmor::cardart

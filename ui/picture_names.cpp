// Picture names of the deck modules.
#include "ui/picture_names.h"

namespace pelmor::ui {

std::string FaceResourceName(int rank, int suit) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string name = "CARD";
  name += static_cast<char>('0' + suit);
  name += kHex[rank & 0xF];
  return name;
}

std::string BackResourceName(int back) { return "BACK" + std::to_string(back); }

}  // namespace pelmor::ui

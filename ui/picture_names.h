// The resource names under which a deck module holds its card pictures.
#pragma once

#include <string>

namespace pelmor::ui {

inline constexpr const char* kEmptyPilePicture = "CARD02";
inline constexpr const char* kStockBasePicture = "CARD01";

// "CARD" + suit digit + rank as one upper-case hexadecimal digit: "CARD1A" is the jack of clubs.
std::string FaceResourceName(int rank, int suit);
// "BACK" + the number in decimal.
std::string BackResourceName(int back);

}  // namespace pelmor::ui

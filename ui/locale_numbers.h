// The user's locale's separators for numbers, as the statistics box and the about dialog write them.
#pragma once

#include <windows.h>

#include "store/statistics.h"

namespace pelmor::ui {

inline store::NumberSeparators UserNumberSeparators() {
  store::NumberSeparators separators;
  char text[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) > 0) separators.decimal = text;
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, text, sizeof text) > 0) separators.thousands = text;
  return separators;
}

}  // namespace pelmor::ui

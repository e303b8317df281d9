// The system's text for the error of a failed call, as the player reads it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace pelmor::ui {

// The system's text for an error code, without the line break at its end and with its inserts
// filled with the name of the file the failed call was about; "Error N" when there is none.
std::string SystemErrorText(DWORD error, std::string_view fileName);

}  // namespace pelmor::ui

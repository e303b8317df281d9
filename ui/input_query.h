// The one-line text input dialog: a caption, a prompt, an edit box, OK and Cancel.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace pelmor::ui {

// Modal over the owner; the text when the player chose OK, nothing when the player cancelled.
std::optional<std::string> InputQuery(HWND owner, std::string_view caption, std::string_view prompt,
                                      std::string_view initial);

}  // namespace pelmor::ui

// The system's texts for errors.
#include "ui/system_error.h"

#include "ui/error_text.h"

namespace pelmor::ui {

std::string SystemErrorText(DWORD error, std::string_view fileName) {
  // Fetched with the inserts left in place: filling them from an argument list would read as
  // many arguments, of whatever types, as the text asks for.
  char* text = nullptr;
  DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = length != 0 && text != nullptr ? std::string(text, length) : "Error " + std::to_string(error);
  if (text != nullptr) LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) result.pop_back();
  return FillInserts(result, fileName);
}

}  // namespace pelmor::ui

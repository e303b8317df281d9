// The input dialog, built from its layout and run modally.
#include "ui/input_query.h"

#include <vector>

#include "ui/form.h"
#include "ui/layouts/layouts.h"

namespace pelmor::ui {

namespace {

class InputQueryEvents : public FormEvents {
 public:
  bool done = false;
  bool accepted = false;

  bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) override {
    if (message == WM_COMMAND && (LOWORD(wParam) == layouts::kInputOk || LOWORD(wParam) == layouts::kInputCancel)) {
      accepted = LOWORD(wParam) == layouts::kInputOk;
      done = true;
      *result = 0;
      return true;
    }
    if (message == WM_CLOSE) {
      done = true;
      *result = 0;
      return true;
    }
    return false;
  }
};

}  // namespace

std::optional<std::string> InputQuery(HWND owner, std::string_view caption, std::string_view prompt,
                                      std::string_view initial) {
  InputQueryEvents events;
  std::unique_ptr<Form> form = Form::Build(layouts::kInputQueryLayout, owner, &events);
  if (!form) return std::nullopt;
  SetWindowTextA(form->hwnd(), std::string(caption).c_str());
  form->SetText(form->Index("Prompt"), prompt);
  HWND edit = form->ChildWindow(form->Index("Edit"));
  form->SetText(form->Index("Edit"), initial);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  RunModal(*form, owner, events.done, edit);
  if (!events.accepted) return std::nullopt;
  int length = GetWindowTextLengthA(edit);
  std::vector<char> text(static_cast<std::size_t>(length) + 1);
  GetWindowTextA(edit, text.data(), length + 1);
  return std::string(text.data());
}

}  // namespace pelmor::ui

// The one builder that turns a window layout into a real window with its controls, menu and
// timers, and the window procedure that hands each message to the window's named handlers.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

#include "ui/layout.h"
#include "ui/win32_handles.h"

namespace pelmor::ui {

// What a window built from a layout does with its messages. Returns true when it handled the
// message and set *result; unhandled messages get the default treatment.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) = 0;
};

class Form {
 public:
  // Creates the window hidden, with every control, the menu and the enabled timers. The events
  // object is attached before the first message and must outlive the form.
  static std::unique_ptr<Form> Build(const WindowLayout& layout, HWND owner, FormEvents* events);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  HWND hwnd() const { return window_.get(); }
  const WindowLayout& layout() const { return layout_; }

  int Index(std::string_view controlName) const { return ControlIndex(layout_, controlName); }
  // The control's current place in the client area, after alignment.
  const Rect& Bounds(int index) const { return placed_[static_cast<std::size_t>(index)]; }
  HWND ChildWindow(int index) const { return children_[static_cast<std::size_t>(index)]; }
  bool Visible(int index) const { return visible_[static_cast<std::size_t>(index)] != 0; }
  void SetVisible(int index, bool visible);
  void SetText(int index, std::string_view text);
  std::string Text(int index) const;
  // The picture of a picture control; an empty handle clears it.
  void SetBitmap(int index, GdiObject bitmap);
  void SetIcon(int index, OwnedIcon icon);
  // The control whose window this is, or -1.
  int IndexOf(HWND child) const;

  // Re-applies the alignment to the current client size, moving windowed controls.
  void Relayout();
  // Draws the visible labels, which have no windows of their own.
  void PaintLabels(HDC dc) const;
  void SetTimer(int id, bool enabled);
  // Centres the window on the work area of the screen.
  void CentreOnScreen();

 private:
  Form(const WindowLayout& layout, FormEvents* events);
  void CreateControls();
  void CreateMenu();
  void CreateTooltips();
  void LoadPicture(std::size_t index);
  // Redraws a windowed control and the later ones that lie over it.
  void Invalidate(std::size_t index);
  // Draws an owner-drawn control as it looks: its background, the drawn controls beneath it that
  // share its parent, in creation order, then itself.
  void DrawStack(HDC dc, std::size_t index);
  void DrawOne(HDC dc, std::size_t index, const RECT& area);
  bool OnDrawItem(const DRAWITEMSTRUCT& item);
  bool OnSetCursor(HWND child, UINT hitTest);
  // A sizeable window gets no smaller than its aligned controls need (MinimumClientSize).
  void OnGetMinMaxInfo(MINMAXINFO& info) const;
  HFONT FontFor(const FontSpec& wanted);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  const WindowLayout& layout_;
  FormEvents* events_;
  Window window_;
  std::vector<GdiObject> fonts_;
  HFONT windowFont_ = nullptr;
  std::vector<Rect> placed_;
  std::vector<HWND> children_;
  std::vector<HFONT> controlFonts_;
  std::vector<char> visible_;
  std::vector<int> parentIndex_;  // -1: the window itself
  std::vector<GdiObject> bitmaps_;
  struct Stretched {
    GdiObject bitmap;
    int width = 0;
    int height = 0;
  };
  std::vector<Stretched> stretched_;  // stretched bitmaps at their control's size
  std::vector<OwnedIcon> icons_;
  Window tooltips_;
};

// Shows the form as a modal window over its owner until *done becomes true, running the
// message loop meanwhile (the owner's timers keep ticking). The owner is disabled meanwhile.
void RunModal(Form& form, HWND owner, const bool& done, HWND focus = nullptr);

// Dialog keys (Tab, Enter, Esc) for the windows that have them; used by every message loop.
bool RouteDialogMessage(MSG& message);

}  // namespace pelmor::ui

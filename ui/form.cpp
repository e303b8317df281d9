// Building windows from their layouts, and the shared window procedure.
#include "ui/form.h"

#include <algorithm>
#include <string>

namespace pelmor::ui {

namespace {

constexpr char kPanelClass[] = "TPanel";

// Dialog-bordered windows, whose Tab, Enter and Esc keys the message loops route to them.
std::vector<HWND>& DialogWindows() {
  static std::vector<HWND> windows;
  return windows;
}

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

std::string Text(std::string_view text) { return std::string(text); }

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PaintDc paint(window);
      RECT client;
      GetClientRect(window, &client);
      FillRect(paint.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
      DrawEdge(paint.get(), &client, BDR_RAISEDINNER, BF_RECT);
      char text[512];
      GetWindowTextA(window, text, sizeof text);
      HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
      SelectedObject selected(paint.get(), font != nullptr ? font : GetStockObject(SYSTEM_FONT));
      SetBkMode(paint.get(), TRANSPARENT);
      SetTextColor(paint.get(), GetSysColor(COLOR_WINDOWTEXT));
      DrawTextA(paint.get(), text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      return 0;
    }
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, FALSE);
      return result;
    }
    case WM_SETFONT:
      SetWindowLongPtrA(window, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrA(window, GWLP_USERDATA);
    case WM_ERASEBKGND:
      return 1;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void RegisterClassOnce(const char* name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(Instance(), name, &existing)) return;
  WNDCLASSEXA cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = procedure;
  cls.hInstance = Instance();
  cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  cls.hIcon = LoadIconA(Instance(), "MAINICON");
  cls.hbrBackground = background;
  cls.lpszClassName = name;
  RegisterClassExA(&cls);
}

HBRUSH ClassBrush(std::uint32_t colour) {
  if (colour & kSystemColour) return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>((colour & 0xFFu) + 1));
  if (colour == kWhite) return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  return nullptr;
}

}  // namespace

Form::Form(const WindowLayout& layout, FormEvents* events) : layout_(layout), events_(events) {}

Form::~Form() {
  auto& dialogs = DialogWindows();
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), window_.get()), dialogs.end());
  if (window_ && IsWindow(window_.get())) SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
}

std::unique_ptr<Form> Form::Build(const WindowLayout& layout, HWND owner, FormEvents* events) {
  std::unique_ptr<Form> form(new Form(layout, events));
  std::string className = Text(layout.className);
  RegisterClassOnce(className.c_str(), &Form::WindowProc, ClassBrush(layout.colour));
  RegisterClassOnce(kPanelClass, &PanelProc, nullptr);

  DWORD style = layout.border == Border::kSizeable ? WS_OVERLAPPEDWINDOW : (WS_POPUP | WS_CAPTION | WS_SYSMENU);
  DWORD exStyle = layout.border == Border::kDialog ? WS_EX_DLGMODALFRAME : 0;
  style |= WS_CLIPCHILDREN;
  RECT outer{layout.bounds.left, layout.bounds.top, layout.bounds.left + layout.bounds.width,
             layout.bounds.top + layout.bounds.height};
  if (layout.clientSized) {
    AdjustWindowRectEx(&outer, style, !layout.menu.empty(), exStyle);
    OffsetRect(&outer, layout.bounds.left - outer.left, layout.bounds.top - outer.top);
  }
  std::string caption = Text(layout.caption);
  HWND window = CreateWindowExA(exStyle, className.c_str(), caption.c_str(), style, outer.left, outer.top,
                                outer.right - outer.left, outer.bottom - outer.top, owner, nullptr, Instance(),
                                form.get());
  if (window == nullptr) return nullptr;
  form->windowFont_ = form->FontFor(layout.font);
  form->CreateMenu();
  form->CreateControls();
  form->Relayout();
  for (const auto& timer : layout.timers)
    if (timer.enabled) form->SetTimer(timer.id, true);
  if (layout.placement == Placement::kScreenCentre) form->CentreOnScreen();
  if (layout.border == Border::kDialog) DialogWindows().push_back(window);
  return form;
}

HFONT Form::FontFor(const FontSpec& wanted) {
  if (wanted.face.empty()) return windowFont_;
  std::string face = Text(wanted.face);
  HFONT font = CreateFontA(wanted.height, 0, 0, 0, wanted.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, face.c_str());
  fonts_.emplace_back(font);
  return font;
}

void Form::CreateMenu() {
  if (layout_.menu.empty()) return;
  Menu bar(::CreateMenu());
  HMENU popup = nullptr;
  for (const auto& item : layout_.menu) {
    std::string caption = Text(item.caption);
    if (item.level == 0) {
      popup = CreatePopupMenu();
      AppendMenuA(bar.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), caption.c_str());
    } else if (popup != nullptr) {
      AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(item.command), caption.c_str());
    }
  }
  // The window owns an attached menu and destroys it with itself.
  SetMenu(window_.get(), bar.release());
}

void Form::CreateControls() {
  const auto count = layout_.controls.size();
  children_.assign(count, nullptr);
  controlFonts_.assign(count, nullptr);
  visible_.assign(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    const ControlLayout& control = layout_.controls[i];
    visible_[i] = control.visible ? 1 : 0;
    controlFonts_[i] = FontFor(control.font);
    const char* cls = nullptr;
    DWORD style = WS_CHILD | (control.visible ? WS_VISIBLE : 0) | (control.enabled ? 0 : WS_DISABLED);
    DWORD exStyle = 0;
    switch (control.kind) {
      case ControlKind::kPaintBox:
      case ControlKind::kLabel:
        continue;  // drawn by the window itself
      case ControlKind::kPanel:
        cls = kPanelClass;
        break;
      case ControlKind::kButton:
        cls = "Button";
        style |= WS_TABSTOP | (control.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
      case ControlKind::kCheckBox:
        cls = "Button";
        style |= WS_TABSTOP | BS_AUTOCHECKBOX;
        break;
      case ControlKind::kScrollBar:
        cls = "ScrollBar";
        style |= WS_TABSTOP | SBS_HORZ;
        break;
      case ControlKind::kEdit:
        cls = "Edit";
        style |= WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
      case ControlKind::kStatic:
        cls = "Static";
        style |= SS_LEFT | SS_NOPREFIX;
        break;
    }
    std::string caption = Text(control.caption);
    HWND child = CreateWindowExA(exStyle, cls, caption.c_str(), style, control.bounds.left, control.bounds.top,
                                 control.bounds.width, control.bounds.height, window_.get(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), Instance(), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(controlFonts_[i]), FALSE);
    if (control.kind == ControlKind::kScrollBar) SetScrollRange(child, SB_CTL, control.rangeMin, control.rangeMax, FALSE);
    children_[i] = child;
  }
}

void Form::Relayout() {
  RECT client;
  GetClientRect(window_.get(), &client);
  placed_ = AlignControls(layout_.controls, client.right, client.bottom);
  for (std::size_t i = 0; i < children_.size(); ++i) {
    if (children_[i] == nullptr || layout_.controls[i].align == Align::kNone) continue;
    const Rect& r = placed_[i];
    MoveWindow(children_[i], r.left, r.top, r.width, r.height, TRUE);
  }
}

void Form::SetVisible(int index, bool visible) {
  auto i = static_cast<std::size_t>(index);
  if ((visible_[i] != 0) == visible) return;
  visible_[i] = visible ? 1 : 0;
  if (children_[i] != nullptr) {
    ShowWindow(children_[i], visible ? SW_SHOW : SW_HIDE);
    return;
  }
  const Rect& r = placed_[i];
  RECT area{r.left, r.top, r.left + r.width, r.top + r.height};
  InvalidateRect(window_.get(), &area, TRUE);
}

void Form::SetText(int index, std::string_view text) {
  HWND child = children_[static_cast<std::size_t>(index)];
  if (child != nullptr) SetWindowTextA(child, Text(text).c_str());
}

void Form::PaintLabels(HDC dc) const {
  for (std::size_t i = 0; i < layout_.controls.size(); ++i) {
    const ControlLayout& control = layout_.controls[i];
    if (control.kind != ControlKind::kLabel || visible_[i] == 0) continue;
    const Rect& r = placed_[i];
    RECT area{r.left, r.top, r.left + r.width, r.top + r.height};
    SelectedObject font(dc, controlFonts_[i]);
    SetBkMode(dc, control.transparent ? TRANSPARENT : OPAQUE);
    SetTextColor(dc, ToColorRef(control.font.face.empty() ? layout_.font.colour : control.font.colour));
    // The text stays inside its box even where a substitute font is wider than the designed one.
    std::string caption = Text(control.caption);
    DrawTextA(dc, caption.c_str(), -1, &area, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  }
}

void Form::SetTimer(int id, bool enabled) {
  for (const auto& timer : layout_.timers) {
    if (timer.id != id) continue;
    if (enabled)
      ::SetTimer(window_.get(), static_cast<UINT_PTR>(id), static_cast<UINT>(timer.intervalMs), nullptr);
    else
      KillTimer(window_.get(), static_cast<UINT_PTR>(id));
  }
}

void Form::CentreOnScreen() {
  RECT work, outer;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(window_.get(), &outer);
  int width = outer.right - outer.left, height = outer.bottom - outer.top;
  SetWindowPos(window_.get(), nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    form->window_.reset(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window is gone: the owner must not destroy it again.
    form->window_.release();
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  LRESULT result = 0;
  if (form->events_ != nullptr && form->events_->OnMessage(message, wParam, lParam, &result)) return result;
  if (message == DM_GETDEFID) {
    for (const auto& control : form->layout_.controls)
      if (control.defaultButton) return MAKELRESULT(control.id, DC_HASDEFID);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RunModal(Form& form, HWND owner, const bool& done, HWND focus) {
  if (owner != nullptr) EnableWindow(owner, FALSE);
  ShowWindow(form.hwnd(), SW_SHOW);
  SetForegroundWindow(form.hwnd());
  if (focus != nullptr) SetFocus(focus);
  MSG message;
  while (!done) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got < 0) break;
    if (!RouteDialogMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  if (owner != nullptr) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
  ShowWindow(form.hwnd(), SW_HIDE);
}

bool RouteDialogMessage(MSG& message) {
  for (HWND dialog : DialogWindows())
    if (IsWindowVisible(dialog) && IsDialogMessageA(dialog, &message)) return true;
  return false;
}

}  // namespace pelmor::ui

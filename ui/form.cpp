// Building windows from their layouts, and the shared window procedure.
#include "ui/form.h"

#include <commctrl.h>

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

std::string ToString(std::string_view text) { return std::string(text); }

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
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
      // Controls inside a panel belong to the window that holds the panel.
      return SendMessageA(GetParent(window), message, wParam, lParam);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool OwnerDrawn(ControlKind kind) {
  return kind == ControlKind::kText || kind == ControlKind::kPicture || kind == ControlKind::kBevel;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

void RegisterClassOnce(const char* name, WNDPROC procedure, HBRUSH background, UINT style = 0) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(Instance(), name, &existing)) return;
  WNDCLASSEXA cls{};
  cls.cbSize = sizeof cls;
  cls.style = style;
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
  std::string className = ToString(layout.className);
  RegisterClassOnce(className.c_str(), &Form::WindowProc, ClassBrush(layout.colour),
                    layout.doubleClicks ? CS_DBLCLKS : 0);
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
  std::string caption = ToString(layout.caption);
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
  std::string face = ToString(wanted.face);
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
    std::string caption = ToString(item.caption);
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
  parentIndex_.assign(count, -1);
  bitmaps_.resize(count);
  stretched_.resize(count);
  icons_.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const ControlLayout& control = layout_.controls[i];
    visible_[i] = control.visible ? 1 : 0;
    controlFonts_[i] = FontFor(control.font);
    if (!control.parent.empty()) parentIndex_[i] = ControlIndex(layout_, control.parent);
    const char* cls = nullptr;
    // Siblings clip each other, so a control never paints over one that lies above it.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (control.visible ? WS_VISIBLE : 0) | (control.enabled ? 0 : WS_DISABLED);
    DWORD exStyle = 0;
    switch (control.kind) {
      case ControlKind::kPaintBox:
      case ControlKind::kLabel:
        continue;  // drawn by the window itself
      case ControlKind::kPanel:
        cls = kPanelClass;
        style |= WS_CLIPCHILDREN;
        break;
      case ControlKind::kText:
      case ControlKind::kPicture:
      case ControlKind::kBevel:
        // Owner-drawn statics: each keeps its caption as its window text for screen readers.
        cls = "Static";
        style |= SS_OWNERDRAW | (control.id != 0 ? SS_NOTIFY : 0);
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
    std::string caption = ToString(control.caption);
    HWND parent = parentIndex_[i] >= 0 ? children_[static_cast<std::size_t>(parentIndex_[i])] : window_.get();
    HWND child = CreateWindowExA(exStyle, cls, caption.c_str(), style, control.bounds.left, control.bounds.top,
                                 control.bounds.width, control.bounds.height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), Instance(), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(controlFonts_[i]), FALSE);
    if (control.kind == ControlKind::kScrollBar) SetScrollRange(child, SB_CTL, control.rangeMin, control.rangeMax, FALSE);
    // Drawn controls that come later lie above earlier ones, as designed. The others keep the
    // order of creation, which is also the order of the Tab key.
    if (OwnerDrawn(control.kind)) SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    children_[i] = child;
    LoadPicture(i);
  }
  CreateTooltips();
}

void Form::LoadPicture(std::size_t index) {
  const ControlLayout& control = layout_.controls[index];
  if (control.picture.empty()) return;
  std::string name = ToString(control.picture);
  if (control.pictureKind == PictureKind::kBitmap)
    bitmaps_[index].reset(LoadImageA(Instance(), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  else if (control.pictureKind == PictureKind::kIcon)
    icons_[index].reset(static_cast<HICON>(LoadImageA(Instance(), name.c_str(), IMAGE_ICON, 0, 0, 0)));
}

void Form::CreateTooltips() {
  bool any = false;
  for (const auto& control : layout_.controls) any = any || !control.hint.empty();
  if (!any) return;
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&classes);
  tooltips_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_.get(), nullptr, Instance(),
                                  nullptr));
  for (std::size_t i = 0; i < children_.size(); ++i) {
    const ControlLayout& control = layout_.controls[i];
    if (control.hint.empty() || children_[i] == nullptr) continue;
    std::string hint = ToString(control.hint);
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(children_[i]);
    tool.uId = reinterpret_cast<UINT_PTR>(children_[i]);
    tool.lpszText = hint.data();
    SendMessageA(tooltips_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

int Form::IndexOf(HWND child) const {
  if (child == nullptr) return -1;
  for (std::size_t i = 0; i < children_.size(); ++i)
    if (children_[i] == child) return static_cast<int>(i);
  return -1;
}

std::string Form::Text(int index) const {
  char text[1024] = {};
  HWND child = children_[static_cast<std::size_t>(index)];
  if (child != nullptr) GetWindowTextA(child, text, sizeof text);
  return text;
}

void Form::SetBitmap(int index, GdiObject bitmap) {
  bitmaps_[static_cast<std::size_t>(index)] = std::move(bitmap);
  stretched_[static_cast<std::size_t>(index)] = {};
  icons_[static_cast<std::size_t>(index)].reset();
  Invalidate(static_cast<std::size_t>(index));
}

void Form::SetIcon(int index, OwnedIcon icon) {
  icons_[static_cast<std::size_t>(index)] = std::move(icon);
  bitmaps_[static_cast<std::size_t>(index)].reset();
  stretched_[static_cast<std::size_t>(index)] = {};
  Invalidate(static_cast<std::size_t>(index));
}

void Form::Invalidate(std::size_t index) {
  if (children_[index] == nullptr) return;
  InvalidateRect(children_[index], nullptr, FALSE);
  for (std::size_t j = index + 1; j < children_.size(); ++j)
    if (children_[j] != nullptr && parentIndex_[j] == parentIndex_[index] && Overlap(placed_[j], placed_[index]))
      InvalidateRect(children_[j], nullptr, FALSE);
}

void Form::DrawOne(HDC dc, std::size_t index, const RECT& area) {
  const ControlLayout& control = layout_.controls[index];
  switch (control.kind) {
    case ControlKind::kBevel: {
      RECT frame = area;
      DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
      break;
    }
    case ControlKind::kPicture: {
      const int width = area.right - area.left, height = area.bottom - area.top;
      if (bitmaps_[index]) {
        BITMAP info{};
        GetObjectA(bitmaps_[index].get(), sizeof info, &info);
        MemoryDc source(CreateCompatibleDC(dc));
        if (control.stretch) {
          // Stretched once per size and kept: every control over the picture draws a part of it.
          Stretched& cache = stretched_[index];
          if (!cache.bitmap || cache.width != width || cache.height != height) {
            cache = {GdiObject(CreateCompatibleBitmap(dc, width, height)), width, height};
            MemoryDc target(CreateCompatibleDC(dc));
            SelectedObject into(target.get(), cache.bitmap.get());
            SelectedObject from(source.get(), bitmaps_[index].get());
            SetStretchBltMode(target.get(), HALFTONE);
            SetBrushOrgEx(target.get(), 0, 0, nullptr);
            StretchBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
          }
          SelectedObject picture(source.get(), cache.bitmap.get());
          BitBlt(dc, area.left, area.top, width, height, source.get(), 0, 0, SRCCOPY);
        } else {
          SelectedObject picture(source.get(), bitmaps_[index].get());
          BitBlt(dc, area.left, area.top, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
        }
      } else if (icons_[index]) {
        DrawIconEx(dc, area.left, area.top, icons_[index].get(), control.stretch ? width : 0,
                   control.stretch ? height : 0, 0, nullptr, DI_NORMAL);
      }
      break;
    }
    case ControlKind::kText: {
      std::string text = Text(static_cast<int>(index));
      RECT box = area;
      SelectedObject font(dc, controlFonts_[index]);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, ToColorRef(control.font.face.empty() ? layout_.font.colour : control.font.colour));
      UINT format = DT_NOPREFIX | (control.centred ? DT_CENTER : DT_LEFT) |
                    (control.wordWrap ? DT_WORDBREAK : DT_SINGLELINE);
      DrawTextA(dc, text.c_str(), -1, &box, format);
      break;
    }
    default:
      break;
  }
}

void Form::DrawStack(HDC dc, std::size_t index) {
  const Rect& me = placed_[index];
  RECT all{0, 0, me.width, me.height};
  int parent = parentIndex_[index];
  std::uint32_t ground = parent >= 0 ? kButtonFace : layout_.colour;
  GdiObject brush(CreateSolidBrush(ToColorRef(ground)));
  FillRect(dc, &all, static_cast<HBRUSH>(brush.get()));
  for (std::size_t j = 0; j <= index; ++j) {
    const ControlLayout& other = layout_.controls[j];
    if (!OwnerDrawn(other.kind) || parentIndex_[j] != parent || visible_[j] == 0) continue;
    const Rect& r = placed_[j];
    if (j != index && !Overlap(r, me)) continue;
    RECT area{r.left - me.left, r.top - me.top, r.left - me.left + r.width, r.top - me.top + r.height};
    DrawOne(dc, j, area);
  }
}

bool Form::OnDrawItem(const DRAWITEMSTRUCT& item) {
  int index = IndexOf(item.hwndItem);
  if (index < 0 || !OwnerDrawn(layout_.controls[static_cast<std::size_t>(index)].kind)) return false;
  // Drawn off screen and copied whole, so a control never shows half its layers.
  const Rect& me = placed_[static_cast<std::size_t>(index)];
  MemoryDc buffer(CreateCompatibleDC(item.hDC));
  GdiObject bitmap(CreateCompatibleBitmap(item.hDC, std::max(me.width, 1), std::max(me.height, 1)));
  {
    SelectedObject selected(buffer.get(), bitmap.get());
    DrawStack(buffer.get(), static_cast<std::size_t>(index));
    BitBlt(item.hDC, 0, 0, me.width, me.height, buffer.get(), 0, 0, SRCCOPY);
  }
  return true;
}

bool Form::OnSetCursor(HWND child, UINT hitTest) {
  int index = IndexOf(child);
  if (hitTest != HTCLIENT || index < 0 || layout_.controls[static_cast<std::size_t>(index)].cursor != Cursor::kHand)
    return false;
  SetCursor(LoadCursorA(nullptr, IDC_HAND));
  return true;
}

void Form::OnGetMinMaxInfo(MINMAXINFO& info) const {
  Size least = MinimumClientSize(layout_.controls);
  RECT outer{0, 0, least.width, least.height};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(window_.get(), GWL_STYLE)), !layout_.menu.empty(),
                     static_cast<DWORD>(GetWindowLongPtrA(window_.get(), GWL_EXSTYLE)));
  info.ptMinTrackSize = {outer.right - outer.left, outer.bottom - outer.top};
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
    Invalidate(i);
    return;
  }
  const Rect& r = placed_[i];
  RECT area{r.left, r.top, r.left + r.width, r.top + r.height};
  InvalidateRect(window_.get(), &area, TRUE);
}

void Form::SetText(int index, std::string_view text) {
  HWND child = children_[static_cast<std::size_t>(index)];
  if (child == nullptr) return;
  SetWindowTextA(child, ToString(text).c_str());
  if (OwnerDrawn(layout_.controls[static_cast<std::size_t>(index)].kind)) Invalidate(static_cast<std::size_t>(index));
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
    std::string caption = ToString(control.caption);
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
  if (message == WM_DRAWITEM && form->OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
  if (message == WM_SETCURSOR && form->OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return TRUE;
  if (message == WM_GETMINMAXINFO && form->layout_.border == Border::kSizeable) {
    form->OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
    return 0;
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

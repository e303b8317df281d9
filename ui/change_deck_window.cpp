// The change-deck dialog's window: scroll bar, check box, buttons, file-open dialogs, preview.
#include "ui/change_deck_window.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "ui/layouts/layouts.h"

namespace pelmor::ui {

namespace {

constexpr int kLastBack = 11;

// One file-open dialog: the existing file chosen, with the read-only box hidden and the working
// directory left as it was; no value when cancelled.
std::optional<std::string> ChooseFile(HWND owner, const char* title, const char* filter, const char* extension,
                                      const std::string& folder) {
  std::vector<char> path(MAX_PATH + 1, '\0');
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title;
  dialog.lpstrDefExt = extension;
  dialog.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&dialog)) return std::nullopt;
  return std::string(path.data());
}

}  // namespace

ChangeDeckWindow::ChangeDeckWindow(TableWindow& table) : table_(table), deck_(table.Table(), table, *this) {}

bool ChangeDeckWindow::Create() {
  form_ = Form::Build(layouts::kChangeDeckLayout, table_.hwnd(), this);
  if (!form_) return false;
  deck_.FormCreate();
  return true;
}

int ChangeDeckWindow::ScrollPosition() { return GetScrollPos(Control("ScrollBar1"), SB_CTL); }

bool ChangeDeckWindow::RandomBackChecked() {
  return SendMessageA(Control("CheckBox1"), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::optional<std::string> ChangeDeckWindow::ChooseDeckFile() {
  static constexpr char kFilter[] = "Card Deck DLLs\0*.CAR\0";
  return ChooseFile(hwnd(), "Choose Deck", kFilter, "CAR", deckFolder_);
}

std::optional<std::string> ChangeDeckWindow::ChooseBackFile() {
  static constexpr char kFilter[] = "Bitmap Pictures\0*.bmp\0";
  return ChooseFile(hwnd(), "Choose Back", kFilter, "bmp", std::string());
}

int ChangeDeckWindow::ReadIniInteger(std::string_view file, std::string_view section, std::string_view key,
                                     int fallback) {
  return static_cast<int>(GetPrivateProfileIntA(std::string(section).c_str(), std::string(key).c_str(), fallback,
                                                std::string(file).c_str()));
}

void ChangeDeckWindow::ShowError(std::string_view text, std::string_view caption) {
  MessageBoxA(hwnd(), std::string(text).c_str(), std::string(caption).c_str(), MB_OK | MB_ICONERROR);
}

template <typename Draw>
void ChangeDeckWindow::OnPreview(Draw draw) {
  if (paintDc_ != nullptr) {
    draw(paintDc_);
    return;
  }
  WindowDc dc(hwnd());
  draw(dc.get());
}

void ChangeDeckWindow::DrawPreviewBack(int back) {
  GdiObject picture = table_.Pictures().LoadBack(back);
  // A back the module lacks draws nothing and leaves what was there.
  OnPreview([&](HDC dc) { CardPictures::Draw(dc, static_cast<HBITMAP>(picture.get()), 0, 0); });
}

void ChangeDeckWindow::DrawPreviewBackPicture() {
  OnPreview([&](HDC dc) { CardPictures::Draw(dc, table_.Pictures().Back(), 0, 0); });
}

void ChangeDeckWindow::OpenWebPage(std::string_view address) {
  ShellExecuteA(hwnd(), nullptr, std::string(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ChangeDeckWindow::Hide() { ShowWindow(hwnd(), SW_HIDE); }

void ChangeDeckWindow::OnScroll(WORD request) {
  HWND bar = Control("ScrollBar1");
  int position = GetScrollPos(bar, SB_CTL);
  switch (request) {
    case SB_LINELEFT: case SB_PAGELEFT: --position; break;
    case SB_LINERIGHT: case SB_PAGERIGHT: ++position; break;
    case SB_LEFT: position = 0; break;
    case SB_RIGHT: position = kLastBack; break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(bar, SB_CTL, &info);
      position = info.nTrackPos;
      break;
    }
    default: return;
  }
  position = std::clamp(position, 0, kLastBack);
  if (position == GetScrollPos(bar, SB_CTL)) return;
  SetScrollPos(bar, SB_CTL, position, TRUE);
  deck_.ScrollBar1Change();
}

bool ChangeDeckWindow::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_PAINT: {
      PaintDc paint(hwnd());
      paintDc_ = paint.get();
      deck_.FormPaint();
      paintDc_ = nullptr;
      return true;
    }
    case WM_LBUTTONDOWN:
      deck_.FormPaint();
      return true;
    case WM_HSCROLL:
      OnScroll(LOWORD(wParam));
      return true;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return false;
      switch (LOWORD(wParam)) {
        case layouts::kDeckButton1: deck_.Button1Click(); return true;
        case layouts::kDeckButton2: deck_.Button2Click(); return true;
        case layouts::kDeckButton3: deck_.Button3Click(); return true;
        case layouts::kDeckButton4: deck_.Button4Click(); return true;
        case layouts::kDeckButton5: deck_.Button5Click(); return true;
        case layouts::kDeckButton6: deck_.Button6Click(); return true;
        case IDCANCEL: deck_.FormClose(); return true;  // Esc
        default: return false;
      }
    case WM_CLOSE:
      deck_.FormClose();  // only hides: the dialog lives as long as the program
      return true;
    default:
      return false;
  }
}

}  // namespace pelmor::ui

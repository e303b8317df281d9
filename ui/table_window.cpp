// The table window's messages, painting and platform calls.
#include "ui/table_window.h"

#include <mmsystem.h>
#include <shellapi.h>
#include <windowsx.h>

#include <cctype>

#include "ui/input_query.h"
#include "ui/locale_numbers.h"
#include "ui/resource_bytes.h"
#include "ui/system_error.h"
#include "ui/layouts/layouts.h"

namespace pelmor::ui {

namespace {

UINT IconFlags(app::Icon icon) {
  switch (icon) {
    case app::Icon::kInformation: return MB_ICONINFORMATION;
    case app::Icon::kError: return MB_ICONERROR;
    case app::Icon::kNone: break;
  }
  return 0;
}

// Where and why a file call on `file` failed: the folder as the call saw it (a relative name
// resolved against the working directory) and the system's text for the error.
app::WriteFailure WriteFailureOf(const std::string& file, DWORD error) {
  char full[MAX_PATH] = {};
  char* namePart = nullptr;
  DWORD length = GetFullPathNameA(file.c_str(), MAX_PATH, full, &namePart);
  std::string path = length != 0 && length < MAX_PATH ? std::string(full) : file;
  std::size_t slash = path.find_last_of("\\/");
  return {slash == std::string::npos ? path : path.substr(0, slash), SystemErrorText(error, path)};
}

}  // namespace

TableWindow::TableWindow(std::vector<std::string> args) : table_(*this, std::move(args)) {}

TableWindow::~TableWindow() = default;

bool TableWindow::Create() {
  form_ = Form::Build(layouts::kTableLayout, nullptr, this);
  if (!form_) return false;
  static constexpr const char* kAreas[kAreaCount] = {"PaintBox1", "PaintBox2", "PaintBox3",
                                                     "PaintBox4", "PaintBox5", "PaintBox6"};
  for (int area = 0; area < kAreaCount; ++area) areaIndex_[static_cast<std::size_t>(area)] = form_->Index(kAreas[area]);
  labelIndex_ = form_->Index("Label1");
  panelIndex_ = form_->Index("Panel1");
  table_.FormCreate();
  return true;
}

// --- platform: boxes, dialogs, clock, files ---

app::Answer TableWindow::ShowMessage(std::string_view text, std::string_view caption, app::Buttons buttons,
                                     app::Icon icon) {
  UINT flags = (buttons == app::Buttons::kYesNo ? MB_YESNO : MB_OK) | IconFlags(icon) | MB_DEFBUTTON1;
  int answer = MessageBoxA(hwnd(), std::string(text).c_str(), std::string(caption).c_str(), flags);
  if (answer == IDYES) return app::Answer::kYes;
  if (answer == IDNO) return app::Answer::kNo;
  return app::Answer::kOk;
}

std::optional<std::string> TableWindow::InputQuery(std::string_view caption, std::string_view prompt,
                                                   std::string_view initial) {
  return ui::InputQuery(hwnd(), caption, prompt, initial);
}

game::TimeOfDay TableWindow::UtcTimeOfDay() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

bool TableWindow::FileExists(std::string_view name) {
  DWORD attributes = GetFileAttributesA(std::string(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::vector<std::uint8_t>> TableWindow::ReadFile(std::string_view name, std::size_t maxBytes) {
  // Others may go on reading and writing the file meanwhile.
  File file(CreateFileA(std::string(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> content(maxBytes);
  std::size_t have = 0;
  while (have < maxBytes) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), content.data() + have, static_cast<DWORD>(maxBytes - have), &got, nullptr))
      return std::nullopt;
    if (got == 0) break;
    have += got;
  }
  content.resize(have);
  return content;
}

bool TableWindow::ReplaceFile(std::string_view name, std::span<const std::uint8_t> content,
                              app::WriteFailure* failure) {
  // The new content goes to a file of its own beside the old one, which it replaces only once it
  // is complete on disk: a failure anywhere leaves the old file as it was.
  const std::string target(name);
  const std::string temporary = target + ".new";
  DWORD error = ERROR_SUCCESS;
  const std::string* failedFile = &temporary;
  bool created = false;
  {
    File file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    created = static_cast<bool>(file);
    DWORD put = 0;
    if (!created)
      error = GetLastError();
    else if (!::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &put, nullptr) ||
             !FlushFileBuffers(file.get()))
      error = GetLastError();
    else if (put != content.size())
      error = ERROR_HANDLE_DISK_FULL;  // a short write that reports no error
  }
  if (error == ERROR_SUCCESS) {
    if (MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    error = GetLastError();
    failedFile = &target;
  }
  if (created) DeleteFileA(temporary.c_str());
  if (failure != nullptr) *failure = WriteFailureOf(*failedFile, error);
  return false;
}

void TableWindow::DeleteNamedFile(std::string_view name) { DeleteFileA(std::string(name).c_str()); }

void TableWindow::PlayWave(std::string_view file, std::uint32_t flags) {
  std::string name(file);
  sndPlaySoundA(name.empty() ? nullptr : name.c_str(), flags);
}

store::NumberSeparators TableWindow::LocaleNumberSeparators() { return UserNumberSeparators(); }

// --- platform: the window and its controls ---

void TableWindow::SetCaption(std::string_view caption) { SetWindowTextA(hwnd(), std::string(caption).c_str()); }

std::string TableWindow::Caption() {
  char text[256] = {};
  GetWindowTextA(hwnd(), text, sizeof text);
  return text;
}

void TableWindow::SetApplicationTitle(std::string_view title) { applicationTitle_ = title; }

app::Bounds TableWindow::WindowBounds() {
  RECT outer;
  GetWindowRect(hwnd(), &outer);
  return {outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top};
}

void TableWindow::Repaint() {
  // A direct repaint: the areas, and the moves label over them where it overlaps the stock; what
  // lies elsewhere on the white background stays.
  WindowDc screen(hwnd());
  HDC buffer = BackBuffer(screen.get());
  bool label = form_->Visible(labelIndex_);
  const Rect& l = form_->Bounds(labelIndex_);
  RECT labelArea{l.left, l.top, l.left + l.width, l.top + l.height};
  if (label) FillRect(buffer, &labelArea, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FormPaint(buffer);
  if (label) form_->PaintLabels(buffer);
  for (int area = 0; area < kAreaCount; ++area) {
    const Rect& r = AreaBounds(area);
    BitBlt(screen.get(), r.left, r.top, r.width, r.height, buffer, r.left, r.top, SRCCOPY);
  }
  if (label) BitBlt(screen.get(), l.left, l.top, l.width, l.height, buffer, l.left, l.top, SRCCOPY);
}

void TableWindow::SetAreaFill(std::uint32_t rgb) { fillBrush_.reset(CreateSolidBrush(ToColorRef(rgb))); }

std::string TableWindow::StatusText() {
  char text[256] = {};
  GetWindowTextA(form_->ChildWindow(panelIndex_), text, sizeof text);
  return text;
}

void TableWindow::SetStatusText(std::string_view text) { form_->SetText(panelIndex_, text); }

void TableWindow::SetMovesLabelVisible(bool visible) { form_->SetVisible(labelIndex_, visible); }

void TableWindow::SetPileEnabled(int pile, bool enabled) { pileEnabled_[static_cast<std::size_t>(pile)] = enabled; }

bool TableWindow::PileEnabled(int pile) { return pileEnabled_[static_cast<std::size_t>(pile)]; }

void TableWindow::SetPileCursor(int pile, app::PileCursor cursor) {
  pileCursor_[static_cast<std::size_t>(pile)] = cursor;
  // The shape changes at once when the pointer is over that pile.
  POINT at;
  GetCursorPos(&at);
  if (WindowFromPoint(at) != hwnd()) return;
  ScreenToClient(hwnd(), &at);
  if (AreaAt(at.x, at.y) == pile) OnSetCursor();
}

void TableWindow::SetNoHintsChecked(bool checked) {
  CheckMenuItem(GetMenu(hwnd()), layouts::kNoHints1, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool TableWindow::NoHintsChecked() {
  return (GetMenuState(GetMenu(hwnd()), layouts::kNoHints1, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void TableWindow::SetTimerEnabled(app::Timer timer, bool enabled) {
  form_->SetTimer(timer == app::Timer::kVictory ? layouts::kTimer1 : layouts::kTimer2, enabled);
}

void TableWindow::CloseTable() { PostMessageA(hwnd(), WM_CLOSE, 0, 0); }

// --- platform: card pictures ---

void TableWindow::CreateFacePictures() {
  // The 52 face slots exist with the window and stay empty until the pictures are loaded.
  pictures_.Release();
}

void TableWindow::SelectDeckModule(std::string_view libraryPath) { pictures_.SelectDeckModule(libraryPath); }

void TableWindow::LoadCardPictures(int backIndex) { pictures_.Load(backIndex); }

bool TableWindow::LoadCustomBack(std::string_view file) { return pictures_.LoadBackFile(std::string(file)); }

void TableWindow::DrawFaceOnWindow(int rank, int suit, int x, int y) {
  // Straight onto the client surface: the status bar, a window of its own, is clipped out.
  WindowDc dc(hwnd());
  CardPictures::Draw(dc.get(), pictures_.Face(rank, suit), x, y);
}

bool TableWindow::OpenDeckLibrary(std::string_view path, std::string* errorText) {
  return pictures_.OpenLibrary(std::string(path), errorText);
}

std::optional<std::vector<std::uint8_t>> TableWindow::StretchedBitmapFile(std::string_view file, int width,
                                                                          int height) {
  return CardPictures::StretchedBitmapFile(std::string(file), width, height);
}

// --- platform: processes ---

std::string TableWindow::ProgramPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

void TableWindow::ShellStart(std::string_view file, std::string_view parameters) {
  ShellExecuteA(nullptr, nullptr, std::string(file).c_str(), std::string(parameters).c_str(), nullptr, SW_SHOW);
}

void TableWindow::EndProcess(std::uint32_t exitCode) { ExitProcess(exitCode); }

// --- platform: help and about ---

std::string_view TableWindow::CarriedDocument(std::string_view fileName) {
  // The documents are data resources named after their files: "pelmor16.wri" is PELMOR16_WRI.
  std::string name(fileName);
  for (char& c : name) c = c == '.' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ResourceBytes(nullptr, name.c_str(), RT_RCDATA);
}

std::uintptr_t TableWindow::ShellOpen(std::string_view file, std::string_view parameters) {
  std::string target(file), arguments(parameters);
  HINSTANCE result = ShellExecuteA(hwnd(), nullptr, target.c_str(), arguments.empty() ? nullptr : arguments.c_str(),
                                   nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<std::uintptr_t>(result);
}

void TableWindow::ShowAbout(const app::AboutRequest& request) {
  if (about_ != nullptr) about_->Show(request);
}

// --- painting ---

const Rect& TableWindow::AreaBounds(int area) const {
  return form_->Bounds(areaIndex_[static_cast<std::size_t>(area)]);
}

HDC TableWindow::BackBuffer(HDC reference) {
  RECT client;
  GetClientRect(hwnd(), &client);
  return buffer_.Prepare(reference, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
}

void TableWindow::FormPaint(HDC dc) {
  for (int area = 0; area < kAreaCount; ++area) {
    const Rect& r = AreaBounds(area);
    RECT fill{r.left, r.top, r.left + r.width, r.top + r.height};
    if (fillBrush_) FillRect(dc, &fill, static_cast<HBRUSH>(fillBrush_.get()));
  }
  // Empty-pile tiles, then the tableau piles fanned 16 pixels per card, bottom card first.
  for (int area = 0; area < 4; ++area) PaintArea(dc, area);
  PaintArea(dc, kStockArea);
  PaintArea(dc, 5);
}

void TableWindow::PaintArea(HDC dc, int area) {
  const Rect& r = AreaBounds(area);
  // Whatever falls outside an area is clipped to it.
  int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.left + r.width, r.top + r.height);
  const game::Piles& piles = table_.Game().piles;
  auto face = [&](game::Card card) { return pictures_.Face(game::RankOf(card), game::SuitOf(card)); };
  if (area < 4) {
    CardPictures::Draw(dc, pictures_.EmptyPile(), r.left, r.top);
    const game::PileList& pile = piles[static_cast<std::size_t>(area)];
    for (int k = 0; k < pile.Count(); ++k) CardPictures::Draw(dc, face(pile.At(k)), r.left, r.top + 16 * k);
  } else if (area == kStockArea) {
    CardPictures::Draw(dc, pictures_.StockBase(), r.left, r.top);
    for (int k = 0; k < piles[game::kStock].Count(); ++k) CardPictures::Draw(dc, pictures_.Back(), r.left, r.top + 4 * k);
  } else {
    const game::PileList& discards = piles[game::kDiscard];
    for (int k = 0; k < discards.Count(); ++k) CardPictures::Draw(dc, face(discards.At(k)), r.left + 16 * k, r.top);
  }
  RestoreDC(dc, saved);
}

void TableWindow::OnPaint() {
  PaintDc paint(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  HDC buffer = BackBuffer(paint.get());
  FillRect(buffer, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FormPaint(buffer);
  form_->PaintLabels(buffer);
  const RECT& area = paint.area();
  BitBlt(paint.get(), area.left, area.top, area.right - area.left, area.bottom - area.top, buffer, area.left,
         area.top, SRCCOPY);
}

// --- input ---

int TableWindow::AreaAt(int x, int y) const {
  // Later areas lie above earlier ones; disabled areas take no mouse input.
  for (int area = kAreaCount - 1; area >= 0; --area) {
    if (area < 4 && !pileEnabled_[static_cast<std::size_t>(area)]) continue;
    if (AreaBounds(area).Contains(x, y)) return area;
  }
  return -1;
}

void TableWindow::OnMouseDown(app::MouseButton button, WPARAM keys, int x, int y, bool secondOfDoubleClick) {
  int area = AreaAt(x, y);
  if (area == kStockArea && button == app::MouseButton::kLeft) {
    stockPressed_ = true;
    SetCapture(hwnd());
    table_.PaintBox5MouseDown(secondOfDoubleClick);
    return;
  }
  if (area < 0 || area >= 4) return;
  const Rect& r = AreaBounds(area);
  int pile = form_->layout().controls[static_cast<std::size_t>(areaIndex_[static_cast<std::size_t>(area)])].tag;
  table_.PaintBox1MouseDown(pile, button, (keys & MK_CONTROL) != 0, x - r.left, y - r.top);
}

void TableWindow::OnStockButtonUp(int x, int y) {
  if (!stockPressed_) return;
  stockPressed_ = false;
  ReleaseCapture();
  table_.PaintBox5MouseUp(AreaBounds(kStockArea).Contains(x, y));
}

void TableWindow::OnMouseMove(int x, int y) {
  int area = AreaAt(x, y);
  if (area >= 0 && area < 4)
    table_.PaintBox1MouseMove(
        form_->layout().controls[static_cast<std::size_t>(areaIndex_[static_cast<std::size_t>(area)])].tag);
}

bool TableWindow::OnSetCursor() {
  POINT at;
  GetCursorPos(&at);
  ScreenToClient(hwnd(), &at);
  int area = AreaAt(at.x, at.y);
  bool hint = area >= 0 && area < 4 && pileCursor_[static_cast<std::size_t>(area)] == app::PileCursor::kHint;
  SetCursor(LoadCursorA(nullptr, hint ? IDC_UPARROW : IDC_ARROW));
  return true;
}

void TableWindow::OnCommand(int command) {
  switch (command) {
    case layouts::kNewGame1: table_.NewGame1Click(); break;
    case layouts::kEnterGameNumber1: table_.EnterGameNumber1Click(); break;
    case layouts::kLoadSavedGame1: table_.LoadSavedGame1Click(); break;
    case layouts::kSaveGame1: table_.SaveGame1Click(); break;
    case layouts::kChangeCardDeck1:
      // Shown, not modal: the table goes on taking input meanwhile.
      if (changeDeck_ != nullptr) ShowWindow(changeDeck_, SW_SHOW);
      break;
    case layouts::kHighScores1: table_.HighScores1Click(); break;
    case layouts::kNoHints1: table_.NoHints1Click(); break;
    case layouts::kExit1: table_.Exit1Click(); break;
    case layouts::kAbout1: table_.About1Click(); break;
    case layouts::kHowToPlay1: table_.HowToPlay1Click(); break;
    case layouts::kHowToUseThisGame1: table_.HowToUseThisGame1Click(); break;
    case layouts::kBuySourceCode1: table_.BuySourceCode1Click(); break;
    default: break;
  }
}

bool TableWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return true;
    case WM_ERASEBKGND:
      *result = 1;  // the paint covers everything
      return true;
    case WM_SIZE:
      if (form_) {
        form_->Relayout();
        InvalidateRect(hwnd(), nullptr, FALSE);
      }
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnMouseDown(app::MouseButton::kLeft, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                  message == WM_LBUTTONDBLCLK);
      return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      OnMouseDown(app::MouseButton::kRight, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                  message == WM_RBUTTONDBLCLK);
      return true;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      OnMouseDown(app::MouseButton::kMiddle, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                  message == WM_MBUTTONDBLCLK);
      return true;
    case WM_LBUTTONUP:
      OnStockButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return true;
    case WM_MOUSEMOVE:
      OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return true;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == hwnd()) {
        OnSetCursor();
        *result = TRUE;
        return true;
      }
      return false;
    case WM_CHAR:
      table_.FormKeyPress(static_cast<char>(wParam));
      return true;
    case WM_COMMAND:
      if (lParam == 0) OnCommand(LOWORD(wParam));
      return true;
    case WM_TIMER:
      if (wParam == layouts::kTimer1) table_.Timer1Timer();
      if (wParam == layouts::kTimer2) table_.Timer2Timer();
      return true;
    case WM_DESTROY:
      pictures_.Release();  // FormDestroy
      PostQuitMessage(0);
      return true;
    default:
      return false;
  }
}

}  // namespace pelmor::ui

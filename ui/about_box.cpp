// The about dialog's window and the desktop calls of the about unit.
#include "ui/about_box.h"

#include <shellapi.h>

#include <fstream>
#include <sstream>

#include "ui/layouts/layouts.h"
#include "ui/locale_numbers.h"
#include "ui/resource_bytes.h"

namespace pelmor::ui {

namespace {

using namespace layouts;

// The days between 1 January 1601, where FILETIME counts from, and 30 December 1899.
constexpr double kFileTimeEpochDays = 109205.0;
constexpr double kFileTimeUnitsPerDay = 864000000000.0;

std::string ToString(std::string_view text) { return std::string(text); }

}  // namespace

AboutWindow::AboutWindow(std::vector<std::string> args) : about_(*this, std::move(args)) {}

AboutWindow::~AboutWindow() = default;

bool AboutWindow::Create(HWND owner) {
  form_ = Form::Build(kAboutLayout, owner, this);
  if (!form_) return false;
  if (module_ == nullptr) module_ = GetModuleHandleA(nullptr);
  // The design captions, as the layout gives them.
  app::AboutView design;
  auto caption = [&](std::string_view name) { return ToString(FindControl(kAboutLayout, name)->caption); };
  design.appType = caption("AppType");
  design.charType = caption("CharType");
  design.productName = caption("ProductName");
  design.version = caption("Version");
  design.comments = caption("Comments");
  design.label1 = caption("Label1");
  about_.FormCreate(design);
  // The icon numbered 1 of the module; this program's icon is named, so the frame stays empty.
  form_->SetIcon(form_->Index("ProgramIcon"),
                 OwnedIcon(static_cast<HICON>(LoadImageA(module_, MAKEINTRESOURCEA(1), IMAGE_ICON, 0, 0, 0))));
  Apply();
  return true;
}

void AboutWindow::Apply() {
  const app::AboutView& view = about_.View();
  form_->SetText(form_->Index("AppType"), view.appType);
  form_->SetText(form_->Index("CharType"), view.charType);
  form_->SetVisible(form_->Index("CharType"), view.charTypeVisible);
  form_->SetText(form_->Index("ProductName"), view.productName);
  form_->SetText(form_->Index("Version"), view.version);
  form_->SetText(form_->Index("Comments"), view.comments);
  form_->SetText(form_->Index("Label1"), view.label1);
  form_->SetVisible(form_->Index("Image2"), view.donationsVisible);
  form_->SetVisible(form_->Index("Image3"), view.donationsVisible);
}

void AboutWindow::Show(const app::AboutRequest& request) {
  if (!form_) return;
  const app::AboutRequest& r = request;
  if (r.options & app::kAboutEtcPicture) {
    if (HANDLE etc = LoadImageA(module_, "ABOUTETC", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))
      form_->SetBitmap(form_->Index("Image3"), GdiObject(etc));
  }
  about_.ShowAbout(r);
  if (about_.View().clearProgramIcon) form_->SetIcon(form_->Index("ProgramIcon"), OwnedIcon());
  Apply();
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  SetFocus(form_->ChildWindow(form_->Index("OKButton")));
}

void AboutWindow::Open(const std::string& address) {
  // A page that does not open is not reported.
  ShellExecuteA(hwnd(), nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void AboutWindow::OnClick(int id) {
  switch (id) {
    case kAboutOk:
    case IDCANCEL:
      ShowWindow(hwnd(), SW_HIDE);  // OKButtonClick: closing hides the dialog
      break;
    case kAboutImage1:
    case kAboutAppType:
      Open(about_.HomePage());
      break;
    case kAboutProgramIcon:
      Open(about_.AppPageAddress());
      break;
    case kAboutImage2:
    case kAboutImage3:
      if (auto page = app::DonationPage(id == kAboutImage2 ? 1 : 2)) Open(*page);
      break;
    default:
      break;
  }
}

bool AboutWindow::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_COMMAND: {
      int id = LOWORD(wParam), code = HIWORD(wParam);
      if (code == BN_CLICKED || code == STN_CLICKED) OnClick(id);
      return true;
    }
    case WM_CLOSE:
      ShowWindow(hwnd(), SW_HIDE);
      return true;
    default:
      return false;
  }
}

// --- the about unit's desktop calls ---

std::string AboutWindow::ProgramFile() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(module_, path, MAX_PATH);
  return path;
}

bool AboutWindow::FileExists(std::string_view path) {
  DWORD attributes = GetFileAttributesA(ToString(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::uint32_t AboutWindow::VersionInfoSize(std::string_view file) {
  DWORD handle = 0;
  return GetFileVersionInfoSizeA(ToString(file).c_str(), &handle);
}

std::optional<app::AboutHost::FixedVersion> AboutWindow::ReadFixedVersion(std::string_view file, std::uint32_t size) {
  std::vector<char> info(size);
  if (!GetFileVersionInfoA(ToString(file).c_str(), 0, size, info.data())) return std::nullopt;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr)
    return std::nullopt;
  return FixedVersion{fixed->dwFileVersionMS, fixed->dwFileVersionLS};
}

bool AboutWindow::RunningUnderDebugger() { return IsDebuggerPresent() != FALSE; }

std::string AboutWindow::ReadProfileString(std::string_view file, std::string_view section, std::string_view key,
                                           std::string_view fallback) {
  char text[256] = {};
  GetPrivateProfileStringA(ToString(section).c_str(), ToString(key).c_str(), ToString(fallback).c_str(), text,
                           sizeof text, ToString(file).c_str());
  return text;
}

void AboutWindow::WriteProfileString(std::string_view file, std::string_view section, std::string_view key,
                                     std::string_view value) {
  WritePrivateProfileStringA(ToString(section).c_str(), ToString(key).c_str(), ToString(value).c_str(),
                             ToString(file).c_str());
}

std::optional<std::string> AboutWindow::ReadTextFile(std::string_view name) {
  std::ifstream in(ToString(name), std::ios::binary);
  if (!in) return std::nullopt;
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void AboutWindow::WriteTextFile(std::string_view name, std::string_view text) {
  std::ofstream out(ToString(name), std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

double AboutWindow::LocalNowDays() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  FILETIME stamp;
  SystemTimeToFileTime(&now, &stamp);
  ULARGE_INTEGER units{};
  units.LowPart = stamp.dwLowDateTime;
  units.HighPart = stamp.dwHighDateTime;
  return static_cast<double>(units.QuadPart) / kFileTimeUnitsPerDay - kFileTimeEpochDays;
}

store::NumberSeparators AboutWindow::LocaleNumberSeparators() { return UserNumberSeparators(); }

std::string AboutWindow::FormatDateTime(double days) {
  ULARGE_INTEGER units{};
  units.QuadPart = static_cast<ULONGLONG>((days + kFileTimeEpochDays) * kFileTimeUnitsPerDay + 0.5);
  FILETIME stamp{units.LowPart, units.HighPart};
  SYSTEMTIME when{};
  FileTimeToSystemTime(&stamp, &when);
  char date[80] = {}, time[80] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, date, sizeof date);
  std::string text = date;
  if (when.wHour != 0 || when.wMinute != 0 || when.wSecond != 0) {
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &when, nullptr, time, sizeof time);
    text += std::string(" ") + time;
  }
  return text;
}

std::optional<std::string> AboutWindow::AboutResource() {
  std::string_view bytes = ResourceBytes(module_, MAKEINTRESOURCEA(1), "ABOUT");
  if (bytes.data() == nullptr) return std::nullopt;
  return std::string(bytes);
}

}  // namespace pelmor::ui

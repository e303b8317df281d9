// The about dialog's window: built hidden from its layout at start-up, filled and shown modeless by
// Help > About, hidden again by OK or its close box; the desktop side of the about unit.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/about.h"
#include "ui/form.h"

namespace pelmor::ui {

class AboutWindow : public FormEvents, public app::AboutHost {
 public:
  explicit AboutWindow(std::vector<std::string> args);
  ~AboutWindow() override;

  // Builds the window and runs its creation sequence; the window stays hidden.
  bool Create(HWND owner);
  HWND hwnd() const { return form_ ? form_->hwnd() : nullptr; }
  // ShowAbout: refills the dialog and shows it, or brings it to the front when it is shown.
  void Show(const app::AboutRequest& request);

  // FormEvents
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  // app::AboutHost
  std::string ProgramFile() override;
  bool FileExists(std::string_view path) override;
  std::uint32_t VersionInfoSize(std::string_view file) override;
  std::optional<FixedVersion> ReadFixedVersion(std::string_view file, std::uint32_t size) override;
  bool RunningUnderDebugger() override;
  std::string ReadProfileString(std::string_view file, std::string_view section, std::string_view key,
                                std::string_view fallback) override;
  void WriteProfileString(std::string_view file, std::string_view section, std::string_view key,
                          std::string_view value) override;
  std::optional<std::string> ReadTextFile(std::string_view name) override;
  void WriteTextFile(std::string_view name, std::string_view text) override;
  double LocalNowDays() override;
  store::NumberSeparators LocaleNumberSeparators() override;
  std::string FormatDateTime(double days) override;
  std::optional<std::string> AboutResource() override;

 private:
  void Apply();
  void Open(const std::string& address);
  void OnClick(int id);

  HMODULE module_ = nullptr;
  std::unique_ptr<Form> form_;
  app::AboutBox about_;
};

}  // namespace pelmor::ui

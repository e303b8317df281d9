// The change-deck dialog: built from its layout, hidden until Change Card Deck shows it, its
// messages turned into the commands of app::ChangeDeck.
#pragma once

#include <windows.h>

#include <memory>

#include "app/deck_commands.h"
#include "ui/form.h"
#include "ui/table_window.h"

namespace pelmor::ui {

class ChangeDeckWindow : public app::DeckDialog, public FormEvents {
 public:
  explicit ChangeDeckWindow(TableWindow& table);
  // Builds the dialog hidden, owned by the table window, and runs its creation handler.
  bool Create();
  HWND hwnd() const { return form_ ? form_->hwnd() : nullptr; }

  // app::DeckDialog
  int ScrollPosition() override;
  bool RandomBackChecked() override;
  std::optional<std::string> ChooseDeckFile() override;
  std::optional<std::string> ChooseBackFile() override;
  void SetDeckFolder(std::string_view folder) override { deckFolder_ = folder; }
  int ReadIniInteger(std::string_view file, std::string_view section, std::string_view key, int fallback) override;
  void ShowError(std::string_view text, std::string_view caption) override;
  void DrawPreviewBack(int back) override;
  void DrawPreviewBackPicture() override;
  void OpenWebPage(std::string_view address) override;
  void Hide() override;

  // FormEvents
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  HWND Control(const char* name) const { return form_->ChildWindow(form_->Index(name)); }
  void OnScroll(WORD request);
  // The surface the preview draws on: the paint's DC inside WM_PAINT, else the window's.
  template <typename Draw>
  void OnPreview(Draw draw);

  TableWindow& table_;
  app::ChangeDeck deck_;
  std::unique_ptr<Form> form_;
  std::string deckFolder_;
  HDC paintDc_ = nullptr;
};

}  // namespace pelmor::ui

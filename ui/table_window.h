// The table window: the Windows side of the game's platform, built from its layout, painting
// the table and turning mouse, key, menu and timer messages into the table's handlers.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/platform.h"
#include "app/table.h"
#include "ui/about_box.h"
#include "ui/card_pictures.h"
#include "ui/form.h"
#include "ui/offscreen_buffer.h"
#include "ui/win32_registry.h"

namespace pelmor::ui {

class TableWindow : public app::Platform, public FormEvents {
 public:
  explicit TableWindow(std::vector<std::string> args);
  ~TableWindow() override;

  // Builds the window from its layout and runs the creation sequence; the window stays hidden.
  bool Create();
  HWND hwnd() const { return form_ ? form_->hwnd() : nullptr; }
  app::PelmorTable& Table() { return table_; }
  CardPictures& Pictures() { return pictures_; }
  // The change-deck dialog that Change Card Deck shows, once it exists.
  void SetChangeDeckDialog(HWND dialog) { changeDeck_ = dialog; }

  // app::Platform
  app::Answer ShowMessage(std::string_view text, std::string_view caption, app::Buttons buttons,
                          app::Icon icon) override;
  std::optional<std::string> InputQuery(std::string_view caption, std::string_view prompt,
                                        std::string_view initial) override;
  game::TimeOfDay UtcTimeOfDay() override;
  bool FileExists(std::string_view name) override;
  std::optional<std::vector<std::uint8_t>> ReadFile(std::string_view name, std::size_t maxBytes) override;
  bool ReplaceFile(std::string_view name, std::span<const std::uint8_t> content, app::WriteFailure* failure) override;
  void DeleteNamedFile(std::string_view name) override;
  void PlayWave(std::string_view file, std::uint32_t flags) override;
  store::NumberSeparators LocaleNumberSeparators() override;
  store::Registry& Registry() override { return registry_; }
  void SetCaption(std::string_view caption) override;
  std::string Caption() override;
  void SetApplicationTitle(std::string_view title) override;
  app::Bounds WindowBounds() override;
  void Repaint() override;
  void SetAreaFill(std::uint32_t rgb) override;
  std::string StatusText() override;
  void SetStatusText(std::string_view text) override;
  void SetMovesLabelVisible(bool visible) override;
  void SetPileEnabled(int pile, bool enabled) override;
  bool PileEnabled(int pile) override;
  void SetPileCursor(int pile, app::PileCursor cursor) override;
  void SetNoHintsChecked(bool checked) override;
  bool NoHintsChecked() override;
  void SetTimerEnabled(app::Timer timer, bool enabled) override;
  void CloseTable() override;
  void CreateFacePictures() override;
  void SelectDeckModule(std::string_view libraryPath) override;
  void LoadCardPictures(int backIndex) override;
  bool LoadCustomBack(std::string_view file) override;
  void DrawFaceOnWindow(int rank, int suit, int x, int y) override;
  bool OpenDeckLibrary(std::string_view path, std::string* errorText) override;
  std::optional<std::vector<std::uint8_t>> StretchedBitmapFile(std::string_view file, int width, int height) override;
  std::string ProgramPath() override;
  void ShellStart(std::string_view file, std::string_view parameters) override;
  [[noreturn]] void EndProcess(std::uint32_t exitCode) override;
  std::string_view CarriedDocument(std::string_view fileName) override;
  std::uintptr_t ShellOpen(std::string_view file, std::string_view parameters) override;
  void ShowAbout(const app::AboutRequest& request) override;

  // The about dialog that Help > About shows; created after the table.
  void SetAboutWindow(AboutWindow* about) { about_ = about; }

  // FormEvents
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  // The six paint areas, PaintBox1 .. PaintBox6.
  static constexpr int kAreaCount = 6;
  static constexpr int kStockArea = 4;

  void FormPaint(HDC dc);
  void PaintArea(HDC dc, int area);
  void OnPaint();
  // A press of a button; the second press of a double-click reaches the piles as a press.
  void OnMouseDown(app::MouseButton button, WPARAM keys, int x, int y, bool secondOfDoubleClick);
  void OnMouseMove(int x, int y);
  void OnStockButtonUp(int x, int y);
  bool OnSetCursor();
  void OnCommand(int command);
  // The topmost enabled paint area at a client point, or -1.
  int AreaAt(int x, int y) const;
  const Rect& AreaBounds(int area) const;
  HDC BackBuffer(HDC reference);
  void PresentAreas(HDC buffer);

  Win32Registry registry_;
  std::unique_ptr<Form> form_;
  app::PelmorTable table_;
  std::array<int, kAreaCount> areaIndex_{};
  int labelIndex_ = -1;
  int panelIndex_ = -1;
  std::array<bool, 4> pileEnabled_{true, true, true, true};
  std::array<app::PileCursor, 4> pileCursor_{};
  std::string applicationTitle_;
  CardPictures pictures_;
  GdiObject fillBrush_;
  OffscreenBuffer buffer_;
  bool stockPressed_ = false;
  AboutWindow* about_ = nullptr;
  HWND changeDeck_ = nullptr;
};

}  // namespace pelmor::ui

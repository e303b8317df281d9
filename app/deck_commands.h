// The change-deck dialog's commands: the back preview, Save, Reset, Browse, Go Online, Close and
// Custom Back. The dialog's controls and boxes are reached through DeckDialog; the table's
// pictures, files, settings and the relaunch through the table and its Platform.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/platform.h"
#include "app/table.h"

namespace pelmor::app {

inline constexpr std::string_view kDeckErrorCaption = "Orvandis Card Deck";
inline constexpr int kPictureWidth = 71;
inline constexpr int kPictureHeight = 96;

// The change-deck dialog's window as its commands see it.
class DeckDialog {
 public:
  virtual ~DeckDialog() = default;
  virtual int ScrollPosition() = 0;     // ScrollBar1, 0..11
  virtual bool RandomBackChecked() = 0;  // CheckBox1, "Random &Back"
  // The two file-open dialogs ("Choose Deck" and "Choose Back"); no value when cancelled.
  virtual std::optional<std::string> ChooseDeckFile() = 0;
  virtual std::optional<std::string> ChooseBackFile() = 0;
  virtual void SetDeckFolder(std::string_view folder) = 0;  // where "Choose Deck" starts
  virtual int ReadIniInteger(std::string_view file, std::string_view section, std::string_view key,
                             int fallback) = 0;
  // A modal box owned by the dialog, error icon, OK button.
  virtual void ShowError(std::string_view text, std::string_view caption) = 0;
  // The preview at (0, 0): a back of the deck module (nothing when the module lacks it, leaving
  // what was there), and the table's back picture.
  virtual void DrawPreviewBack(int back) = 0;
  virtual void DrawPreviewBackPicture() = 0;
  // Opens a web page with the desktop's handler, owned by the dialog.
  virtual void OpenWebPage(std::string_view address) = 0;
  virtual void Hide() = 0;
};

class ChangeDeck {
 public:
  ChangeDeck(PelmorTable& table, Platform& platform, DeckDialog& dialog)
      : table_(table), platform_(platform), dialog_(dialog) {}

  void FormCreate();
  void FormPaint();  // the preview; also after a scroll, a click on the surface, Browse, Custom Back
  void ScrollBar1Change() { FormPaint(); }
  void Button1Click();  // Save
  void Button2Click();  // &Reset
  void Button3Click();  // Br&owse
  void Button4Click();  // &Go Online
  void Button5Click();  // Close
  void Button6Click();  // &Custom Back
  void FormClose();  // repaints the table and hides the dialog

 private:
  // Saves the game and relaunches with "/L"; when the save fails the game goes on here instead.
  void SaveAndRelaunch();

  PelmorTable& table_;
  Platform& platform_;
  DeckDialog& dialog_;
};

}  // namespace pelmor::app

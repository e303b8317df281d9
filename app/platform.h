// The one narrow interface through which the game's command flows reach the desktop: message
// boxes, the input dialog, the clock, files, the registry, processes, timers, control states and
// the repaint. The Windows side implements it; the unit tests record it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/about.h"
#include "game/random.h"
#include "store/registry.h"
#include "store/statistics.h"

namespace pelmor::app {

enum class Icon { kNone, kInformation, kError };
enum class Buttons { kOk, kYesNo };
enum class Answer { kOk, kYes, kNo };
enum class MouseButton { kLeft, kRight, kMiddle };

// A window's outer bounds in screen pixels.
struct Bounds {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Why a file could not be written: the folder it was to be written in, as a full path, and the
// system's text for the error of the file call that failed.
struct WriteFailure {
  std::string folder;
  std::string reason;
};

enum class Timer { kVictory, kClock };  // Timer1 and Timer2 of the table
enum class PileCursor { kDefault, kHint };

// Flags of the wave sound call.
inline constexpr std::uint32_t kSoundSync = 0x00;
inline constexpr std::uint32_t kSoundAsync = 0x01;
inline constexpr std::uint32_t kSoundNoDefault = 0x02;
inline constexpr std::uint32_t kSoundLoop = 0x08;

inline constexpr std::uint32_t kTableGreen = 0x008000;  // 0xRRGGBB: red 0, green 128, blue 0

class Platform {
 public:
  virtual ~Platform() = default;

  // Modal message box owned by the table window.
  virtual Answer ShowMessage(std::string_view text, std::string_view caption, Buttons buttons, Icon icon) = 0;
  // The one-line text input dialog; no value when the player cancels.
  virtual std::optional<std::string> InputQuery(std::string_view caption, std::string_view prompt,
                                                std::string_view initial) = 0;

  virtual game::TimeOfDay UtcTimeOfDay() = 0;
  virtual bool FileExists(std::string_view name) = 0;
  // Reads at most maxBytes from the start of a file; no value when it cannot be opened or read.
  virtual std::optional<std::vector<std::uint8_t>> ReadFile(std::string_view name, std::size_t maxBytes) = 0;
  // Writes the whole content under a temporary name in the same folder and only then puts it in
  // place of `name`. False on any failure, and `name` is then as it was; *failure (when given)
  // then says where and why.
  virtual bool ReplaceFile(std::string_view name, std::span<const std::uint8_t> content,
                           WriteFailure* failure) = 0;
  // Deletes a file of the working directory; a missing file is no error.
  virtual void DeleteNamedFile(std::string_view name) = 0;
  // Plays a wave file of the working directory with the sound call's flags; an empty name with
  // kSoundNoDefault stops whatever is playing. Synchronous sounds return once played.
  virtual void PlayWave(std::string_view file, std::uint32_t flags) = 0;
  // The user's locale's decimal and thousands separators.
  virtual store::NumberSeparators LocaleNumberSeparators() = 0;
  virtual store::Registry& Registry() = 0;

  // The table window.
  virtual void SetCaption(std::string_view caption) = 0;
  virtual std::string Caption() = 0;
  virtual void SetApplicationTitle(std::string_view title) = 0;
  virtual Bounds WindowBounds() = 0;
  virtual void Repaint() = 0;  // the whole table, finished when it returns
  virtual void SetAreaFill(std::uint32_t rgb) = 0;
  virtual std::string StatusText() = 0;  // the status bar's caption
  virtual void SetStatusText(std::string_view text) = 0;
  virtual void SetMovesLabelVisible(bool visible) = 0;
  virtual void SetPileEnabled(int pile, bool enabled) = 0;
  virtual bool PileEnabled(int pile) = 0;
  virtual void SetPileCursor(int pile, PileCursor cursor) = 0;
  virtual void SetNoHintsChecked(bool checked) = 0;
  virtual bool NoHintsChecked() = 0;
  virtual void SetTimerEnabled(Timer timer, bool enabled) = 0;
  virtual void CloseTable() = 0;

  // The card pictures. An empty library path means the program's own built-in set.
  virtual void CreateFacePictures() = 0;
  virtual void SelectDeckModule(std::string_view libraryPath) = 0;
  virtual void LoadCardPictures(int backIndex) = 0;
  // Replaces the back by a bitmap file; false when the file is not a readable bitmap.
  virtual bool LoadCustomBack(std::string_view file) = 0;
  // Opens a deck library as pictures only (none of its code runs) and makes it the deck module for
  // the pictures loaded from now on. On failure the module stays and *errorText gets the
  // platform's text for the error.
  virtual bool OpenDeckLibrary(std::string_view path, std::string* errorText) = 0;
  // Reads any bitmap file, stretches or shrinks it to exactly width x height and returns it as
  // the bytes of a bitmap file; no value when the file is not a readable bitmap.
  virtual std::optional<std::vector<std::uint8_t>> StretchedBitmapFile(std::string_view file, int width,
                                                                       int height) = 0;
  // Draws a face straight onto the window's client surface (the victory animation).
  virtual void DrawFaceOnWindow(int rank, int suit, int x, int y) = 0;

  // Processes: argument 0 of the command line, a shell start that names no directory (so the new
  // copy keeps the working directory), and the immediate end of this process.
  virtual std::string ProgramPath() = 0;
  virtual void ShellStart(std::string_view file, std::string_view parameters) = 0;
  [[noreturn]] virtual void EndProcess(std::uint32_t exitCode) = 0;

  // Help and about. The bytes of a document the program carries, by its file name.
  virtual std::string_view CarriedDocument(std::string_view fileName) = 0;
  // A shell request owned by the table window: the default verb, no directory, SW_SHOWNORMAL.
  // Returns the shell's result; above 32 means success.
  virtual std::uintptr_t ShellOpen(std::string_view file, std::string_view parameters) = 0;
  // Help > About: fills the about dialog from the request and shows it.
  virtual void ShowAbout(const AboutRequest& request) = 0;
};

}  // namespace pelmor::app

// A Platform that records every call in order and answers from scripted replies.
#pragma once

#include <array>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/platform.h"
#include "tests/fakes/memory_registry.h"

namespace pelmor::testing {

// Thrown by EndProcess so that a test sees that nothing ran after the process ended.
struct ProcessEnded {
  std::uint32_t exitCode;
};

struct ShownMessage {
  std::string text;
  std::string caption;
  app::Buttons buttons;
  app::Icon icon;
};

class RecordingPlatform : public app::Platform {
 public:
  RecordingPlatform();

  std::vector<std::string> log;
  std::vector<ShownMessage> messages;
  std::deque<app::Answer> answers;                      // for message boxes; OK when empty
  std::deque<std::optional<std::string>> inputReplies;  // for the input dialog; cancel when empty
  std::vector<std::string> inputInitialTexts;
  game::TimeOfDay clock{12, 34, 56, 789};
  std::set<std::string> files;
  MemoryRegistry registry;
  std::string caption{"Pelmor Solitaire"};
  std::string applicationTitle;
  std::string statusText{"Cards Left:%d Draws Left:%d Duration:%d days, %s"};
  app::Bounds bounds{43, 106, 501, 300};
  std::array<bool, 4> pileEnabled{true, true, true, true};
  std::array<app::PileCursor, 4> pileCursor{};
  bool movesLabelVisible = false;
  bool noHintsChecked = false;
  int repaints = 0;
  store::NumberSeparators separators;

  // The index of the first log entry that starts with `prefix`, or -1.
  int Find(const std::string& prefix, int from = 0) const;
  bool Logged(const std::string& prefix) const { return Find(prefix) >= 0; }

  app::Answer ShowMessage(std::string_view text, std::string_view caption, app::Buttons buttons,
                          app::Icon icon) override;
  std::optional<std::string> InputQuery(std::string_view caption, std::string_view prompt,
                                        std::string_view initial) override;
  game::TimeOfDay UtcTimeOfDay() override;
  bool FileExists(std::string_view name) override;
  std::optional<std::vector<std::uint8_t>> ReadFile(std::string_view name, std::size_t maxBytes) override;
  bool ReplaceFile(std::string_view name, std::span<const std::uint8_t> content,
                   app::WriteFailure* failure) override;
  // File contents; a file here also exists. failWrites makes every ReplaceFile fail, for the
  // reason in writeFailure.
  std::map<std::string, std::vector<std::uint8_t>> contents;
  bool failWrites = false;
  app::WriteFailure writeFailure{"C:\\Games", "Access is denied."};
  void DeleteNamedFile(std::string_view name) override;
  void PlayWave(std::string_view file, std::uint32_t flags) override;
  store::NumberSeparators LocaleNumberSeparators() override { return separators; }
  bool NoHintsChecked() override { return noHintsChecked; }
  store::Registry& Registry() override { return registry; }
  void SetCaption(std::string_view text) override;
  std::string Caption() override { return caption; }
  void SetApplicationTitle(std::string_view title) override;
  app::Bounds WindowBounds() override { return bounds; }
  void Repaint() override;
  void SetAreaFill(std::uint32_t rgb) override;
  std::string StatusText() override { return statusText; }
  void SetStatusText(std::string_view text) override;
  void SetMovesLabelVisible(bool visible) override;
  void SetPileEnabled(int pile, bool enabled) override;
  bool PileEnabled(int pile) override { return pileEnabled[static_cast<std::size_t>(pile)]; }
  void SetPileCursor(int pile, app::PileCursor cursor) override;
  void SetNoHintsChecked(bool checked) override;
  void SetTimerEnabled(app::Timer timer, bool enabled) override;
  void CloseTable() override;
  void CreateFacePictures() override;
  void SelectDeckModule(std::string_view libraryPath) override;
  void LoadCardPictures(int backIndex) override;
  bool LoadCustomBack(std::string_view file) override;
  void DrawFaceOnWindow(int rank, int suit, int x, int y) override;
  bool OpenDeckLibrary(std::string_view path, std::string* errorText) override;
  std::optional<std::vector<std::uint8_t>> StretchedBitmapFile(std::string_view file, int width, int height) override;
  std::set<std::string> deckLibraries;                        // the paths that open as deck libraries
  std::map<std::string, std::vector<std::uint8_t>> bitmaps;  // readable bitmaps, as stretched
  bool customBackReadable = true;
  std::string ProgramPath() override { return "C:\\Games\\Pelmor.exe"; }
  void ShellStart(std::string_view file, std::string_view parameters) override;
  [[noreturn]] void EndProcess(std::uint32_t exitCode) override;

  // Help and about: the carried documents by file name, and the shell's results for the requests
  // in order (2, "file not found", when none is left).
  std::map<std::string, std::string> carriedDocuments;
  std::deque<std::uintptr_t> shellResults;
  std::vector<app::AboutRequest> aboutRequests;
  std::string_view CarriedDocument(std::string_view fileName) override;
  std::uintptr_t ShellOpen(std::string_view file, std::string_view parameters) override;
  void ShowAbout(const app::AboutRequest& request) override;
};

}  // namespace pelmor::testing

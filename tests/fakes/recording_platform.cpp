// The recording platform's calls: each leaves one line in the log.
#include "tests/fakes/recording_platform.h"

#include <algorithm>

namespace pelmor::testing {

RecordingPlatform::RecordingPlatform() {
  registry.onCall = [this](const std::string& call) { log.push_back(call); };
}

int RecordingPlatform::Find(const std::string& prefix, int from) const {
  for (std::size_t i = static_cast<std::size_t>(from); i < log.size(); ++i)
    if (log[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
  return -1;
}

app::Answer RecordingPlatform::ShowMessage(std::string_view text, std::string_view caption_, app::Buttons buttons,
                                           app::Icon icon) {
  log.push_back("MessageBox " + std::string(text));
  messages.push_back({std::string(text), std::string(caption_), buttons, icon});
  if (answers.empty()) return app::Answer::kOk;
  app::Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<std::string> RecordingPlatform::InputQuery(std::string_view caption_, std::string_view prompt,
                                                         std::string_view initial) {
  log.push_back("InputQuery " + std::string(caption_) + "|" + std::string(prompt) + "|" + std::string(initial));
  inputInitialTexts.emplace_back(initial);
  if (inputReplies.empty()) return std::nullopt;
  auto reply = inputReplies.front();
  inputReplies.pop_front();
  return reply;
}

game::TimeOfDay RecordingPlatform::UtcTimeOfDay() {
  log.push_back("GetSystemTime");
  return clock;
}

bool RecordingPlatform::FileExists(std::string_view name) {
  log.push_back("FileExists " + std::string(name));
  return files.count(std::string(name)) != 0 || contents.count(std::string(name)) != 0;
}

std::optional<std::vector<std::uint8_t>> RecordingPlatform::ReadFile(std::string_view name, std::size_t maxBytes) {
  log.push_back("ReadFile " + std::string(name) + " " + std::to_string(maxBytes));
  auto found = contents.find(std::string(name));
  if (found == contents.end()) return std::nullopt;
  const auto& bytes = found->second;
  return std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(maxBytes, bytes.size())));
}

bool RecordingPlatform::ReplaceFile(std::string_view name, std::span<const std::uint8_t> content,
                                    app::WriteFailure* failure) {
  log.push_back("ReplaceFile " + std::string(name) + (failWrites ? " failed" : ""));
  if (failWrites) {
    if (failure != nullptr) *failure = writeFailure;
    return false;
  }
  contents[std::string(name)].assign(content.begin(), content.end());
  return true;
}

void RecordingPlatform::DeleteNamedFile(std::string_view name) {
  log.push_back("DeleteFile " + std::string(name));
  files.erase(std::string(name));
}

void RecordingPlatform::PlayWave(std::string_view file, std::uint32_t flags) {
  log.push_back("PlaySound " + (file.empty() ? std::string("(none)") : std::string(file)) + " " + std::to_string(flags));
}

void RecordingPlatform::SetCaption(std::string_view text) {
  log.push_back("SetCaption " + std::string(text));
  caption = text;
}

void RecordingPlatform::SetApplicationTitle(std::string_view title) {
  log.push_back("SetApplicationTitle " + std::string(title));
  applicationTitle = title;
}

void RecordingPlatform::Repaint() {
  log.push_back("Repaint");
  ++repaints;
}

void RecordingPlatform::SetAreaFill(std::uint32_t rgb) { log.push_back("SetAreaFill " + std::to_string(rgb)); }

void RecordingPlatform::SetStatusText(std::string_view text) {
  log.push_back("SetStatusText " + std::string(text));
  statusText = text;
}

void RecordingPlatform::SetMovesLabelVisible(bool visible) {
  log.push_back(std::string("Label1 ") + (visible ? "shown" : "hidden"));
  movesLabelVisible = visible;
}

void RecordingPlatform::SetPileEnabled(int pile, bool enabled) {
  log.push_back("Enable " + std::to_string(pile) + (enabled ? " on" : " off"));
  pileEnabled[static_cast<std::size_t>(pile)] = enabled;
}

void RecordingPlatform::SetPileCursor(int pile, app::PileCursor cursor) {
  log.push_back("Cursor " + std::to_string(pile) + (cursor == app::PileCursor::kHint ? " hint" : " default"));
  pileCursor[static_cast<std::size_t>(pile)] = cursor;
}

void RecordingPlatform::SetNoHintsChecked(bool checked) {
  log.push_back(std::string("NoHints1 ") + (checked ? "checked" : "unchecked"));
  noHintsChecked = checked;
}

void RecordingPlatform::SetTimerEnabled(app::Timer timer, bool enabled) {
  log.push_back(std::string(timer == app::Timer::kClock ? "Timer2 " : "Timer1 ") + (enabled ? "on" : "off"));
}

void RecordingPlatform::CloseTable() { log.push_back("CloseTable"); }
void RecordingPlatform::CreateFacePictures() { log.push_back("CreateFacePictures"); }
void RecordingPlatform::SelectDeckModule(std::string_view libraryPath) {
  log.push_back("SelectDeckModule " + std::string(libraryPath));
}
void RecordingPlatform::LoadCardPictures(int backIndex) {
  log.push_back("LoadCardPictures " + std::to_string(backIndex));
}
bool RecordingPlatform::LoadCustomBack(std::string_view file) {
  log.push_back("LoadCustomBack " + std::string(file));
  return customBackReadable;
}
void RecordingPlatform::DrawFaceOnWindow(int rank, int suit, int x, int y) {
  log.push_back("DrawFace " + std::to_string(rank) + " " + std::to_string(suit) + " at " + std::to_string(x) + "," +
                std::to_string(y));
}

bool RecordingPlatform::OpenDeckLibrary(std::string_view path, std::string* errorText) {
  bool opens = deckLibraries.count(std::string(path)) != 0;
  log.push_back("OpenDeckLibrary " + std::string(path) + (opens ? "" : " failed"));
  if (!opens) *errorText = "Bad EXE format for " + std::string(path) + ".";
  return opens;
}

std::optional<std::vector<std::uint8_t>> RecordingPlatform::StretchedBitmapFile(std::string_view file, int width,
                                                                                int height) {
  log.push_back("StretchedBitmapFile " + std::string(file) + " " + std::to_string(width) + "x" + std::to_string(height));
  auto found = bitmaps.find(std::string(file));
  if (found == bitmaps.end()) return std::nullopt;
  return found->second;
}

void RecordingPlatform::ShellStart(std::string_view file, std::string_view parameters) {
  log.push_back("ShellStart " + std::string(file) + "|" + std::string(parameters));
}

void RecordingPlatform::EndProcess(std::uint32_t exitCode) {
  log.push_back("EndProcess " + std::to_string(exitCode));
  throw ProcessEnded{exitCode};
}

std::string_view RecordingPlatform::CarriedDocument(std::string_view fileName) {
  return carriedDocuments[std::string(fileName)];
}

std::uintptr_t RecordingPlatform::ShellOpen(std::string_view file, std::string_view parameters) {
  log.push_back("ShellOpen " + std::string(file) + "|" + std::string(parameters));
  if (shellResults.empty()) return 2;
  std::uintptr_t result = shellResults.front();
  shellResults.pop_front();
  return result;
}

void RecordingPlatform::ShowAbout(const app::AboutRequest& request) {
  log.push_back("ShowAbout " + request.name);
  aboutRequests.push_back(request);
}

}  // namespace pelmor::testing

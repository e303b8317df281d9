// Parsing and formatting of command lines and game numbers.
#include "app/command_line.h"

#include <cstdint>

namespace pelmor::app {

std::optional<game::GameNumber> ParseGameNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > 2147483648LL) return std::nullopt;
  }
  std::int64_t value = negative ? -magnitude : magnitude;
  if (value > 2147483647LL) return std::nullopt;
  return static_cast<game::GameNumber>(value);
}

bool PassesGameNumberScan(std::string_view text) {
  for (char c : text)
    if (c != '-' && (c < '0' || c > '9')) return false;
  return true;
}

std::string ConversionErrorText(std::string_view text) {
  std::string message;
  message.reserve(text.size() + 32);
  message.append("'").append(text).append("' is not a valid integer value.");
  return message;
}

StartChoice InterpretFirstArgument(const std::vector<std::string>& args) {
  if (args.size() < 2 || args[1] == "/") return {StartKind::kRandom, 0};
  if (args[1] == "/L") return {StartKind::kLoad, 0};
  if (auto number = ParseGameNumber(args[1])) return {StartKind::kNumber, *number};
  return {StartKind::kNotANumber, 0};
}

namespace {

std::string BoundsText(const Bounds& bounds) {
  return std::to_string(bounds.left) + " " + std::to_string(bounds.top) + " " + std::to_string(bounds.width) + " " +
         std::to_string(bounds.height);
}

}  // namespace

std::string RelaunchParameters(game::GameNumber number, const Bounds& bounds) {
  return std::to_string(number) + " " + BoundsText(bounds);
}

std::string SavedGameRelaunchParameters(const Bounds& bounds) { return "/L " + BoundsText(bounds); }

}  // namespace pelmor::app

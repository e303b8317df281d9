// The about dialog's texts and addresses, the build counter and the build stamp update.
#include "app/about.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "app/web_addresses.h"
#include "resources/version.h"

namespace pelmor::app {

namespace {

constexpr std::size_t kMaxAddress = 255;
constexpr std::string_view kOptionsSection = "Version Info Keys";
constexpr std::string_view kFileVersionKey = "FileVersion";
constexpr std::string_view kCompileTimeName = "compiletime:tdatetime";
constexpr std::string_view kCompileCountName = "compilecount:dword";

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && Lower(text.substr(0, prefix.size())) == prefix;
}

// The format with the first "%s" or "%u" replaced by the value.
std::string Fill(std::string_view format, std::string_view marker, std::string_view value) {
  std::string out(format);
  if (std::size_t at = out.find(marker); at != std::string::npos) out.replace(at, marker.size(), value);
  return out;
}

std::optional<long long> WholeNumber(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size() || text.size() - i > 10) return std::nullopt;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    std::size_t end = text.find_first_of("\r\n");
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    std::size_t next = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    text.remove_prefix(next);
  }
  return lines;
}

std::string_view NameOf(std::string_view line) { return line.substr(0, line.find('=')); }
std::string_view ValueOf(std::string_view line) {
  std::size_t at = line.find('=');
  return at == std::string_view::npos ? std::string_view() : line.substr(at + 1);
}

int IndexOfName(const std::vector<std::string>& lines, std::string_view name) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (Lower(NameOf(lines[i])) == Lower(name)) return static_cast<int>(i);
  return -1;
}

// The number at the start of a value: decimal, or hexadecimal after "$"; 0 when there is none.
std::uint32_t LeadingNumber(std::string_view value) {
  std::uint32_t n = 0;
  if (!value.empty() && value.front() == '$') {
    for (char c : value.substr(1)) {
      if (!std::isxdigit(static_cast<unsigned char>(c))) break;
      n = n * 16 + static_cast<std::uint32_t>(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::toupper(c) - 'A' + 10);
    }
    return n;
  }
  for (char c : value) {
    if (!std::isdigit(static_cast<unsigned char>(c))) break;
    n = n * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return n;
}

std::string Grouped(std::uint32_t n, std::string_view separator) {
  std::string digits = std::to_string(n), out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

}  // namespace

AboutRequest ProgramAboutRequest() {
  return {.name = "Pelmor",
          .comments = "",
          .pagePath = std::string(kProgramPagePath),
          .major = PELMOR_VERSION_MAJOR,
          .minor = PELMOR_VERSION_MINOR,
          .release = PELMOR_VERSION_RELEASE,
          .build = PELMOR_VERSION_BUILD,
          .options = 0};
}

std::string PaymentPageAddress(std::string_view itemCode) {
  std::string address = std::string(kPaymentPageBase) + std::string(itemCode);
  if (address.size() > kMaxAddress) address.resize(kMaxAddress);
  return address;
}

std::optional<std::string> DonationPage(int kind) {
  if (kind == 1) return std::string(kDonationPage1);
  if (kind == 2) return std::string(kDonationPage2);
  return std::nullopt;
}

std::string FileVersionText(AboutHost& host, std::string_view fileName) {
  std::string file = fileName.empty() ? host.ProgramFile() : std::string(fileName);
  std::uint32_t size = host.VersionInfoSize(file);
  if (size == 0) return "";
  std::optional<AboutHost::FixedVersion> version = host.ReadFixedVersion(file, size);
  if (!version) return "Unknown version";
  char text[64];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", static_cast<int>(version->ms >> 16),
                static_cast<int>(version->ms & 0xFFFF), static_cast<int>(version->ls >> 16),
                static_cast<int>(version->ls & 0xFFFF));
  return text;
}

std::optional<std::string> NextFileVersion(std::string_view current) {
  if (current.size() < 7) return std::nullopt;
  std::vector<std::string> fields;
  for (std::size_t start = 0;;) {
    std::size_t dot = current.find('.', start);
    fields.emplace_back(current.substr(start, dot - start));
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  if (fields.size() < 4) return std::nullopt;
  long long next = WholeNumber(fields[3]).value_or(-2) + 1;
  if (next == -1) return std::nullopt;
  fields[3] = std::to_string(next);
  std::string joined = fields[0];
  for (std::size_t i = 1; i < fields.size(); ++i) joined += "." + fields[i];
  return joined;
}

std::string OptionsFileOf(std::string_view programFile) {
  std::size_t name = programFile.find_last_of("\\/:");
  std::size_t dot = programFile.rfind('.');
  if (dot == std::string_view::npos || (name != std::string_view::npos && dot < name)) return std::string(programFile) + ".dof";
  return std::string(programFile.substr(0, dot)) + ".dof";
}

void BumpBuildNumber(AboutHost& host) {
  std::string options = OptionsFileOf(host.ProgramFile());
  if (!host.FileExists(options)) return;
  if (!host.RunningUnderDebugger()) return;
  std::string current = host.ReadProfileString(options, kOptionsSection, kFileVersionKey, "1.0.0.0");
  if (current.size() > 255) current.resize(255);  // the size of the buffer it is read into
  if (std::optional<std::string> next = NextFileVersion(current))
    host.WriteProfileString(options, kOptionsSection, kFileVersionKey, *next);
}

std::string GeneralNumber(double value, std::string_view decimalSeparator) {
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", value);
  std::string out(text);
  if (std::size_t dot = out.find('.'); dot != std::string::npos) out.replace(dot, 1, decimalSeparator);
  return out;
}

std::optional<std::string> UpdatedBuildStamp(std::optional<std::string_view> text, double nowDays,
                                             std::string_view decimalSeparator) {
  std::vector<std::string> lines = text ? SplitLines(*text) : std::vector<std::string>{};
  if (int at = IndexOfName(lines, kCompileTimeName); at > 0)
    lines[static_cast<std::size_t>(at)] = std::string(kCompileTimeName) + "=" + GeneralNumber(nowDays, decimalSeparator) + ";";
  if (int at = IndexOfName(lines, kCompileCountName); at >= 0) {
    std::string_view value = ValueOf(lines[static_cast<std::size_t>(at)]);
    if (value.find(';') != std::string_view::npos) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "%X", LeadingNumber(value) + 1u);
      lines[static_cast<std::size_t>(at)] = std::string(kCompileCountName) + "=$" + hex + ";";
    }
  }
  if (lines.empty()) return std::nullopt;
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

void ApplyAboutResource(AboutView& view, std::string_view text) {
  std::vector<std::string> lines = SplitLines(text);
  auto value = [&](std::string_view name) {
    int at = IndexOfName(lines, name);
    return at < 0 ? std::string() : std::string(ValueOf(lines[static_cast<std::size_t>(at)]));
  };
  view.productName = Fill(view.productName, "%s", value("Name"));
  view.comments = value("Comments");
  view.version = value("Version");
  bool donations = std::find(lines.begin(), lines.end(), "AllowDonations") != lines.end();
  view.donationsVisible = donations;
  view.label1 = std::string(donations ? kDonateText : kBuyText);
  if (IndexOfName(lines, "slug") >= 0) {
    view.appPageAddress = std::string(kMakerHomePage) + value("slug");
    if (view.appPageAddress.size() > kMaxAddress) view.appPageAddress.resize(kMaxAddress);
    view.appType = value("AppType");
  }
  if (IndexOfName(lines, "Url") >= 0) view.appPageAddress = value("Url");
  // The executable type constant of this program is -1, which names no caption for AppType.
}

void AboutBox::FormCreate(const AboutView& design) {
  view_ = design;
  BumpBuildNumber(host_);
  view_.appPageAddress.clear();
  // One byte per character: the name of that size.
  view_.charTypeVisible = true;
  view_.charType = "ANSI-Char";
  nameFormat_ = view_.productName;
  view_.appType = Fill(design.appType, "%u", std::to_string(kAddressWidthBits));
  for (std::size_t i = 1; i < args_.size(); ++i) {
    if (Lower(args_[i]) != "/kesmarup") continue;
    if (auto text = UpdatedBuildStamp(host_.ReadTextFile(kBuildStampFile), host_.LocalNowDays(),
                                      host_.LocaleNumberSeparators().decimal))
      host_.WriteTextFile(kBuildStampFile, *text);
  }
  if (std::optional<std::string> resource = host_.AboutResource()) ApplyAboutResource(view_, *resource);
}

void AboutBox::ShowAbout(const AboutRequest& request) {
  const std::uint32_t options = request.options;
  view_.loadEtcPicture = (options & kAboutEtcPicture) != 0;
  view_.donationsVisible = (options & kAboutDonations) != 0;
  if (view_.donationsVisible) view_.label1 = std::string(kDonateText);
  view_.charType = "ANSI-Char";
  if (options & kAboutWideChar) view_.charType = "WIDE-Char";
  if (options & kAboutAnsiChar) view_.charType = "ANSI-Char";
  view_.productName = Fill(nameFormat_, "%s", request.name);
  if (request.major != 0) {
    char text[80];
    std::snprintf(text, sizeof text, "Version %u.%u.%u.%u", request.major, request.minor & 0xFFu,
                  request.release & 0xFFu, request.build & 0xFFu);
    view_.version = text;
  } else {
    view_.version = "Version " + FileVersionText(host_, "");
  }
  if ((options & kAboutBuildStamp) && request.stamp) {
    if (request.stamp->buildCount > 0)
      view_.version = "Build#" + Grouped(request.stamp->buildCount, host_.LocaleNumberSeparators().thousands);
    if (request.stamp->compileTime > 0) view_.version = "Compiled on " + host_.FormatDateTime(request.stamp->compileTime);
  }
  view_.comments = request.comments;
  bool ownAddress = StartsWithNoCase(request.pagePath, "http://") || StartsWithNoCase(request.pagePath, "https://");
  view_.appPageAddress = (ownAddress ? std::string() : std::string(kMakerHomePage)) + request.pagePath;
  if ((options & kAboutBought) && (options & kAboutRegistered)) view_.label1 = std::string(kThanksText);
  view_.clearProgramIcon = (options & kAboutReplacementPicture) != 0;
}

std::string AboutBox::HomePage() const { return std::string(kMakerHomePage); }

}  // namespace pelmor::app

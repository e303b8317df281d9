// The about unit: what the about dialog shows and opens, its two development aids (the build
// counter in the options file beside the program and the "lastver" build stamp file), and the
// payment page of Buy Source Code. Portable; the dialog's window applies the results.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/statistics.h"

namespace pelmor::app {

// Option bits of ShowAbout.
inline constexpr std::uint32_t kAboutWideChar = 0x01;
inline constexpr std::uint32_t kAboutAnsiChar = 0x02;  // wins over kAboutWideChar
inline constexpr std::uint32_t kAboutBuildStamp = 0x04;
inline constexpr std::uint32_t kAboutDonations = 0x08;
inline constexpr std::uint32_t kAboutBought = 0x10;       // with kAboutRegistered: the thank-you text
inline constexpr std::uint32_t kAboutRegistered = 0x20;
inline constexpr std::uint32_t kAboutEtcPicture = 0x40;
inline constexpr std::uint32_t kAboutReplacementPicture = 0x80;

inline constexpr std::string_view kDonateText = "If you like this app then support me by donating";
inline constexpr std::string_view kBuyText = "If you like this app you can then support me by buying the source code";
inline constexpr std::string_view kThanksText = "Thanks for buying this app!";
inline constexpr std::string_view kBuildStampFile = "lastver.cpp";

// A build's count and compile time (days since 30 December 1899, the fraction the time of day).
struct BuildStamp {
  std::uint32_t buildCount = 0;
  double compileTime = 0;
};

// The arguments of ShowAbout. With kAboutBuildStamp, `stamp` takes the place of the major version.
struct AboutRequest {
  std::string name;
  std::string comments;
  std::string pagePath;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;  // minor, release and build: only the low byte counts
  std::uint32_t release = 0;
  std::uint32_t build = 0;
  std::uint32_t options = 0;
  std::optional<BuildStamp> stamp;
};

// What Help > About and Buy Source Code ask for.
AboutRequest ProgramAboutRequest();
std::string PaymentPageAddress(std::string_view itemCode);  // 255 characters at most
// The donation page of a kind, 1 or 2; no address for any other kind.
std::optional<std::string> DonationPage(int kind);

// The dialog's texts and states, as its controls show them.
struct AboutView {
  std::string appType;
  std::string charType;
  bool charTypeVisible = true;
  std::string productName;
  std::string version;
  std::string comments;
  std::string label1;
  bool donationsVisible = true;
  bool loadEtcPicture = false;    // replace Image3's picture by the "ABOUTETC" bitmap
  bool clearProgramIcon = false;  // ProgramIcon takes the (empty) replacement picture
  std::string appPageAddress;     // FAppPageAddress
};

// What the dialog asks of the desktop, besides its own window.
class AboutHost {
 public:
  virtual ~AboutHost() = default;
  virtual std::string ProgramFile() = 0;  // the running program's own file
  virtual bool FileExists(std::string_view path) = 0;
  // The size of a file's version information, 0 when it has none; then its fixed file version
  // (most and least significant 32 bits), no value when it cannot be read.
  virtual std::uint32_t VersionInfoSize(std::string_view file) = 0;
  struct FixedVersion {
    std::uint32_t ms = 0;
    std::uint32_t ls = 0;
  };
  virtual std::optional<FixedVersion> ReadFixedVersion(std::string_view file, std::uint32_t size) = 0;
  virtual bool RunningUnderDebugger() = 0;
  virtual std::string ReadProfileString(std::string_view file, std::string_view section, std::string_view key,
                                        std::string_view fallback) = 0;
  virtual void WriteProfileString(std::string_view file, std::string_view section, std::string_view key,
                                  std::string_view value) = 0;
  // The build stamp file of the working directory: its text, no value when it cannot be read;
  // a write reports nothing.
  virtual std::optional<std::string> ReadTextFile(std::string_view name) = 0;
  virtual void WriteTextFile(std::string_view name, std::string_view text) = 0;
  virtual double LocalNowDays() = 0;  // the local date-time as days since 30 December 1899
  virtual store::NumberSeparators LocaleNumberSeparators() = 0;
  virtual std::string FormatDateTime(double days) = 0;  // short date, long time, no time at midnight
  // The text of the program's optional "ABOUT" resource numbered 1; this program carries none.
  virtual std::optional<std::string> AboutResource() = 0;
};

std::string FileVersionText(AboutHost& host, std::string_view fileName);

// The build counter's new "FileVersion", or no value when the file must be left alone.
std::optional<std::string> NextFileVersion(std::string_view current);
// The options file beside the program: its name with the extension replaced by ".dof".
std::string OptionsFileOf(std::string_view programFile);
void BumpBuildNumber(AboutHost& host);

// The build stamp file's new text, or no value when it has no lines and stays unwritten.
std::optional<std::string> UpdatedBuildStamp(std::optional<std::string_view> text, double nowDays,
                                             std::string_view decimalSeparator);
// "%.15g" with the locale's decimal separator, as the day count is written.
std::string GeneralNumber(double value, std::string_view decimalSeparator);

// TAboutBox's logic: the creation sequence and ShowAbout over the view, which the window shows.
class AboutBox {
 public:
  AboutBox(AboutHost& host, std::vector<std::string> args) : host_(host), args_(std::move(args)) {}

  // Runs the creation sequence on the controls' design captions.
  void FormCreate(const AboutView& design);
  void ShowAbout(const AboutRequest& request);

  const AboutView& View() const { return view_; }
  const std::string& NameFormat() const { return nameFormat_; }
  // The addresses the clicks open.
  std::string HomePage() const;                             // Image1Click, AppType
  const std::string& AppPageAddress() const { return view_.appPageAddress; }  // ProgramIconClick

 private:
  AboutHost& host_;
  std::vector<std::string> args_;
  AboutView view_;
  std::string nameFormat_;
};

// Applies the optional about resource's name=value lines to the view.
void ApplyAboutResource(AboutView& view, std::string_view text);

// The dialog's address width in bits: that of the program it runs in.
inline constexpr unsigned kAddressWidthBits = sizeof(void*) * 8;

}  // namespace pelmor::app

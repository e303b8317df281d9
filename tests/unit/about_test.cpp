// The about unit: version texts, the build counter, the build stamp update and ShowAbout's
// option bits, over an in-memory desktop.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/about.h"
#include "app/web_addresses.h"

namespace pelmor::app {
namespace {

class FakeAboutHost : public AboutHost {
 public:
  std::string programFile = "C:\\Games\\Pelmor.exe";
  std::set<std::string> files;
  std::uint32_t versionSize = 0;
  std::optional<FixedVersion> version;
  bool debugger = true;
  std::map<std::string, std::string> profile;  // "file|section|key" -> value
  std::map<std::string, std::string> textFiles;
  std::vector<std::string> writes;
  std::optional<std::string> aboutResource;

  std::string ProgramFile() override { return programFile; }
  bool FileExists(std::string_view path) override { return files.count(std::string(path)) != 0; }
  std::uint32_t VersionInfoSize(std::string_view) override { return versionSize; }
  std::optional<FixedVersion> ReadFixedVersion(std::string_view, std::uint32_t) override { return version; }
  bool RunningUnderDebugger() override { return debugger; }
  std::string ReadProfileString(std::string_view file, std::string_view section, std::string_view key,
                                std::string_view fallback) override {
    auto it = profile.find(std::string(file) + "|" + std::string(section) + "|" + std::string(key));
    return it == profile.end() ? std::string(fallback) : it->second;
  }
  void WriteProfileString(std::string_view file, std::string_view section, std::string_view key,
                          std::string_view value) override {
    writes.push_back(std::string(key) + "=" + std::string(value));
    profile[std::string(file) + "|" + std::string(section) + "|" + std::string(key)] = value;
  }
  std::optional<std::string> ReadTextFile(std::string_view name) override {
    auto it = textFiles.find(std::string(name));
    if (it == textFiles.end()) return std::nullopt;
    return it->second;
  }
  void WriteTextFile(std::string_view name, std::string_view text) override {
    writes.push_back(std::string(name));
    textFiles[std::string(name)] = text;
  }
  double LocalNowDays() override { return 46000.5; }
  store::NumberSeparators LocaleNumberSeparators() override { return {".", ","}; }
  std::string FormatDateTime(double days) override { return "date " + std::to_string(days); }
  std::optional<std::string> AboutResource() override { return aboutResource; }
};

AboutView Design() {
  AboutView design;
  design.appType = "%u-Bit";
  design.charType = "CharType";
  design.productName = "Orvandis %s";
  design.version = "Version,build count and compile time";
  design.comments = "Comments";
  design.label1 = std::string(kBuyText);
  return design;
}

TEST(FileVersionText, EmptyWithoutInformationUnknownWhenUnreadableElseFourNumbers) {
  FakeAboutHost host;
  EXPECT_EQ(FileVersionText(host, ""), "");
  host.versionSize = 100;
  EXPECT_EQ(FileVersionText(host, ""), "Unknown version");
  host.version = AboutHost::FixedVersion{0x00010002, 0x0003FFFF};
  EXPECT_EQ(FileVersionText(host, "other.dll"), "1.2.3.65535");
}

TEST(BuildCounter, BumpsTheFourthFieldOnlyUnderTheDebuggerWithAWellFormedVersion) {
  EXPECT_EQ(NextFileVersion("1.0.0.41"), "1.0.0.42");
  EXPECT_EQ(NextFileVersion("1.0.0.9"), "1.0.0.10");
  EXPECT_EQ(NextFileVersion("1.0.0.9.7"), "1.0.0.10.7");
  EXPECT_EQ(NextFileVersion("1.0.1"), std::nullopt) << "shorter than 7 characters";
  EXPECT_EQ(NextFileVersion("10.20.30"), std::nullopt) << "fewer than four fields";
  EXPECT_EQ(NextFileVersion("1.0.0.x9"), std::nullopt) << "not a number";
  EXPECT_EQ(OptionsFileOf("C:\\Games.v2\\Pelmor.exe"), "C:\\Games.v2\\Pelmor.dof");
  EXPECT_EQ(OptionsFileOf("C:\\Games.v2\\Pelmor"), "C:\\Games.v2\\Pelmor.dof");

  const std::string key = "C:\\Games\\Pelmor.dof|Version Info Keys|FileVersion";
  FakeAboutHost missing;  // no options file
  BumpBuildNumber(missing);
  FakeAboutHost released;  // not under the debugger
  released.files = {"C:\\Games\\Pelmor.dof"};
  released.debugger = false;
  released.profile[key] = "1.0.0.41";
  BumpBuildNumber(released);
  EXPECT_TRUE(missing.writes.empty());
  EXPECT_TRUE(released.writes.empty());

  FakeAboutHost debugging = released;
  debugging.debugger = true;
  BumpBuildNumber(debugging);
  EXPECT_EQ(debugging.writes, std::vector<std::string>{"FileVersion=1.0.0.42"});
  FakeAboutHost fresh;  // no FileVersion yet: the default counts
  fresh.files = {"C:\\Games\\Pelmor.dof"};
  BumpBuildNumber(fresh);
  EXPECT_EQ(fresh.writes, std::vector<std::string>{"FileVersion=1.0.0.1"});
}

TEST(BuildStamp, CountsInHexOnlyWithASemicolonAndStampsTheTimeUnlessItIsFirst) {
  EXPECT_EQ(UpdatedBuildStamp("x=1\r\ncompilecount:dword=$FF;\r\n", 0, "."), "x=1\r\ncompilecount:dword=$100;\r\n");
  EXPECT_EQ(UpdatedBuildStamp("compilecount:dword=$1A;", 0, "."), "compilecount:dword=$1B;\r\n");
  EXPECT_EQ(UpdatedBuildStamp("CompileCount:DWORD=12;\n", 0, "."), "compilecount:dword=$D;\r\n");
  EXPECT_EQ(UpdatedBuildStamp("compilecount:dword=7\n", 0, "."), "compilecount:dword=7\r\n");
  EXPECT_EQ(UpdatedBuildStamp("compilecount:dword=;\n", 0, "."), "compilecount:dword=$1;\r\n");
  EXPECT_EQ(UpdatedBuildStamp("compiletime:tdatetime=1;\nb=2\n", 46000.25, ","), "compiletime:tdatetime=1;\r\nb=2\r\n");
  EXPECT_EQ(UpdatedBuildStamp("b=2\ncompiletime:tdatetime=1;\n", 46000.25, ","), "b=2\r\ncompiletime:tdatetime=46000,25;\r\n");
  EXPECT_EQ(UpdatedBuildStamp(std::nullopt, 1, "."), std::nullopt) << "nothing to save";
  EXPECT_EQ(UpdatedBuildStamp("", 1, "."), std::nullopt);
}

TEST(AboutBox, CreationAndTheProgramsRequestShowItsTexts) {
  FakeAboutHost host;
  host.textFiles["lastver.cpp"] = "compilecount:dword=$9;\r\n";
  AboutBox box(host, {"Pelmor.exe", "12", "/KesMarUp"});
  box.FormCreate(Design());
  EXPECT_EQ(host.textFiles["lastver.cpp"], "compilecount:dword=$A;\r\n") << "the switch in any position and case";
  EXPECT_EQ(box.View().appType, std::to_string(sizeof(void*) * 8) + "-Bit");
  EXPECT_EQ(box.NameFormat(), "Orvandis %s");

  box.ShowAbout(ProgramAboutRequest());
  const AboutView& v = box.View();
  EXPECT_EQ(v.productName, "Orvandis Pelmor");
  EXPECT_EQ(v.version, "Version 1.0.0.1");
  EXPECT_EQ(v.charType, "ANSI-Char");
  EXPECT_EQ(v.comments, "");
  EXPECT_FALSE(v.donationsVisible);
  EXPECT_EQ(v.label1, kBuyText);
  EXPECT_EQ(box.AppPageAddress(), "https://www.halvek.example//pelmor-solitaire/");
  EXPECT_EQ(box.HomePage(), kMakerHomePage);
}

TEST(AboutBox, OptionBitsAndPagePaths) {
  FakeAboutHost host;
  host.versionSize = 10;
  host.version = AboutHost::FixedVersion{0x00020001, 0x00000007};
  AboutBox box(host, {"Pelmor.exe"});
  box.FormCreate(Design());

  AboutRequest request{.name = "X", .pagePath = "HTTPS://pages.example/x", .major = 0, .options = kAboutWideChar | kAboutAnsiChar};
  box.ShowAbout(request);
  EXPECT_EQ(box.View().charType, "ANSI-Char");
  EXPECT_EQ(box.View().version, "Version 2.1.0.7") << "major 0: the program file's version";
  EXPECT_EQ(box.AppPageAddress(), "HTTPS://pages.example/x");

  request.options = kAboutWideChar | kAboutDonations;
  request.pagePath = "http://a.example/";
  box.ShowAbout(request);
  EXPECT_EQ(box.View().charType, "WIDE-Char");
  EXPECT_TRUE(box.View().donationsVisible);
  EXPECT_EQ(box.View().label1, kDonateText);
  EXPECT_EQ(box.AppPageAddress(), "http://a.example/");

  request.options = kAboutBought | kAboutRegistered;
  box.ShowAbout(request);
  EXPECT_FALSE(box.View().donationsVisible);
  EXPECT_EQ(box.View().label1, kThanksText);

  request.options = kAboutBuildStamp;
  request.stamp = BuildStamp{1234, 0};
  box.ShowAbout(request);
  EXPECT_EQ(box.View().version, "Build#1,234");
  request.stamp = BuildStamp{1234, 46000.5};
  box.ShowAbout(request);
  EXPECT_EQ(box.View().version, "Compiled on date 46000.500000");
}

TEST(AboutBox, AnAboutResourceFillsTheViewAndShowAboutRebuildsTheAddress) {
  FakeAboutHost host;
  host.aboutResource = "Name=Demo\r\nAllowDonations\r\nslug=/demo/\r\nAppType=DOS\r\n";
  AboutBox box(host, {"Pelmor.exe"});
  box.FormCreate(Design());
  EXPECT_EQ(box.View().productName, "Orvandis Demo");
  EXPECT_EQ(box.View().comments, "") << "an absent line empties the text";
  EXPECT_TRUE(box.View().donationsVisible);
  EXPECT_EQ(box.View().label1, kDonateText);
  EXPECT_EQ(box.AppPageAddress(), "https://www.halvek.example//demo/");
  EXPECT_EQ(box.View().appType, "DOS");
  AboutView other = Design();
  ApplyAboutResource(other, "slug=/a/\nUrl=https://b.example/\n");
  EXPECT_EQ(other.appPageAddress, "https://b.example/") << "Url wins over slug";
  EXPECT_FALSE(other.donationsVisible);
  box.ShowAbout(ProgramAboutRequest());
  EXPECT_EQ(box.View().appType, "DOS") << "ShowAbout leaves AppType";
  EXPECT_EQ(box.AppPageAddress(), "https://www.halvek.example//pelmor-solitaire/");
}

TEST(AboutUnit, PaymentAndDonationAddresses) {
  EXPECT_EQ(PaymentPageAddress("ITEM"), std::string(kPaymentPageBase) + "ITEM");
  EXPECT_EQ(PaymentPageAddress(std::string(400, 'x')).size(), 255u);
  EXPECT_EQ(DonationPage(1), std::string(kDonationPage1));
  EXPECT_EQ(DonationPage(2), std::string(kDonationPage2));
  EXPECT_EQ(DonationPage(3), std::nullopt);
}

}  // namespace
}  // namespace pelmor::app

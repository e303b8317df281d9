// The Help menu's flows: the rules documents, the usage boxes, the about dialog and the payment
// page of Buy Source Code.
#include "app/about.h"
#include "app/table.h"
#include "app/web_addresses.h"

namespace pelmor::app {

namespace {

constexpr std::string_view kHowToUse1 =
    "To discard a card use the left mouse button.\r\n"
    "To move a card to an empty pile use the right mouse button.\r\n"
    "To see a covered card hold down the Ctrl key while clicking on the card.\r\n"
    "You can use the space key to draw.";
constexpr std::string_view kHowToUse2 =
    "lowercase a through d keys to discard from pile a through d\r\n"
    "uppercase A through D keys to move a card to an empty pile";

constexpr std::uintptr_t kShellSuccessAbove = 32;

}  // namespace

void PelmorTable::WriteHelpFile(std::string_view name) {
  std::string_view bytes = platform_.CarriedDocument(name);
  // Whether the file could be written is not looked at: the shell is asked all the same.
  platform_.ReplaceFile(name, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), nullptr);
}

void PelmorTable::HowToPlay1Click() {
  WriteHelpFile(kWriteHelpFile);
  if (platform_.ShellOpen("Write.exe", kWriteHelpFile) > kShellSuccessAbove) return;
  // The web page is written only when the word processor did not start.
  WriteHelpFile(kWebHelpFile);
  if (platform_.ShellOpen(kWebHelpFile, "") > kShellSuccessAbove) return;
  platform_.ShowMessage("Couldn't launch help file", kMessageCaption, Buttons::kOk, Icon::kError);
}

void PelmorTable::ShowHowToUse() {
  platform_.ShowMessage(kHowToUse1, kMessageCaption, Buttons::kOk, Icon::kNone);
  platform_.ShowMessage(kHowToUse2, kMessageCaption, Buttons::kOk, Icon::kNone);
}

void PelmorTable::About1Click() { platform_.ShowAbout(ProgramAboutRequest()); }

void PelmorTable::BuySourceCode1Click() {
  // A page that does not open is not reported.
  platform_.ShellOpen(PaymentPageAddress(kSourceCodeItem), "");
}

}  // namespace pelmor::app

// The maker's web addresses: the one place that names the maker's site, its donation pages and its
// payment page. The about dialog, Buy Source Code and the change-deck dialog open them through the
// shell.
#pragma once

#include <string>
#include <string_view>

namespace pelmor::app {

// The maker's home page, ending in "/".
inline constexpr std::string_view kMakerHomePage = "https://www.halvek.example/";
// Pages of the maker's site, as paths from its root.
inline constexpr std::string_view kDecksPagePath = "/decks";
// This program's page, a path the about dialog appends to the home page.
inline constexpr std::string_view kProgramPagePath = "/pelmor-solitaire/";

// The maker's pages at the two donation services.
inline constexpr std::string_view kDonationPage1 = "https://www.paypal.example/donate/?business=halvek";
inline constexpr std::string_view kDonationPage2 = "https://cash.app.example/$halvekgames";
// The first service's payment pages take an item code after this base; the item code of the
// source-code offer of Buy Source Code.
inline constexpr std::string_view kPaymentPageBase = "https://www.paypal.example/cgi-bin/webscr?cmd=_s-xclick&hosted_button_id=";
inline constexpr std::string_view kSourceCodeItem = "PELMOR-SRC-1001";

// The full address of a page of the maker's site, given its path from the root ("/decks").
inline std::string MakerPage(std::string_view path) {
  std::string address(kMakerHomePage);
  address.pop_back();  // the home page's own "/"; the path brings its own
  address += path;
  return address;
}

}  // namespace pelmor::app

// The maker's web addresses: the one place that names the maker's site. The about dialog and the
// change-deck dialog open pages of it through the shell.
#pragma once

#include <string>
#include <string_view>

namespace pelmor::app {

// The maker's home page, ending in "/".
inline constexpr std::string_view kMakerHomePage = "https://www.halvek.example/";
// Pages of the maker's site, as paths from its root.
inline constexpr std::string_view kDecksPagePath = "/decks";

// The full address of a page of the maker's site, given its path from the root ("/decks").
inline std::string MakerPage(std::string_view path) {
  std::string address(kMakerHomePage);
  address.pop_back();  // the home page's own "/"; the path brings its own
  address += path;
  return address;
}

}  // namespace pelmor::app

// The card pictures of the table and the deck module they come from.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/win32_handles.h"

namespace pelmor::ui {

class CardPictures {
 public:
  // Empty library path: the program's own built-in set. Otherwise the library is opened as an
  // image resource only: its pictures load, none of its code ever runs. A library that exists
  // but does not open leaves no module, and every picture comes out empty.
  void SelectDeckModule(std::string_view libraryPath);
  // Opens another library the same way and makes it the deck module; on failure the module stays
  // and *errorText gets the system's text for the error.
  bool OpenLibrary(const std::string& path, std::string* errorText);
  // A back of the current deck module, owned by the caller; empty when the module lacks it.
  GdiObject LoadBack(int backIndex) const;
  // Loads every picture from the deck module: the empty pile, the back, the stock base, then
  // the faces rank by rank. A picture the module lacks stays empty and draws nothing.
  void Load(int backIndex);
  // Replaces the back by a bitmap file; false when the file is not a readable bitmap.
  bool LoadBackFile(const std::string& file);
  // Releases the images: the back, the empty pile, the stock base, then the faces suit by suit.
  void Release();

  HBITMAP Face(int rank, int suit) const;
  HBITMAP Back() const { return static_cast<HBITMAP>(back_.get()); }
  HBITMAP EmptyPile() const { return static_cast<HBITMAP>(emptyPile_.get()); }
  HBITMAP StockBase() const { return static_cast<HBITMAP>(stockBase_.get()); }

  // Reads any bitmap file, stretches or shrinks it to width x height and returns the bytes of a
  // 24-bit bitmap file of it; no value when the file is not a readable bitmap.
  static std::optional<std::vector<std::uint8_t>> StretchedBitmapFile(const std::string& file, int width, int height);

  // Draws a picture unscaled and opaque at (x, y); nothing for an empty picture.
  static void Draw(HDC dc, HBITMAP picture, int x, int y);

 private:
  HBITMAP LoadFromModule(const std::string& name) const;

  Module library_;          // a chosen deck library, kept open for the whole run
  HMODULE module_ = nullptr;  // where the pictures come from: the library or the program
  GdiObject back_;
  GdiObject emptyPile_;
  GdiObject stockBase_;
  std::array<GdiObject, 52> faces_;
};

}  // namespace pelmor::ui

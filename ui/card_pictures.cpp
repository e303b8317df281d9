// Loading and drawing the card pictures.
#include "ui/card_pictures.h"

#include "ui/picture_names.h"
#include "ui/system_error.h"

namespace pelmor::ui {

namespace {

std::size_t FaceSlot(int rank, int suit) { return static_cast<std::size_t>((suit - 1) * 13 + rank); }

// Deck libraries are opened as pictures only: mapped as an image resource, never run.
constexpr DWORD kPicturesOnly = LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE;

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

void CardPictures::SelectDeckModule(std::string_view libraryPath) {
  if (libraryPath.empty()) {
    module_ = GetModuleHandleA(nullptr);
    return;
  }
  std::string path(libraryPath);
  library_.reset(LoadLibraryExA(path.c_str(), nullptr, kPicturesOnly));
  module_ = library_.get();
}

bool CardPictures::OpenLibrary(const std::string& path, std::string* errorText) {
  HMODULE library = LoadLibraryExA(path.c_str(), nullptr, kPicturesOnly);
  if (library == nullptr) {
    *errorText = SystemErrorText(GetLastError(), path);
    return false;
  }
  // The table's pictures are copies, so the previous library may go.
  library_.reset(library);
  module_ = library;
  return true;
}

GdiObject CardPictures::LoadBack(int backIndex) const { return GdiObject(LoadFromModule(BackResourceName(backIndex))); }

std::optional<std::vector<std::uint8_t>> CardPictures::StretchedBitmapFile(const std::string& file, int width,
                                                                           int height) {
  GdiObject source(LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  BITMAP sourceInfo{};
  if (!source || GetObjectA(source.get(), sizeof sourceInfo, &sourceInfo) == 0) return std::nullopt;

  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as a bitmap file stores its rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  void* bits = nullptr;
  MemoryDc screenless(CreateCompatibleDC(nullptr));
  GdiObject target(CreateDIBSection(screenless.get(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                    nullptr, 0));
  if (!target || bits == nullptr) return std::nullopt;
  {
    MemoryDc from(CreateCompatibleDC(nullptr));
    SelectedObject fromSelected(from.get(), source.get());
    SelectedObject toSelected(screenless.get(), target.get());
    SetStretchBltMode(screenless.get(), COLORONCOLOR);
    StretchBlt(screenless.get(), 0, 0, width, height, from.get(), 0, 0, sourceInfo.bmWidth, sourceInfo.bmHeight,
               SRCCOPY);
    GdiFlush();
  }
  const auto stride = static_cast<std::uint32_t>((width * 3 + 3) & ~3);
  const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(height);
  const std::uint32_t offset = 14 + sizeof header;
  std::vector<std::uint8_t> out = {'B', 'M'};
  PutLittleEndian(out, offset + pixelBytes, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, offset, 4);
  const auto* headerBytes = reinterpret_cast<const std::uint8_t*>(&header);
  out.insert(out.end(), headerBytes, headerBytes + sizeof header);
  const auto* pixels = static_cast<const std::uint8_t*>(bits);
  out.insert(out.end(), pixels, pixels + pixelBytes);
  return out;
}

HBITMAP CardPictures::LoadFromModule(const std::string& name) const {
  if (module_ == nullptr) return nullptr;
  // A DIB section keeps the picture's own colours: a two-colour face stays red or black
  // whatever the text and background colours of the surface it is drawn on.
  return static_cast<HBITMAP>(LoadImageA(module_, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void CardPictures::Load(int backIndex) {
  emptyPile_.reset(LoadFromModule(kEmptyPilePicture));
  back_.reset(LoadFromModule(BackResourceName(backIndex)));
  stockBase_.reset(LoadFromModule(kStockBasePicture));
  for (int rank = 0; rank < 13; ++rank)
    for (int suit = 1; suit <= 4; ++suit) faces_[FaceSlot(rank, suit)].reset(LoadFromModule(FaceResourceName(rank, suit)));
}

bool CardPictures::LoadBackFile(const std::string& file) {
  auto* picture =
      static_cast<HBITMAP>(LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (picture == nullptr) return false;
  back_.reset(picture);
  return true;
}

void CardPictures::Release() {
  back_.reset();
  emptyPile_.reset();
  stockBase_.reset();
  for (int suit = 1; suit <= 4; ++suit)
    for (int rank = 0; rank < 13; ++rank) faces_[FaceSlot(rank, suit)].reset();
}

HBITMAP CardPictures::Face(int rank, int suit) const {
  if (rank < 0 || rank > 12 || suit < 1 || suit > 4) return nullptr;
  return static_cast<HBITMAP>(faces_[FaceSlot(rank, suit)].get());
}

void CardPictures::Draw(HDC dc, HBITMAP picture, int x, int y) {
  if (picture == nullptr) return;
  BITMAP info{};
  if (GetObjectA(picture, sizeof info, &info) == 0) return;
  MemoryDc source(CreateCompatibleDC(dc));
  SelectedObject selected(source.get(), picture);
  BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
}

}  // namespace pelmor::ui

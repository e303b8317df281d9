// Loading and drawing the card pictures.
#include "ui/card_pictures.h"

#include "ui/picture_names.h"

namespace pelmor::ui {

namespace {

std::size_t FaceSlot(int rank, int suit) { return static_cast<std::size_t>((suit - 1) * 13 + rank); }

}  // namespace

void CardPictures::SelectDeckModule(std::string_view libraryPath) {
  if (libraryPath.empty()) {
    module_ = GetModuleHandleA(nullptr);
    return;
  }
  std::string path(libraryPath);
  library_.reset(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE));
  module_ = library_.get();
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

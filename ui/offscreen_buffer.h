// A non-copyable off-screen surface that a window paints whole frames into before copying them
// to the screen, so the screen never shows a half-drawn table.
#pragma once

#include <windows.h>

#include "ui/win32_handles.h"

namespace pelmor::ui {

class OffscreenBuffer {
 public:
  OffscreenBuffer() = default;
  OffscreenBuffer(const OffscreenBuffer&) = delete;
  OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;
  ~OffscreenBuffer() { Release(); }

  // A DC of at least the given size, compatible with `reference`; the contents survive as long
  // as the size does not grow.
  HDC Prepare(HDC reference, int width, int height) {
    if (dc_ && width <= size_.cx && height <= size_.cy) return dc_.get();
    Release();
    dc_.reset(CreateCompatibleDC(reference));
    bitmap_.reset(CreateCompatibleBitmap(reference, width, height));
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    size_ = {width, height};
    return dc_.get();
  }

 private:
  void Release() {
    // The bitmap must leave the DC before either is deleted.
    if (dc_ && previous_ != nullptr) SelectObject(dc_.get(), previous_);
    previous_ = nullptr;
    bitmap_.reset();
    dc_.reset();
    size_ = {0, 0};
  }

  MemoryDc dc_;
  GdiObject bitmap_;
  HGDIOBJ previous_ = nullptr;
  SIZE size_{0, 0};
};

}  // namespace pelmor::ui

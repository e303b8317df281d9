// Owners of the Windows handles the program holds: each frees its handle exactly once.
#pragma once

#include <windows.h>

#include "ui/unique_handle.h"

namespace pelmor::ui {

struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Null() { return nullptr; }
  static void Free(Handle h) { DeleteObject(h); }
};
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Null() { return nullptr; }
  static void Free(Handle h) { DeleteDC(h); }
};
struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Null() { return nullptr; }
  static void Free(Handle h) { FreeLibrary(h); }
};
struct MenuTraits {
  using Handle = HMENU;
  static Handle Null() { return nullptr; }
  static void Free(Handle h) { DestroyMenu(h); }
};
struct WindowTraits {
  using Handle = HWND;
  static Handle Null() { return nullptr; }
  static void Free(Handle h) {
    if (IsWindow(h)) DestroyWindow(h);
  }
};
struct IconTraits {
  using Handle = HICON;
  static Handle Null() { return nullptr; }
  static void Free(Handle h) { DestroyIcon(h); }
};
struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Null() { return nullptr; }
  static void Free(Handle h) { RegCloseKey(h); }
};

struct FileTraits {
  using Handle = HANDLE;
  static Handle Null() { return INVALID_HANDLE_VALUE; }
  static void Free(Handle h) { CloseHandle(h); }
};

using GdiObject = UniqueHandle<GdiObjectTraits>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;
using Module = UniqueHandle<ModuleTraits>;
using Menu = UniqueHandle<MenuTraits>;
using Window = UniqueHandle<WindowTraits>;
using OwnedIcon = UniqueHandle<IconTraits>;
using File = UniqueHandle<FileTraits>;

// Selects an object into a DC and puts the previous one back, on the DC it was selected into.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A window's client DC from GetDC, released to the same window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint and EndPaint of one WM_PAINT.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(window_, &paint_); }
  HDC get() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

inline COLORREF ToColorRef(std::uint32_t colour) {
  if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFFu));
  return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

}  // namespace pelmor::ui

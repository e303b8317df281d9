// Window layouts as data: the window, its controls, timers and menu, as the designer placed
// them. One builder turns a layout into a real window; this header stays free of Windows so the
// layouts and the alignment rules are testable anywhere.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace pelmor::ui {

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
  bool Contains(int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
};

// Colours are 0xRRGGBB, or a system colour index with kSystemColour set.
inline constexpr std::uint32_t kSystemColour = 0x80000000u;
inline constexpr std::uint32_t kButtonFace = kSystemColour | 15u;  // COLOR_BTNFACE
inline constexpr std::uint32_t kWindowText = kSystemColour | 8u;   // COLOR_WINDOWTEXT
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kRed = 0xFF0000;
inline constexpr std::uint32_t kYellow = 0xFFFF00;
inline constexpr std::uint32_t kAqua = 0x00FFFF;

struct FontSpec {
  std::string_view face;
  int height = 0;  // pixels, the whole cell: internal leading included
  bool bold = false;
  std::uint32_t colour = kWindowText;
};

enum class ControlKind {
  kPaintBox,  // drawn by its window, no window of its own
  kLabel,     // text drawn by its window, no window of its own
  kPanel,     // a window of its own with a raised frame and a centred caption
  kButton,
  kCheckBox,
  kScrollBar,
  kEdit,
  kStatic,    // a text control of its own, as in dialogs
  kText,      // a label with a window of its own, drawn with its font, colour and alignment over
              // whatever lies beneath it when transparent
  kPicture,   // a bitmap or icon resource in a window of its own
  kBevel,     // a sunken frame
};

enum class PictureKind { kNone, kBitmap, kIcon };
enum class Cursor { kDefault, kHand };

enum class Align { kNone, kTop, kBottom, kLeft, kRight };

struct ControlLayout {
  std::string_view name;
  ControlKind kind = ControlKind::kPaintBox;
  Rect bounds;
  Align align = Align::kNone;
  int tag = 0;
  std::string_view caption;
  FontSpec font;  // empty face: the window's font
  bool visible = true;
  bool enabled = true;
  bool transparent = false;
  bool defaultButton = false;
  int id = 0;  // command or control identifier of windowed controls
  int rangeMin = 0;
  int rangeMax = 0;
  // Windowed controls: the tooltip, the pointer over it, and the control it lies in (its bounds
  // are then relative to that control); clickable when it has an id.
  std::string_view hint;
  Cursor cursor = Cursor::kDefault;
  std::string_view parent;
  // Text and pictures.
  bool centred = false;
  bool wordWrap = false;
  PictureKind pictureKind = PictureKind::kNone;
  std::string_view picture;  // the resource's name
  bool stretch = false;
};

struct TimerLayout {
  std::string_view name;
  int id = 0;
  int intervalMs = 0;
  bool enabled = false;
};

// A flat menu: level 0 is a menu of the bar, level 1 an item of the menu before it.
struct MenuItemLayout {
  int level = 0;
  std::string_view caption;
  std::string_view name;
  int command = 0;
};

enum class Border { kSizeable, kDialog };
enum class Placement { kDesigned, kScreenCentre };

struct WindowLayout {
  std::string_view className;
  std::string_view objectName;
  std::string_view caption;
  Rect bounds;  // outer at design when !clientSized, else left/top outer and the client size
  bool clientSized = false;
  Placement placement = Placement::kDesigned;
  Border border = Border::kSizeable;
  std::uint32_t colour = kWhite;
  // The window's mouse messages tell the second press of a double-click from a press.
  bool doubleClicks = false;
  FontSpec font;
  std::span<const ControlLayout> controls;
  std::span<const TimerLayout> timers;
  std::span<const MenuItemLayout> menu;
};

// Places the aligned controls in a client area of the given size, in the order the designer's
// toolkit does: bottom-aligned controls stack up from the bottom edge (the lowest first), then
// left-aligned ones from the left edge and right-aligned ones from the right edge share what is
// left. Unaligned controls keep their design bounds. Returns one rectangle per control.
std::vector<Rect> AlignControls(std::span<const ControlLayout> controls, int clientWidth, int clientHeight);

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

// The smallest client area that shows every aligned control whole and apart: the left- and
// right-aligned ones side by side at their designed sizes, between the top- and bottom-aligned
// ones at their designed heights (those stretch across whatever width there is).
Size MinimumClientSize(std::span<const ControlLayout> controls);

const ControlLayout* FindControl(const WindowLayout& layout, std::string_view name);
int ControlIndex(const WindowLayout& layout, std::string_view name);

}  // namespace pelmor::ui

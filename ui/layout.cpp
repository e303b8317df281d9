// The alignment rules of laid-out windows.
#include "ui/layout.h"

#include <algorithm>
#include <numeric>

namespace pelmor::ui {

namespace {

// Indices of the controls with one alignment, in the order they take space from the edge.
std::vector<std::size_t> Stacking(std::span<const ControlLayout> controls, Align align) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (controls[i].align == align) order.push_back(i);
  auto key = [&](std::size_t i) {
    const Rect& r = controls[i].bounds;
    switch (align) {
      case Align::kTop: return r.top;
      case Align::kBottom: return -(r.top + r.height);
      case Align::kLeft: return r.left;
      case Align::kRight: return -(r.left + r.width);
      case Align::kNone: break;
    }
    return 0;
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
  return order;
}

}  // namespace

std::vector<Rect> AlignControls(std::span<const ControlLayout> controls, int clientWidth, int clientHeight) {
  std::vector<Rect> placed;
  for (const auto& control : controls) placed.push_back(control.bounds);
  int left = 0, top = 0, right = clientWidth, bottom = clientHeight;
  for (std::size_t i : Stacking(controls, Align::kTop)) {
    placed[i] = {left, top, right - left, controls[i].bounds.height};
    top += controls[i].bounds.height;
  }
  for (std::size_t i : Stacking(controls, Align::kBottom)) {
    bottom -= controls[i].bounds.height;
    placed[i] = {left, bottom, right - left, controls[i].bounds.height};
  }
  for (std::size_t i : Stacking(controls, Align::kLeft)) {
    placed[i] = {left, top, controls[i].bounds.width, std::max(0, bottom - top)};
    left += controls[i].bounds.width;
  }
  for (std::size_t i : Stacking(controls, Align::kRight)) {
    right -= controls[i].bounds.width;
    placed[i] = {right, top, controls[i].bounds.width, std::max(0, bottom - top)};
  }
  return placed;
}

Size MinimumClientSize(std::span<const ControlLayout> controls) {
  Size least;
  int sides = 0;
  for (const auto& control : controls) {
    switch (control.align) {
      case Align::kTop:
      case Align::kBottom:
        least.height += control.bounds.height;
        break;
      case Align::kLeft:
      case Align::kRight:
        least.width += control.bounds.width;
        sides = std::max(sides, control.bounds.height);
        break;
      case Align::kNone:
        break;
    }
  }
  least.height += sides;
  return least;
}

int ControlIndex(const WindowLayout& layout, std::string_view name) {
  for (std::size_t i = 0; i < layout.controls.size(); ++i)
    if (layout.controls[i].name == name) return static_cast<int>(i);
  return -1;
}

const ControlLayout* FindControl(const WindowLayout& layout, std::string_view name) {
  int index = ControlIndex(layout, name);
  return index < 0 ? nullptr : &layout.controls[static_cast<std::size_t>(index)];
}

}  // namespace pelmor::ui

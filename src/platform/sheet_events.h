// The grid's events. Delivered synchronously inside the call that raised them, dropped while
// the sheet's EnableEvents switch is off. Handlers may write to the sheet again.
#pragma once

#include <functional>

namespace vemo {

class Range;

// Key codes the engine reacts to.
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyAlt = 18;
inline constexpr int kKeyDelete = 46;

struct SheetEvents {
  std::function<void(const Range&)> content_changed;
  std::function<void(const Range&)> clicked;
  std::function<void(const Range&, int x, int y)> double_clicked;  // pointer in pixels
  std::function<void(const Range&, int key_code)> key_pressed;     // range: the selection
  std::function<void(const Range&)> selection_changed;
  std::function<void(const Range&)> edit_started;
  std::function<void()> scrolled;
  std::function<void()> focus_gained;
  std::function<void()> focus_lost;
};

}  // namespace vemo

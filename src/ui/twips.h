// Window positions are kept in twips; the screen has 15 twips per pixel.
#pragma once

#include "session/window_model.h"

#include <QRect>

namespace vemo {

inline constexpr int kTwipsPerPixel = 15;

inline int to_pixels(int twips) { return twips / kTwipsPerPixel; }
inline int to_twips(int pixels) { return pixels * kTwipsPerPixel; }
inline QRect to_pixels(const ControlGeometry& g) {
  return {to_pixels(g.left), to_pixels(g.top), to_pixels(g.width), to_pixels(g.height)};
}

}  // namespace vemo

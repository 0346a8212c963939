// Cell formatting as a page template states it: font, colours, alignment, wrapping, borders.
#pragma once

#include <QString>

#include <optional>

namespace vemo {

enum class LineStyle { None, Solid, Dashed, Dotted, Double };

struct BorderLine {
  LineStyle style = LineStyle::None;
  int width_px = 0;
  unsigned rgb = 0;  // 0xRRGGBB
  bool operator==(const BorderLine&) const = default;
};

enum class HAlign { General, Left, Center, Right };
enum class VAlign { Bottom, Middle, Top };

struct TemplateStyle {
  QString font_family;      // empty: the sheet's default font
  double font_size_pt = 0;  // 0: the sheet's default size
  bool bold = false;
  bool italic = false;
  std::optional<unsigned> color;       // 0xRRGGBB
  std::optional<unsigned> background;  // 0xRRGGBB
  HAlign h_align = HAlign::General;
  VAlign v_align = VAlign::Bottom;
  bool wrap = false;
  BorderLine left, right, top, bottom;
  bool operator==(const TemplateStyle&) const = default;
};

}  // namespace vemo

// Reading single CSS values of page templates: lengths, colours, border shorthands.
#pragma once

#include "platform/cell_format.h"

#include <QString>

#include <optional>

namespace vemo {

// "80", "80px", "60pt", "2cm", "1.5mm", "1in" in pixels at 96 dpi; nothing for other text.
std::optional<double> css_length_px(const QString& text);

// "#RRGGBB" for what color_text() reads, "rgb(r,g,b)" and Excel's "windowtext" and "auto".
std::optional<QString> css_color(const QString& text);

// "left", "center", "right" (and "justify" as left) of text-align or the align attribute.
std::optional<HAlign> css_h_align(const QString& text);
// "top", "middle", "bottom" of vertical-align or the valign attribute.
std::optional<VAlign> css_v_align(const QString& text);

// "1px solid #000", ".5pt dashed windowtext", "none". Like CSS, the shorthand resets what it
// leaves out: without a style word there is no line.
Border border_from_shorthand(const QString& text);

}  // namespace vemo

// Reading single CSS values of page templates: lengths, colours, border shorthands.
#pragma once

#include "platform/template_style.h"

#include <QString>

#include <optional>

namespace vemo {

// "80", "80px", "60pt", "2cm", "1.5mm", "1in" in pixels at 96 dpi; nothing for other text.
std::optional<double> css_length_px(const QString& text);

// "#rgb", "#rrggbb", "rgb(r,g,b)" and the common colour names as 0xRRGGBB.
std::optional<unsigned> css_color(const QString& text);

// "1px solid #000", ".5pt dashed windowtext", "none": the parts given change the line.
void apply_border_shorthand(const QString& text, BorderLine& line);

}  // namespace vemo

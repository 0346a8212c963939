// Row heights fitted to text without a font engine: an estimate from text length and font size.
#pragma once

#include "platform/cell_format.h"

#include <QString>

namespace vemo {

// Pixels one line of the font takes, spacing included.
int line_height(const CellFont& font);

// Height in pixels that shows `text` whole in a cell `width` pixels wide: wrapped texts take
// as many lines as their estimated width needs, others one line per line break.
int fitted_height(const QString& text, const CellFormat& format, int width);

}  // namespace vemo

// Applies a template cell's inline "style" attribute to its format.
#pragma once

#include "platform/cell_format.h"

#include <QString>

namespace vemo {

// Unknown properties and unreadable values are left out (and logged), never fatal.
void apply_inline_style(const QString& css, CellFormat& format);

}  // namespace vemo

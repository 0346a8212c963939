// The text a cell shows for its value under a number format ("@", "0", "0.00", "#,##0.00", "0%").
#pragma once

#include "platform/cell_value.h"

#include <QString>

namespace vemo {

QString display_text(const CellValue& value, const QString& number_format);

// Rounds half away from zero at `digits` decimals (negative: tens, hundreds), as ROUND does.
double round_to_digits(double value, int digits);

}  // namespace vemo

// The text a cell shows for its value under a number format ("@", "0", "0.00", "#,##0.00", "0%").
#pragma once

#include "platform/cell_value.h"

#include <QString>

namespace vemo {

QString display_text(const CellValue& value, const QString& number_format);

}  // namespace vemo

// A cell's value as it goes into a table column.
#pragma once

#include "platform/cell_value.h"

#include <QVariant>

namespace vemo {

enum class KeyTrim { Keep, Trim };

// Numbers as numbers, texts as texts (trimmed for key columns, which are looked up by the
// trimmed page key), an empty cell as the empty text (NULL in a number column).
QVariant field_input(const CellValue& value, KeyTrim trim = KeyTrim::Keep);

}  // namespace vemo

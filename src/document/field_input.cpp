// Cell values into columns.
#include "document/field_input.h"

namespace vemo {

QVariant field_input(const CellValue& value, KeyTrim trim) {
  if (value.is_number()) return value.as_number();
  const QString text = value.to_text();
  return trim == KeyTrim::Trim ? text.trimmed() : text;
}

}  // namespace vemo

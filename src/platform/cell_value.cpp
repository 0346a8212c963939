// Cell values and the typed-input rules.
#include "platform/cell_value.h"

#include "platform/number_text.h"

namespace vemo {

CellValue CellValue::number(double v) {
  CellValue value;
  value.kind_ = Kind::Number;
  value.number_ = v;
  return value;
}

CellValue CellValue::text(const QString& t) {
  CellValue value;
  value.kind_ = t.isEmpty() ? Kind::Empty : Kind::Text;
  value.text_ = t;
  return value;
}

CellValue CellValue::error(const QString& code) {
  CellValue value;
  value.kind_ = Kind::Error;
  value.text_ = code;
  return value;
}

QString CellValue::to_text() const {
  switch (kind_) {
    case Kind::Empty:
      return QString();
    case Kind::Number:
      return number_text(number_);
    case Kind::Text:
    case Kind::Error:
      return text_;
  }
  return QString();
}

std::optional<double> CellValue::to_number() const {
  switch (kind_) {
    case Kind::Empty:
      return 0.0;
    case Kind::Number:
      return number_;
    case Kind::Text:
      return parse_number_text(text_);
    case Kind::Error:
      return std::nullopt;
  }
  return std::nullopt;
}

bool operator==(const CellValue& a, const CellValue& b) {
  if (a.kind_ != b.kind_) return false;
  if (a.kind_ == CellValue::Kind::Number) return a.number_ == b.number_;
  return a.text_ == b.text_;
}

CellValue value_from_input(const QString& input) {
  if (input.startsWith('\'')) return CellValue::text(input.mid(1));
  if (const auto number = parse_number_text(input)) return CellValue::number(*number);
  return CellValue::text(input);
}

}  // namespace vemo

// What a cell holds: nothing, a number, a text or an error value such as #DIV/0!.
#pragma once

#include <QString>

#include <optional>

namespace vemo {

class CellValue {
 public:
  enum class Kind : unsigned char { Empty, Number, Text, Error };

  CellValue() = default;
  static CellValue number(double v);
  static CellValue text(const QString& t);
  static CellValue error(const QString& code);  // "#VALUE!", "#REF!", "#DIV/0!", "#NAME?", "#CIRC!"

  Kind kind() const { return kind_; }
  bool is_empty() const { return kind_ == Kind::Empty; }
  bool is_number() const { return kind_ == Kind::Number; }
  bool is_text() const { return kind_ == Kind::Text; }
  bool is_error() const { return kind_ == Kind::Error; }

  double as_number() const { return number_; }  // 0 unless a number
  // The value as text: numbers through number_text(), errors as their code, empty as "".
  QString to_text() const;
  // A number, or a text that reads as one; empty counts 0. Nothing for other texts and errors.
  std::optional<double> to_number() const;

  friend bool operator==(const CellValue& a, const CellValue& b);

 private:
  Kind kind_ = Kind::Empty;
  double number_ = 0;
  QString text_;  // text, or the error code
};

// Typed-input rules: a text that reads as a number becomes that number, a leading "'" keeps
// the rest as text, the empty text empties the cell. Formulas are handled by the sheet.
CellValue value_from_input(const QString& input);

}  // namespace vemo

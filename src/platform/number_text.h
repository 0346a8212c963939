// The one way numbers become text (in cells, in SQL) and text becomes a number.
#pragma once

#include <QString>

#include <optional>

namespace vemo {

// 15 significant digits, no exponent below 1e15, no trailing ".0": 1001, 12.5, -0.25.
QString number_text(double value);

// A text counts as a number only when, trimmed, it reads [sign]digits[.digits].
std::optional<double> parse_number_text(const QString& text);
inline bool is_number_text(const QString& text) { return parse_number_text(text).has_value(); }

}  // namespace vemo

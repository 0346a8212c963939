// Number formatting and the strict number test shared by cells, fields and SQL text.
#include "platform/number_text.h"

#include <cmath>
#include <cstdio>

namespace vemo {

QString number_text(double value) {
  if (!std::isfinite(value) || value == 0) return QStringLiteral("0");  // also folds -0
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  QString text = QString::fromLatin1(buffer);
  const int e = text.indexOf('e');
  if (e < 0 || std::fabs(value) >= 1e15) return text;
  // Tiny magnitudes: %.15g chose an exponent; print the same 15 digits in fixed form.
  const int exponent = text.mid(e + 1).toInt();
  std::snprintf(buffer, sizeof buffer, "%.*f", 14 - exponent, value);
  text = QString::fromLatin1(buffer);
  while (text.endsWith('0')) text.chop(1);
  if (text.endsWith('.')) text.chop(1);
  return text;
}

std::optional<double> parse_number_text(const QString& text) {
  const QString t = text.trimmed();
  int i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  const int int_start = i;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
  if (i == int_start) return std::nullopt;
  if (i < t.size() && t[i] == '.') {
    ++i;
    const int frac_start = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    if (i == frac_start) return std::nullopt;
  }
  if (i != t.size()) return std::nullopt;
  bool ok = false;
  const double value = t.toDouble(&ok);
  if (!ok) return std::nullopt;
  return value;
}

}  // namespace vemo

// Shown text of a value under a number format.
#include "platform/number_format.h"

#include "platform/number_text.h"

#include <cmath>

namespace vemo {

double round_to_digits(double value, int digits) {
  const double scale = std::pow(10.0, digits);
  // Go through the 15 significant digits first, so 1.005 * 100 rounds as 100.5, not 100.4999.
  const auto scaled = parse_number_text(number_text(value * scale));
  if (!scaled || !std::isfinite(value * scale)) return value;
  return std::round(*scaled) / scale;
}

namespace {

QString group_thousands(const QString& digits) {
  QString out;
  const int n = digits.size();
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

QString formatted_number(double value, const QString& format) {
  const bool percent = format.endsWith('%');
  const bool grouping = format.contains(',');
  const int point = format.indexOf('.');
  int decimals = 0;
  if (point >= 0)
    for (int i = point + 1; i < format.size() && (format[i] == '0' || format[i] == '#'); ++i)
      ++decimals;
  const double shown = round_to_digits(percent ? value * 100 : value, decimals);
  if (std::fabs(shown) >= 1e15) return number_text(shown);
  QString text = number_text(shown);
  const bool negative = text.startsWith('-');
  if (negative) text.remove(0, 1);
  QString whole = text.section('.', 0, 0);
  QString fraction = text.section('.', 1);
  while (fraction.size() < decimals) fraction += '0';
  if (grouping) whole = group_thousands(whole);
  QString out = (negative ? "-" : "") + whole;
  if (decimals > 0) out += '.' + fraction;
  if (percent) out += '%';
  return out;
}

}  // namespace

QString display_text(const CellValue& value, const QString& number_format) {
  const QString format = number_format.trimmed();
  if (!value.is_number() || format.isEmpty() || format == "@" ||
      format.compare("General", Qt::CaseInsensitive) == 0)
    return value.to_text();
  return formatted_number(value.as_number(), format);
}

}  // namespace vemo

// Estimated text extents: wide (CJK) characters take one em, others a little over half.
#include "platform/row_fit.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace vemo {

namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr int kCellPadding = 3;

bool is_wide(QChar c) { return c.unicode() >= 0x1100; }

double text_width(const QString& line, const CellFont& font) {
  const double em = font.size * kPixelsPerPoint;
  double width = 0;
  for (const QChar c : line) width += is_wide(c) ? em : em * 0.55;
  return font.bold ? width * 1.08 : width;
}

}  // namespace

int line_height(const CellFont& font) {
  return static_cast<int>(std::ceil(std::max(1.0, font.size) * kPixelsPerPoint * 1.15));
}

int fitted_height(const QString& text, const CellFormat& format, int width) {
  int lines = 0;
  const int usable = std::max(1, width - kCellPadding);
  for (const QString& line : text.split('\n')) {
    if (!format.wrap) {
      ++lines;
      continue;
    }
    const double w = text_width(line, format.font);
    lines += std::max(1, static_cast<int>(std::ceil(w / usable)));
  }
  return std::max(1, lines) * line_height(format.font) + kCellPadding;
}

}  // namespace vemo

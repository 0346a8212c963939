// A sheet cell's format in Qt terms: font, colours, alignment.
#include "platform/view/cell_style_qt.h"

namespace vemo {

QFont qt_font(const CellFont& font) {
  QFont result(font.family);
  if (font.size > 0) result.setPointSizeF(font.size);
  result.setBold(font.bold);
  result.setItalic(font.italic);
  return result;
}

QColor qt_color(const QString& color) {
  if (color.isEmpty()) return {};
  return QColor::fromString(color);
}

Qt::Alignment qt_alignment(const CellFormat& format, const CellValue& value) {
  Qt::Alignment horizontal = Qt::AlignLeft;
  switch (format.halign) {
    case HAlign::General:
      horizontal = value.is_number() ? Qt::AlignRight : Qt::AlignLeft;
      break;
    case HAlign::Left:
      horizontal = Qt::AlignLeft;
      break;
    case HAlign::Center:
      horizontal = Qt::AlignHCenter;
      break;
    case HAlign::Right:
      horizontal = Qt::AlignRight;
      break;
  }
  Qt::Alignment vertical = Qt::AlignBottom;
  if (format.valign == VAlign::Top) vertical = Qt::AlignTop;
  if (format.valign == VAlign::Center) vertical = Qt::AlignVCenter;
  return horizontal | vertical;
}

}  // namespace vemo

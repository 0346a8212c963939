// Paints cells of a sheet (background, text, borders) onto any QPainter.
#include "platform/view/cell_painter.h"

#include "platform/sheet.h"
#include "platform/view/cell_style_qt.h"

#include <QPainter>
#include <QPen>

#include <set>

namespace vemo {

namespace {

constexpr qreal kTextPadding = 2;

QPen border_pen(const Border& border) {
  // Weights 1 hairline, 2 thin, 3 medium, 4 thick.
  const qreal width = border.weight <= 1 ? 0.5 : border.weight - 1;
  QPen pen(qt_color(border.color), width);
  pen.setCapStyle(Qt::FlatCap);
  switch (border.line_style) {
    case 2:
      pen.setStyle(Qt::DashLine);
      break;
    case 3:
      pen.setStyle(Qt::DotLine);
      break;
    default:
      pen.setStyle(Qt::SolidLine);
      break;
  }
  return pen;
}

// A line along one edge, kept inside the rectangle so neighbours do not paint over it.
void draw_edge(QPainter& painter, const Border& border, QPointF from, QPointF to, QPointF inward) {
  if (!border.visible()) return;
  QPen pen = border_pen(border);
  if (border.line_style == 4) {  // double: two thin lines with a gap
    pen.setWidthF(1);
    painter.setPen(pen);
    const QPointF first = inward * 0.5, second = inward * 2.5;
    painter.drawLine(from + first, to + first);
    painter.drawLine(from + second, to + second);
    return;
  }
  painter.setPen(pen);
  const QPointF shift = inward * (pen.widthF() / 2);
  painter.drawLine(from + shift, to + shift);
}

}  // namespace

QSizeF CellPainter::area_size(const CellArea& area) const {
  qreal width = 0, height = 0;
  for (int c = area.left; c <= area.right; ++c) width += sheet_.column_width(c);
  for (int r = area.top; r <= area.bottom; ++r) height += sheet_.row_height(r);
  return {width, height};
}

void CellPainter::paint_cell(QPainter& painter, const QRectF& rect, CellPos pos) const {
  const CellArea unit = sheet_.merged_area(pos).value_or(CellArea::of(pos));
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  paint_background(painter, rect, unit.first());
  paint_text(painter, rect, unit.first());
  paint_borders(painter, rect, unit);
  painter.restore();
}

void CellPainter::paint_area(QPainter& painter, const CellArea& area, QPointF origin) const {
  std::set<std::pair<int, int>> painted;  // merged areas by their top-left cell
  for (int r = area.top; r <= area.bottom; ++r) {
    for (int c = area.left; c <= area.right; ++c) {
      const CellArea unit = sheet_.merged_area({r, c}).value_or(CellArea{r, c, r, c});
      if (!painted.insert({unit.top, unit.left}).second) continue;
      const QPointF corner(
          origin.x() + sheet_.column_left(unit.left) - sheet_.column_left(area.left),
          origin.y() + sheet_.row_top(unit.top) - sheet_.row_top(area.top));
      const QRectF rect(corner, area_size(unit));
      // A merged area reaching outside the printed area is cut at its edge.
      painter.save();
      painter.setClipRect(QRectF(origin, area_size(area)), Qt::IntersectClip);
      paint_cell(painter, rect, {unit.top, unit.left});
      painter.restore();
    }
  }
}

void CellPainter::paint_background(QPainter& painter, const QRectF& rect, CellPos first) const {
  const QColor background = qt_color(sheet_.format(first).background);
  if (background.isValid()) painter.fillRect(rect, background);
}

void CellPainter::paint_text(QPainter& painter, const QRectF& rect, CellPos first) const {
  const QString text = sheet_.display_text(first);
  if (text.isEmpty()) return;
  const CellFormat& format = sheet_.format(first);
  painter.setFont(qt_font(format.font));
  const QColor color = qt_color(format.font.color);
  painter.setPen(color.isValid() ? color : QColor(Qt::black));
  int flags = static_cast<int>(qt_alignment(format, sheet_.value(first)));
  if (format.wrap) flags |= Qt::TextWordWrap;
  painter.drawText(rect.adjusted(kTextPadding, 1, -kTextPadding, -1), flags, text);
}

void CellPainter::paint_borders(QPainter& painter, const QRectF& rect, const CellArea& unit) const {
  // Each edge of a merged area takes the border of the cell on that edge.
  const Border& left = sheet_.format(unit.first()).border(BorderEdge::Left);
  const Border& top = sheet_.format(unit.first()).border(BorderEdge::Top);
  const Border& right = sheet_.format({unit.top, unit.right}).border(BorderEdge::Right);
  const Border& bottom = sheet_.format({unit.bottom, unit.left}).border(BorderEdge::Bottom);
  draw_edge(painter, left, rect.topLeft(), rect.bottomLeft(), {1, 0});
  draw_edge(painter, top, rect.topLeft(), rect.topRight(), {0, 1});
  draw_edge(painter, right, rect.topRight(), rect.bottomRight(), {-1, 0});
  draw_edge(painter, bottom, rect.bottomLeft(), rect.bottomRight(), {0, -1});
}

}  // namespace vemo

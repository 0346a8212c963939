// Paints cells of a sheet (background, text, borders) onto any QPainter: the grid view on
// screen, and printed or exported pages.
#pragma once

#include "platform/cell_address.h"

#include <QPointF>
#include <QRectF>

class QPainter;

namespace vemo {

class Sheet;

class CellPainter {
 public:
  explicit CellPainter(const Sheet& sheet) : sheet_(sheet) {}

  // One cell, or the merged area it belongs to, filling `rect` (in the painter's units).
  void paint_cell(QPainter& painter, const QRectF& rect, CellPos pos) const;

  // The cells of `area` laid out by the sheet's column widths and row heights (pixels), with
  // the area's top-left corner at `origin`; each merged area is painted once, whole.
  void paint_area(QPainter& painter, const CellArea& area, QPointF origin) const;

  // Size of `area` in pixels.
  QSizeF area_size(const CellArea& area) const;

 private:
  void paint_background(QPainter& painter, const QRectF& rect, CellPos first) const;
  void paint_text(QPainter& painter, const QRectF& rect, CellPos first) const;
  void paint_borders(QPainter& painter, const QRectF& rect, const CellArea& unit) const;

  const Sheet& sheet_;
};

}  // namespace vemo

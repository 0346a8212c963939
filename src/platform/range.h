// A handle on an area of a sheet: a cell, a merged area or a block of cells.
#pragma once

#include "platform/cell_address.h"
#include "platform/cell_format.h"
#include "platform/cell_value.h"

#include <QString>

namespace vemo {

class Sheet;

// Cheap to copy; stays bound to its sheet and area (not to the cells: after a row insert it
// still names the same address). An invalid range (bad address) reads empty and ignores
// writes, logging them as skipped.
class Range {
 public:
  Range() = default;
  Range(Sheet* sheet, const CellArea& area) : sheet_(sheet), area_(area) {}

  bool valid() const { return sheet_ != nullptr; }
  Sheet* sheet() const { return sheet_; }
  const CellArea& area() const { return area_; }

  // "M2", "D6:H6"; upper case, no "$".
  QString address() const;
  int row() const { return area_.top; }
  int column() const { return area_.left; }
  int rows() const { return area_.rows(); }
  int columns() const { return area_.columns(); }
  // Cells of the area; a merged area counts as one.
  int count() const;
  // The n-th cell (1-based), row by row; a merged area is returned whole.
  Range cell(int n) const;

  // The value of the first cell.
  CellValue value() const;
  QString text() const { return value().to_text(); }
  // Writes every cell of the area; texts follow typed-input rules, "=..." sets a formula.
  void set_value(const QString& input) const;
  void set_value(double number) const;
  void set_value(const CellValue& value) const;
  void clear_contents() const;

  // The formula of the first cell; for a plain cell its value as text.
  QString formula() const;
  void set_formula(const QString& formula) const;

  bool locked() const;
  void set_locked(bool locked) const;

  // Moves the cursor here: the active cell becomes the first cell.
  void select() const;
  // Whole rows from the first to the last row of the area.
  Range entire_rows() const;
  // Row heights of the area's rows fitted to their contents.
  void auto_fit_rows() const;

  // Values, formulas (references following the offset), formats and merged areas.
  void copy_to(const Range& destination) const;
  // Inserts as many whole rows as the area has, at its first row; everything below moves down.
  void insert_shift_down() const;

  // Every edge of every cell of the area.
  void set_border_color(const QString& color) const;
  void set_border_weight(int weight) const;
  void set_border_line_style(int style) const;

  const CellFormat& format() const;  // of the first cell
  void set_format(const CellFormat& format) const;
  void set_number_format(const QString& number_format) const;
  void merge() const;

  // Pixels from the sheet's top-left corner to the area's top-left corner.
  int left() const;
  int top() const;

 private:
  Sheet* sheet_ = nullptr;
  CellArea area_;
};

}  // namespace vemo

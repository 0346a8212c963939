// The sheet model behind every page: cells, merged areas, formats, formulas with automatic
// recalculation, lock and protection, cursor and the grid's events. Qt Core only.
//
// API summary
//   Sheet s;  s.set_name("货物运单");  s.clear();
//   Range r = s.range("d6");   // grown to the merged area D6:H6; invalid on a bad address
//   Range c = s.cell(6, 4);    // by row and column, 1-based; also grown to its merged area
//   r.address() "D6:H6", r.row(), r.column(), r.rows(), r.columns(), r.count(), r.cell(n)
//   r.value() / r.set_value("0012")  number 12; "'0012" text; "=A1+1" formula; "@" cells keep text
//   r.formula() / r.set_formula("=SUM(A1:A3)")   recalculation of dependents is automatic
//   r.locked() / r.set_locked(false);  s.set_protected(true)   (programs may still write)
//   r.select(); r.entire_rows().auto_fit_rows(); r.copy_to(s.range("B5")); r.insert_shift_down()
//   r.set_border_color("black"); r.set_border_weight(2); r.set_border_line_style(1)
//   r.left(), r.top()   pixels from the sheet's top-left corner (column widths, row heights
//                       in pixels too); s.view_left(pos) / s.view_top(pos) subtract the scroll
//   s.events().content_changed = [](const Range& r) {...};  s.set_enable_events(false)
//   The view: user_begin_edit, user_edit, user_key, user_click, user_double_click,
//   user_select, user_scroll, user_focus_in, user_focus_out; repaint through view_hooks().
//
// Events: synchronous, dropped while EnableEvents is off, handlers may write again (nesting
// deeper than 32 events is cut off and logged; writing the unchanged content back into the
// range whose change is being delivered raises no second change). Program writes of values and
// formulas and copies raise a content change for their range; recalculated cells, formats, merges
// and row inserts raise nothing. The view's Enter: user_edit (content change), then user_key(13);
// the cursor stays. Delete: key press 46 on the selection; a selection of one cell or one merged
// area is then cleared with a content change. A click does not move the cursor: the view
// reports selections with user_select.
//
// Errors shown in cells: #VALUE! (also malformed formulas), #REF!, #DIV/0!, #NAME?, #NUM!
// (results out of range), and #CIRC! for the formulas of a cycle (formulas fed by a cycle
// compute as usual from that error value). Comparisons give the texts TRUE and FALSE.
#pragma once

#include "platform/cell_address.h"
#include "platform/cell_format.h"
#include "platform/cell_value.h"
#include "platform/range.h"
#include "platform/sheet_events.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vemo {

// Default geometry, in pixels.
inline constexpr int kDefaultColumnWidth = 64;
inline constexpr int kDefaultRowHeight = 20;

// Told about every change, whatever EnableEvents says, so a view can repaint.
struct SheetViewHooks {
  std::function<void(const CellArea&)> cells_changed;
  std::function<void()> layout_changed;  // merges, widths, heights, inserted rows, clear
  std::function<void(const CellArea&)> selection_moved;
};

class Sheet {
 public:
  Sheet();
  ~Sheet();
  Sheet(const Sheet&) = delete;
  Sheet& operator=(const Sheet&) = delete;

  QString name() const;
  void set_name(const QString& name);

  // Values, formulas, merged areas, formats and geometry back to an empty page; protection
  // off, cursor on A1. Raises no event.
  void clear();

  // Ranges. A range that touches a merged area is grown to cover it whole.
  Range range(const QString& address);
  Range range(const CellArea& area);
  Range cell(int row, int col);

  // Cell-level reads for the view and the engine (row and column 1-based).
  CellValue value(CellPos p) const;
  QString formula(CellPos p) const;
  bool has_formula(CellPos p) const;
  QString display_text(CellPos p) const;
  const CellFormat& format(CellPos p) const;

  // Programmatic writes (raise a content change while events are on).
  void write_input(const CellArea& area, const QString& input);
  void write_value(const CellArea& area, const CellValue& value);
  void write_formula(const CellArea& area, const QString& formula);
  void set_format(const CellArea& area, const CellFormat& format);
  // Changes one aspect of the format of every cell of the area, keeping the rest.
  void update_format(const CellArea& area, const std::function<void(CellFormat&)>& change);

  // Merged areas.
  void merge(const CellArea& area);
  std::optional<CellArea> merged_area(CellPos p) const;
  std::vector<CellArea> merged_areas() const;
  CellArea grow_to_merges(const CellArea& area) const;
  // Cells of an area with each merged area counted once, and the n-th of them (1-based,
  // row by row); nothing when n is out of range.
  int unit_count(const CellArea& area) const;
  std::optional<CellArea> unit_at(const CellArea& area, int n) const;

  // Geometry in pixels.
  int column_width(int col) const;
  void set_column_width(int col, int width);
  int row_height(int row) const;
  void set_row_height(int row, int height);
  int column_left(int col) const;  // sum of the widths of the columns before it
  int row_top(int row) const;      // sum of the heights of the rows before it
  void auto_fit_rows(int first_row, int last_row);
  int used_rows() const;  // last row holding a value, formula, format or merged area
  int used_columns() const;

  // Structure.
  void copy(const CellArea& source, const CellArea& destination);
  void insert_rows(int row, int count);

  // Lock and protection: while protected the user may type only into unlocked cells.
  bool is_protected() const;
  void set_protected(bool on);
  bool locked(CellPos p) const;
  bool user_can_edit(CellPos p) const;

  // Cursor.
  Range active_cell();
  Range selection();
  void select(const CellArea& area);  // raises selection change

  // The grid's event switch and events.
  bool enable_events() const;
  void set_enable_events(bool on);
  SheetEvents& events();
  SheetViewHooks& view_hooks();

  // Scroll position of the view, in pixels; positions of cells in the view subtract it.
  void set_scroll_position(int x, int y);
  int view_left(CellPos p) const;
  int view_top(CellPos p) const;

  // Entry points for the view; each raises the events a user action raises.
  bool user_begin_edit(CellPos p);                  // edit start; false on a locked cell
  bool user_edit(CellPos p, const QString& text);   // content change; false if refused
  void user_key(int key_code);                      // on the selection; Delete clears one cell
  void user_click(CellPos p);                       // moves the cursor, then click
  void user_double_click(CellPos p, int x, int y);  // pointer in pixels
  void user_select(const CellArea& area);           // selection change
  void user_scroll(int x, int y);                   // new scroll position; scrolled
  void user_focus_in();
  void user_focus_out();

  // Evaluates a formula text as if it stood in cell `at`, without storing it.
  CellValue evaluate(const QString& formula, CellPos at) const;

  struct Data;

 private:
  std::unique_ptr<Data> d_;
};

}  // namespace vemo

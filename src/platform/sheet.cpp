// The sheet's public operations over its cell storage.
#include "platform/sheet.h"

#include "platform/formula_parser.h"
#include "platform/formula_refs.h"
#include "platform/number_format.h"
#include "platform/number_text.h"
#include "platform/row_fit.h"
#include "platform/sheet_data.h"

#include <algorithm>
#include <climits>

namespace vemo {

namespace {

bool valid_area(const CellArea& a) {
  return is_valid_pos(a.first()) && is_valid_pos({a.bottom, a.right}) && a.top <= a.bottom &&
         a.left <= a.right;
}

int clamp_size(int pixels) { return std::clamp(pixels, 0, 10000); }

}  // namespace

Sheet::Sheet() : d_(std::make_unique<Data>(*this)) {}
Sheet::~Sheet() = default;

QString Sheet::name() const { return d_->name; }
void Sheet::set_name(const QString& name) { d_->name = name; }

void Sheet::clear() {
  d_->rows.clear();
  d_->formats.clear();
  d_->merges.clear();
  d_->merge_at.clear();
  d_->column_widths.clear();
  d_->row_heights.clear();
  d_->graph.clear();
  d_->is_protected = false;
  d_->selection = CellArea();
  d_->active = CellPos();
  d_->scroll_x = d_->scroll_y = 0;
  if (d_->hooks.layout_changed) d_->hooks.layout_changed();
}

Range Sheet::range(const QString& address) {
  const auto area = parse_area_address(address);
  if (!area) {
    log_skip("sheet", QStringLiteral("range \"%1\"").arg(address), "not a cell address");
    return Range();
  }
  return Range(this, d_->grow(*area));
}

Range Sheet::range(const CellArea& area) {
  if (!valid_area(area)) {
    log_skip("sheet",
             QStringLiteral("range R%1C%2:R%3C%4")
                 .arg(area.top)
                 .arg(area.left)
                 .arg(area.bottom)
                 .arg(area.right),
             "outside the sheet");
    return Range();
  }
  return Range(this, d_->grow(area));
}

Range Sheet::cell(int row, int col) { return range(CellArea::of({row, col})); }

CellValue Sheet::value(CellPos p) const {
  const CellArea* merged = d_->merge_of(p);
  return d_->value(merged ? merged->first() : p);
}

bool Sheet::has_formula(CellPos p) const {
  const CellArea* merged = d_->merge_of(p);
  const StoredCell* cell = d_->find(merged ? merged->first() : p);
  return cell && cell->formula;
}

QString Sheet::formula(CellPos p) const {
  const CellArea* merged = d_->merge_of(p);
  const CellPos at = merged ? merged->first() : p;
  const StoredCell* cell = d_->find(at);
  if (!cell) return QString();
  if (cell->formula) return cell->formula->text;
  const QString text = cell->value.to_text();
  // A text that would not read back as itself carries the quote that keeps it text, so that
  // writing a cell's formula back never changes the cell.
  if (cell->value.is_text() && !d_->formats.get(cell->format).is_text_format() &&
      (text.startsWith('=') || text.startsWith('\'') || is_number_text(text)))
    return '\'' + text;
  return text;
}

QString Sheet::display_text(CellPos p) const {
  const CellArea* merged = d_->merge_of(p);
  const CellPos at = merged ? merged->first() : p;
  return vemo::display_text(d_->value(at), format(at).number_format);
}

const CellFormat& Sheet::format(CellPos p) const {
  const StoredCell* cell = d_->find(p);
  return d_->formats.get(cell ? cell->format : 0);
}

void Sheet::write_input(const CellArea& area, const QString& input) {
  if (!valid_area(area)) return;
  const CellArea a = d_->clip_large(d_->grow(area));
  std::vector<CellPos> changed;
  d_->for_each_unit(a,
                    [&](const CellArea& unit) { d_->store_input(unit.first(), input, changed); });
  d_->finish_write(a, changed);
}

void Sheet::write_value(const CellArea& area, const CellValue& value) {
  if (!valid_area(area)) return;
  const CellArea a = d_->clip_large(d_->grow(area));
  std::vector<CellPos> changed;
  d_->for_each_unit(a,
                    [&](const CellArea& unit) { d_->store_value(unit.first(), value, changed); });
  d_->finish_write(a, changed);
}

void Sheet::write_formula(const CellArea& area, const QString& formula) {
  if (!valid_area(area)) return;
  const CellArea a = d_->clip_large(d_->grow(area));
  std::vector<CellPos> changed;
  // Several cells get the formula as if it were copied from the first one.
  d_->for_each_unit(a, [&](const CellArea& unit) {
    const QString moved = offset_formula(formula, unit.top - a.top, unit.left - a.left);
    d_->store_formula(unit.first(), moved, changed);
  });
  d_->finish_write(a, changed);
}

void Sheet::set_format(const CellArea& area, const CellFormat& format) {
  update_format(area, [&](CellFormat& f) { f = format; });
}

void Sheet::update_format(const CellArea& area, const std::function<void(CellFormat&)>& change) {
  if (!valid_area(area)) return;
  const CellArea a = d_->clip_large(d_->grow(area));
  QHash<std::uint32_t, std::uint32_t> done;
  for (int r = a.top; r <= a.bottom; ++r)
    for (int c = a.left; c <= a.right; ++c) {
      StoredCell& cell = d_->touch({r, c});
      const auto it = done.constFind(cell.format);
      if (it != done.constEnd()) {
        cell.format = *it;
      } else {
        CellFormat f = d_->formats.get(cell.format);
        change(f);
        const std::uint32_t id = d_->formats.intern(f);
        done.insert(cell.format, id);
        cell.format = id;
      }
      d_->drop_if_blank({r, c});
    }
  if (d_->hooks.cells_changed) d_->hooks.cells_changed(a);
}

void Sheet::merge(const CellArea& area) {
  if (!valid_area(area)) return;
  if (static_cast<std::int64_t>(area.rows()) * area.columns() > kLargeMerge) {
    log_skip("sheet", "merge " + area_address_text(area), "area too large to merge");
    return;
  }
  std::erase_if(d_->merges, [&](const CellArea& m) { return m.intersects(area); });
  if (!area.single()) d_->merges.push_back(area);
  d_->rebuild_merge_index();
  // Only the top-left cell of a merged area keeps content.
  std::vector<CellPos> changed;
  for (int r = area.top; r <= area.bottom; ++r)
    for (int c = area.left; c <= area.right; ++c) {
      StoredCell* cell = d_->find({r, c});
      if ((r == area.top && c == area.left) || !cell || (cell->value.is_empty() && !cell->formula))
        continue;
      d_->store_value({r, c}, CellValue(), changed);
    }
  d_->recalculate(changed);
  d_->content_modified = false;
  if (d_->hooks.layout_changed) d_->hooks.layout_changed();
}

std::optional<CellArea> Sheet::merged_area(CellPos p) const {
  const CellArea* merged = d_->merge_of(p);
  if (!merged) return std::nullopt;
  return *merged;
}

std::vector<CellArea> Sheet::merged_areas() const { return d_->merges; }

CellArea Sheet::grow_to_merges(const CellArea& area) const { return d_->grow(area); }

int Sheet::unit_count(const CellArea& area) const {
  std::int64_t count = static_cast<std::int64_t>(area.rows()) * area.columns();
  for (const CellArea& m : d_->merges)
    if (m.intersects(area)) count -= static_cast<std::int64_t>(m.rows()) * m.columns() - 1;
  return static_cast<int>(std::min<std::int64_t>(count, INT_MAX));
}

std::optional<CellArea> Sheet::unit_at(const CellArea& area, int n) const {
  if (n < 1 || n > unit_count(area)) return std::nullopt;
  const bool plain = std::none_of(d_->merges.begin(), d_->merges.end(),
                                  [&](const CellArea& m) { return m.intersects(area); });
  if (plain) {
    const std::int64_t i = n - 1;
    return CellArea::of({area.top + static_cast<int>(i / area.columns()),
                         area.left + static_cast<int>(i % area.columns())});
  }
  std::optional<CellArea> found;
  int seen = 0;
  d_->for_each_unit(area, [&](const CellArea& unit) {
    if (++seen == n) found = unit;
  });
  return found;
}

int Sheet::column_width(int col) const {
  const auto i = static_cast<std::size_t>(col - 1);
  return col >= 1 && i < d_->column_widths.size() && d_->column_widths[i] > 0 ? d_->column_widths[i]
                                                                              : kDefaultColumnWidth;
}

void Sheet::set_column_width(int col, int width) {
  if (col < 1 || col > kMaxColumns) return;
  if (static_cast<int>(d_->column_widths.size()) < col) d_->column_widths.resize(col, 0);
  d_->column_widths[col - 1] = clamp_size(width);
  if (d_->hooks.layout_changed) d_->hooks.layout_changed();
}

int Sheet::row_height(int row) const {
  const auto i = static_cast<std::size_t>(row - 1);
  return row >= 1 && i < d_->row_heights.size() && d_->row_heights[i] > 0 ? d_->row_heights[i]
                                                                          : kDefaultRowHeight;
}

void Sheet::set_row_height(int row, int height) {
  if (row < 1 || row > kMaxRows) return;
  if (static_cast<int>(d_->row_heights.size()) < row) d_->row_heights.resize(row, 0);
  d_->row_heights[row - 1] = clamp_size(height);
  if (d_->hooks.layout_changed) d_->hooks.layout_changed();
}

int Sheet::column_left(int col) const {
  long long left = 0;
  for (int c = 1; c < col && c <= kMaxColumns; ++c) left += column_width(c);
  return static_cast<int>(std::min<long long>(left, INT_MAX));
}

int Sheet::row_top(int row) const {
  const int stored = static_cast<int>(d_->row_heights.size());
  const int last = std::min(row, kMaxRows + 1);
  long long top = static_cast<long long>(kDefaultRowHeight) * std::max(0, last - 1 - stored);
  for (int r = 1; r < last && r <= stored; ++r) top += row_height(r);
  return static_cast<int>(std::min<long long>(top, INT_MAX));
}

void Sheet::auto_fit_rows(int first_row, int last_row) {
  first_row = std::max(first_row, 1);
  // Rows past the used part hold nothing: they go back to the default height.
  auto& heights = d_->row_heights;
  for (int r = std::max(first_row, d_->used_rows() + 1);
       r <= std::min(last_row, static_cast<int>(heights.size())); ++r)
    heights[r - 1] = 0;
  last_row = std::min(last_row, d_->used_rows());
  for (int r = first_row; r <= last_row; ++r) {
    int height = kDefaultRowHeight;
    if (r <= static_cast<int>(d_->rows.size()))
      for (const StoredCell& cell : d_->rows[r - 1]) {
        const CellArea* merged = d_->merge_of({r, cell.col});
        if (merged && (merged->rows() > 1 || merged->left != cell.col)) continue;
        const QString text = display_text({r, cell.col});
        if (text.isEmpty()) continue;
        int width = 0;
        for (int c = cell.col; c <= (merged ? merged->right : cell.col); ++c)
          width += column_width(c);
        height = std::max(height, fitted_height(text, d_->formats.get(cell.format), width));
      }
    if (static_cast<int>(d_->row_heights.size()) < r) d_->row_heights.resize(r, 0);
    d_->row_heights[r - 1] = height;
  }
  if (d_->hooks.layout_changed) d_->hooks.layout_changed();
}

int Sheet::used_rows() const { return d_->used_rows(); }
int Sheet::used_columns() const { return d_->used_columns(); }

bool Sheet::is_protected() const { return d_->is_protected; }
void Sheet::set_protected(bool on) { d_->is_protected = on; }

bool Sheet::locked(CellPos p) const {
  const CellArea* merged = d_->merge_of(p);
  return format(merged ? merged->first() : p).locked;
}

bool Sheet::user_can_edit(CellPos p) const { return !d_->is_protected || !locked(p); }

Range Sheet::active_cell() { return range(CellArea::of(d_->active)); }
Range Sheet::selection() { return range(d_->selection); }

void Sheet::select(const CellArea& area) {
  if (!valid_area(area)) {
    log_skip("sheet", "select", "area outside the sheet");
    return;
  }
  const CellArea a = d_->grow(area);
  d_->selection = a;
  d_->active = a.first();
  if (d_->hooks.selection_moved) d_->hooks.selection_moved(a);
  d_->raise(d_->events.selection_changed, "selection changed", Range(this, a));
}

bool Sheet::enable_events() const { return d_->enable_events; }
void Sheet::set_enable_events(bool on) { d_->enable_events = on; }
SheetEvents& Sheet::events() { return d_->events; }
SheetViewHooks& Sheet::view_hooks() { return d_->hooks; }

void Sheet::set_scroll_position(int x, int y) {
  d_->scroll_x = std::max(0, x);
  d_->scroll_y = std::max(0, y);
}

int Sheet::view_left(CellPos p) const { return column_left(p.col) - d_->scroll_x; }
int Sheet::view_top(CellPos p) const { return row_top(p.row) - d_->scroll_y; }

CellValue Sheet::evaluate(const QString& formula, CellPos at) const {
  const FormulaTree tree = parse_formula(formula);
  for (const CellArea& area : formula_references(*tree))
    if (area.contains(at)) return CellValue::error("#CIRC!");
  return evaluate_formula(*tree, *d_);
}

}  // namespace vemo

// Copying areas and inserting rows, with formula references following the cells.
#include "platform/formula_parser.h"
#include "platform/formula_refs.h"
#include "platform/sheet_data.h"

#include <algorithm>

namespace vemo {

namespace {

struct CopiedCell {
  CellPos from;
  std::uint32_t format = 0;
  CellValue value;
  QString formula;
};

// How often the source fits into the destination along one side; 1 unless it fits exactly.
int repeats(int source, int destination) {
  return destination > source && destination % source == 0 ? destination / source : 1;
}

}  // namespace

void Sheet::copy(const CellArea& source, const CellArea& destination) {
  const Range src_range = range(source);
  const Range dst_range = range(destination);
  if (!src_range.valid() || !dst_range.valid()) return;
  const CellArea src = d_->clip_large(src_range.area());
  const CellArea dst = d_->clip_large(dst_range.area());

  // Take everything first: source and destination may overlap.
  std::vector<CopiedCell> cells;
  for (int r = src.top; r <= src.bottom; ++r)
    for (int c = src.left; c <= src.right; ++c) {
      CopiedCell copied;
      copied.from = {r, c};
      if (const StoredCell* cell = d_->find({r, c})) {
        copied.format = cell->format;
        copied.value = cell->value;
        if (cell->formula) copied.formula = cell->formula->text;
      }
      cells.push_back(std::move(copied));
    }
  std::vector<CellArea> inner_merges;
  for (const CellArea& m : d_->merges)
    if (m.intersects(src)) inner_merges.push_back(m);

  const int down = repeats(src.rows(), dst.rows());
  const int across = repeats(src.columns(), dst.columns());
  CellArea pasted{dst.top, dst.left, std::min(kMaxRows, dst.top + src.rows() * down - 1),
                  std::min(kMaxColumns, dst.left + src.columns() * across - 1)};
  if (!inner_merges.empty()) {
    std::erase_if(d_->merges, [&](const CellArea& m) { return m.intersects(pasted); });
    for (int i = 0; i < down; ++i)
      for (int j = 0; j < across; ++j)
        for (const CellArea& m : inner_merges) {
          const int dr = dst.top + i * src.rows() - src.top;
          const int dc = dst.left + j * src.columns() - src.left;
          const CellArea moved{m.top + dr, m.left + dc, m.bottom + dr, m.right + dc};
          if (is_valid_pos({moved.bottom, moved.right})) d_->merges.push_back(moved);
        }
    d_->rebuild_merge_index();
    if (d_->hooks.layout_changed) d_->hooks.layout_changed();
  }

  std::vector<CellPos> changed;
  for (int i = 0; i < down; ++i)
    for (int j = 0; j < across; ++j)
      for (const CopiedCell& copied : cells) {
        const int dr = dst.top + i * src.rows() - src.top;
        const int dc = dst.left + j * src.columns() - src.left;
        const CellPos to{copied.from.row + dr, copied.from.col + dc};
        if (!is_valid_pos(to)) continue;
        const CellArea* merged = d_->merge_of(to);
        const bool covered = merged && !(merged->first() == to);
        d_->touch(to).format = copied.format;
        if (covered) {
          d_->store_value(to, CellValue(), changed);
        } else if (!copied.formula.isEmpty()) {
          d_->store_formula(to, offset_formula(copied.formula, dr, dc), changed);
        } else {
          d_->store_value(to, copied.value, changed);
        }
      }
  d_->finish_write(pasted, changed);
}

void Sheet::insert_rows(int row, int count) {
  if (row < 1 || row > kMaxRows || count < 1) return;
  count = std::min(count, kMaxRows - row + 1);
  auto& rows = d_->rows;
  if (row - 1 < static_cast<int>(rows.size())) {
    rows.resize(rows.size() + count);
    std::rotate(rows.begin() + (row - 1), rows.end() - count, rows.end());
    // New rows look like the row above them, as in a spreadsheet.
    if (row > 1)
      for (int k = 0; k < count; ++k)
        for (const StoredCell& above : rows[row - 2])
          if (above.format != 0) {
            StoredCell cell;
            cell.col = above.col;
            cell.format = above.format;
            rows[row - 1 + k].push_back(std::move(cell));
          }
    if (static_cast<int>(rows.size()) > kMaxRows) rows.resize(kMaxRows);
  }
  auto& heights = d_->row_heights;
  if (row - 1 < static_cast<int>(heights.size())) {
    const int above = row > 1 ? heights[row - 2] : 0;
    heights.insert(heights.begin() + (row - 1), count, above);
    if (static_cast<int>(heights.size()) > kMaxRows) heights.resize(kMaxRows);
  }
  for (CellArea& m : d_->merges) {
    if (m.top >= row) m.top += count;
    if (m.bottom >= row) m.bottom += count;
  }
  std::erase_if(d_->merges, [](const CellArea& m) { return m.bottom > kMaxRows; });
  d_->rebuild_merge_index();
  for (CellRow& cells : rows)
    for (StoredCell& cell : cells)
      if (cell.formula) {
        cell.formula->text = shift_formula_rows(cell.formula->text, row, count);
        cell.formula->tree = parse_formula(cell.formula->text);
      }
  d_->rebuild_graph();
  d_->recalculate_all();
  if (d_->hooks.layout_changed) d_->hooks.layout_changed();
}

}  // namespace vemo

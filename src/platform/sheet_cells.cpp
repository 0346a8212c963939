// Cell storage of the sheet: lookup, merged areas, and storing inputs, values and formulas.
#include "platform/formula_parser.h"
#include "platform/sheet_data.h"

#include <algorithm>

namespace vemo {

namespace {

auto column_less = [](const StoredCell& cell, int col) { return cell.col < col; };

}  // namespace

const StoredCell* Sheet::Data::find(CellPos p) const {
  if (p.row < 1 || p.row > static_cast<int>(rows.size())) return nullptr;
  const CellRow& row = rows[p.row - 1];
  const auto it = std::lower_bound(row.begin(), row.end(), p.col, column_less);
  return it != row.end() && it->col == p.col ? &*it : nullptr;
}

StoredCell* Sheet::Data::find(CellPos p) {
  return const_cast<StoredCell*>(std::as_const(*this).find(p));
}

StoredCell& Sheet::Data::touch(CellPos p) {
  if (p.row > static_cast<int>(rows.size())) rows.resize(p.row);
  CellRow& row = rows[p.row - 1];
  auto it = std::lower_bound(row.begin(), row.end(), p.col, column_less);
  if (it != row.end() && it->col == p.col) return *it;
  StoredCell cell;
  cell.col = p.col;
  return *row.insert(it, std::move(cell));
}

void Sheet::Data::drop_if_blank(CellPos p) {
  if (p.row < 1 || p.row > static_cast<int>(rows.size())) return;
  CellRow& row = rows[p.row - 1];
  const auto it = std::lower_bound(row.begin(), row.end(), p.col, column_less);
  if (it != row.end() && it->col == p.col && it->blank()) row.erase(it);
}

CellValue Sheet::Data::value(CellPos p) const {
  const StoredCell* cell = find(p);
  return cell ? cell->value : CellValue();
}

void Sheet::Data::for_each_value(const CellArea& area,
                                 const std::function<void(const CellValue&)>& visit) const {
  const int last = std::min(area.bottom, static_cast<int>(rows.size()));
  for (int r = area.top; r <= last; ++r) {
    const CellRow& row = rows[r - 1];
    for (auto it = std::lower_bound(row.begin(), row.end(), area.left, column_less);
         it != row.end() && it->col <= area.right; ++it)
      if (!it->value.is_empty()) visit(it->value);
  }
}

const CellArea* Sheet::Data::merge_of(CellPos p) const {
  const auto it = merge_at.constFind(cell_key(p));
  return it == merge_at.constEnd() ? nullptr : &merges[*it];
}

CellArea Sheet::Data::grow(const CellArea& area) const {
  if (area.single()) {
    const CellArea* merged = merge_of(area.first());
    return merged ? *merged : area;
  }
  CellArea grown = area;
  for (bool changed = true; changed;) {
    changed = false;
    for (const CellArea& m : merges) {
      if (!m.intersects(grown)) continue;
      const CellArea joined{std::min(grown.top, m.top), std::min(grown.left, m.left),
                            std::max(grown.bottom, m.bottom), std::max(grown.right, m.right)};
      if (!(joined == grown)) {
        grown = joined;
        changed = true;
      }
    }
  }
  return grown;
}

void Sheet::Data::rebuild_merge_index() {
  merge_at.clear();
  for (int i = 0; i < static_cast<int>(merges.size()); ++i) {
    const CellArea& m = merges[i];
    for (int r = m.top; r <= m.bottom; ++r)
      for (int c = m.left; c <= m.right; ++c) merge_at.insert(cell_key({r, c}), i);
  }
}

void Sheet::Data::for_each_unit(const CellArea& area,
                                const std::function<void(const CellArea&)>& visit) const {
  for (int r = area.top; r <= area.bottom; ++r)
    for (int c = area.left; c <= area.right; ++c) {
      const CellArea* merged = merge_of({r, c});
      if (!merged) {
        visit(CellArea::of({r, c}));
      } else if (merged->top == r && merged->left == c) {
        visit(*merged);
      }
    }
}

CellArea Sheet::Data::clip_large(const CellArea& area) const {
  const bool large = static_cast<std::int64_t>(area.rows()) * area.columns() > kLargeArea;
  CellArea clipped = area;
  if (large || area.bottom == kMaxRows)
    clipped.bottom = std::min(area.bottom, std::max(area.top, used_rows()));
  if (large || area.right == kMaxColumns)
    clipped.right = std::min(area.right, std::max(area.left, used_columns()));
  return clipped;
}

int Sheet::Data::used_rows() const {
  int last = static_cast<int>(rows.size());
  while (last > 0 && rows[last - 1].empty()) --last;
  for (const CellArea& m : merges) last = std::max(last, m.bottom);
  return last;
}

int Sheet::Data::used_columns() const {
  int last = 0;
  for (const CellRow& row : rows)
    if (!row.empty()) last = std::max(last, row.back().col);
  for (const CellArea& m : merges) last = std::max(last, m.right);
  return last;
}

void Sheet::Data::drop_formula(StoredCell& cell, CellPos p) {
  if (!cell.formula) return;
  cell.formula.reset();
  graph.remove(p);
}

void Sheet::Data::store_value(CellPos p, const CellValue& v, std::vector<CellPos>& changed) {
  StoredCell& cell = touch(p);
  if (cell.formula || !(cell.value == v)) content_modified = true;
  drop_formula(cell, p);
  cell.value = v;
  changed.push_back(p);
  drop_if_blank(p);
}

void Sheet::Data::store_input(CellPos p, const QString& input, std::vector<CellPos>& changed) {
  const StoredCell* cell = find(p);
  if (cell && formats.get(cell->format).is_text_format()) {
    store_value(p, CellValue::text(input.startsWith('\'') ? input.mid(1) : input), changed);
  } else if (input.size() > 1 && input.startsWith('=')) {
    store_formula(p, input, changed);
  } else {
    store_value(p, value_from_input(input), changed);
  }
}

void Sheet::Data::store_formula(CellPos p, const QString& formula, std::vector<CellPos>& changed) {
  const StoredCell* existing = find(p);
  const bool text_cell = existing && formats.get(existing->format).is_text_format();
  // A cell formatted as text keeps even a formula as its text.
  if (formula.size() < 2 || !formula.startsWith('=') || text_cell) {
    store_input(p, formula, changed);
    return;
  }
  auto stored = std::make_unique<StoredFormula>();
  stored->text = formula;
  stored->tree = parse_formula(formula);
  const auto references = formula_references(*stored->tree);
  StoredCell& cell = touch(p);
  if (!cell.formula || cell.formula->text != formula) content_modified = true;
  cell.formula = std::move(stored);
  graph.set(p, references);
  changed.push_back(p);
}

}  // namespace vemo

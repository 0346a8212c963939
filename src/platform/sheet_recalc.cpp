// Recalculation: only the formulas that depend on what changed, in dependency order.
#include "platform/formula_parser.h"
#include "platform/sheet_data.h"

#include <algorithm>

namespace vemo {

void Sheet::Data::recalculate(const std::vector<CellPos>& changed) {
  if (changed.empty()) return;
  const DependencyGraph::Order order = graph.recalc_order(changed);
  // Cells on a cycle first: the formulas they feed read their error value.
  for (const CellPos p : order.cyclic) {
    StoredCell* cell = find(p);
    if (!cell || !cell->formula) continue;
    cell->value = CellValue::error("#CIRC!");
    log_debug("sheet", QStringLiteral("circular reference through %1").arg(cell_address_text(p)));
  }
  for (const CellPos p : order.ordered) {
    StoredCell* cell = find(p);
    if (cell && cell->formula) cell->value = evaluate_formula(*cell->formula->tree, *this);
  }
  if (hooks.cells_changed && (!order.ordered.empty() || !order.cyclic.empty())) {
    CellArea touched = CellArea::of(order.ordered.empty() ? order.cyclic[0] : order.ordered[0]);
    for (const auto* list : {&order.ordered, &order.cyclic})
      for (const CellPos p : *list)
        touched = {std::min(touched.top, p.row), std::min(touched.left, p.col),
                   std::max(touched.bottom, p.row), std::max(touched.right, p.col)};
    hooks.cells_changed(touched);
  }
}

void Sheet::Data::rebuild_graph() {
  graph.clear();
  for (int r = 1; r <= static_cast<int>(rows.size()); ++r)
    for (const StoredCell& cell : rows[r - 1])
      if (cell.formula) graph.set({r, cell.col}, formula_references(*cell.formula->tree));
}

void Sheet::Data::recalculate_all() {
  std::vector<CellPos> formulas;
  for (int r = 1; r <= static_cast<int>(rows.size()); ++r)
    for (const StoredCell& cell : rows[r - 1])
      if (cell.formula) formulas.push_back({r, cell.col});
  recalculate(formulas);
}

void Sheet::Data::finish_write(const CellArea& area, const std::vector<CellPos>& changed) {
  const bool modified = content_modified;
  content_modified = false;
  recalculate(changed);
  if (hooks.cells_changed) hooks.cells_changed(area);
  // A handler that writes the same content back into the cell it is being told about (as the
  // formula re-entry does) would otherwise be told again, without end.
  if (!modified && std::find(delivering.begin(), delivering.end(), area) != delivering.end()) {
    log_debug("sheet", "unchanged rewrite of " + area_address_text(area) + " inside its own event");
    return;
  }
  delivering.push_back(area);
  raise(events.content_changed, "content changed", range(area));
  delivering.pop_back();
}

}  // namespace vemo

// Inside of a Sheet: sparse rows of small cells, shared formats, merged areas, the
// dependency graph and the event plumbing. Only the sheet's own sources include this.
#pragma once

#include "platform/dependency_graph.h"
#include "platform/format_table.h"
#include "platform/formula_ast.h"
#include "platform/formula_eval.h"
#include "platform/log.h"
#include "platform/sheet.h"

#include <QHash>

#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

namespace vemo {

struct StoredFormula {
  QString text;  // as written, with its "="
  FormulaTree tree;
};

struct StoredCell {
  int col = 0;
  std::uint32_t format = 0;
  CellValue value;
  std::unique_ptr<StoredFormula> formula;

  bool blank() const { return format == 0 && value.is_empty() && !formula; }
};

// Cells of one row, sorted by column.
using CellRow = std::vector<StoredCell>;

// Events nested deeper than this are dropped: a handler that rewrites the cell it was told
// about would otherwise recurse until the stack ends.
inline constexpr int kMaxEventDepth = 32;

// Areas larger than this, and whole rows or columns, are cut to the used part of the sheet
// before cell-by-cell work: formatting entire rows must not create a cell in every column.
inline constexpr std::int64_t kLargeArea = 1000000;

// No page merges more cells than this; larger merges are refused.
inline constexpr std::int64_t kLargeMerge = 100000;

struct Sheet::Data final : FormulaCells {
  explicit Data(Sheet& owner) : sheet(owner) {}

  Sheet& sheet;
  QString name;
  std::vector<CellRow> rows;  // index row - 1
  FormatTable formats;
  std::vector<CellArea> merges;
  QHash<std::uint64_t, int> merge_at;  // every covered cell -> index in merges
  std::vector<int> column_widths;      // 0: default
  std::vector<int> row_heights;        // 0: default
  bool is_protected = false;
  bool enable_events = true;
  CellArea selection;
  CellPos active;
  int scroll_x = 0;
  int scroll_y = 0;
  SheetEvents events;
  SheetViewHooks hooks;
  int event_depth = 0;
  // Set by the store functions when a cell's content really changed.
  bool content_modified = false;
  // Areas whose content change is being delivered right now.
  std::vector<CellArea> delivering;
  DependencyGraph graph;

  // FormulaCells
  CellValue value(CellPos p) const override;
  void for_each_value(const CellArea& area,
                      const std::function<void(const CellValue&)>& visit) const override;

  const StoredCell* find(CellPos p) const;
  StoredCell* find(CellPos p);
  StoredCell& touch(CellPos p);
  void drop_if_blank(CellPos p);

  // Merged areas.
  const CellArea* merge_of(CellPos p) const;
  CellArea grow(const CellArea& area) const;
  void rebuild_merge_index();
  // Calls `visit` with every cell of the area, a merged area once at its top-left corner.
  void for_each_unit(const CellArea& area, const std::function<void(const CellArea&)>& visit) const;
  CellArea clip_large(const CellArea& area) const;

  // Content of one cell; the changed cells are collected for recalculation.
  void store_input(CellPos p, const QString& input, std::vector<CellPos>& changed);
  void store_value(CellPos p, const CellValue& v, std::vector<CellPos>& changed);
  void store_formula(CellPos p, const QString& formula, std::vector<CellPos>& changed);
  void drop_formula(StoredCell& cell, CellPos p);

  // Recomputes every formula that depends on `changed` (and those among them).
  void recalculate(const std::vector<CellPos>& changed);
  void recalculate_all();
  void rebuild_graph();

  int used_rows() const;
  int used_columns() const;

  // The end of every programmatic content write: recalculation, view, event.
  void finish_write(const CellArea& area, const std::vector<CellPos>& changed);

  Range range(const CellArea& area) { return Range(&sheet, area); }

  template <typename Handler, typename... Args>
  void raise(const Handler& handler, const char* what, Args&&... args) {
    if (!enable_events || !handler) return;
    if (event_depth >= kMaxEventDepth) {
      log_skip("sheet", QStringLiteral("event %1").arg(what), "events nested too deep");
      return;
    }
    const Handler copy = handler;  // a handler may replace itself
    ++event_depth;
    try {
      copy(std::forward<Args>(args)...);
    } catch (const std::exception& e) {
      log_skip("sheet", QStringLiteral("event %1").arg(what), QString::fromUtf8(e.what()));
    } catch (...) {
      log_skip("sheet", QStringLiteral("event %1").arg(what), "unknown exception");
    }
    --event_depth;
  }
};

}  // namespace vemo

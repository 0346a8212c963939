// Formula propagation through the cell map.
#include "document/recalc.h"

#include "document/catalog.h"
#include "document/cell_map.h"
#include "document/cell_save.h"
#include "document/references.h"
#include "platform/capital_numerals.h"
#include "platform/log.h"

#include <vector>

namespace vemo {
namespace {

constexpr size_t kMaxPending = 1000;
const QString kWhere = QStringLiteral("recalc");

struct Pending {
  QString address;
  int depth = 0;
};

// Writes the cell's amount in capital numerals into the target and stores it.
void write_capital(Session& session, Sheet& sheet, const QString& cell, const QString& target,
                   const QString& unit_template) {
  const Range destination = sheet.range(target);
  const auto amount = sheet.range(cell).value().to_number();
  if (!destination.valid() || !amount) {
    log_skip(kWhere, target, QStringLiteral("no amount or no target cell"));
  } else {
    destination.set_value(capital_amount(*amount, unit_template));
  }
  save_cell(session, session.main_conn, sheet, target,
            read_page_ysth(session, session.main_conn, sheet));
}

// Stores a formula cell of the map and, when it has a unit template, its capital amount.
void store_cell(Session& session, Sheet& sheet, const MapRow& row, recalc_result& result) {
  const QString cell = reference_address(row.exceldz);
  session.current_ysth = read_page_ysth(session, session.main_conn, sheet);
  save_cell(session, session.main_conn, sheet, cell, session.current_ysth);
  if (!row.dw.isEmpty()) {
    write_capital(session, sheet, cell, reference_address(row.zhxdz), row.dw);
    result.amount_written = true;
  }
}

}  // namespace

recalc_result recalc_dependents(Session& session, Sheet& sheet, const QString& address) {
  recalc_result result;
  const std::vector<MapRow> rows = read_cell_map(session, session.main_conn, sheet.name(),
                                                 QStringLiteral(" where jsbds<>'nullstring'"));
  const int longest_chain = static_cast<int>(rows.size()) + 1;
  std::vector<Pending> stack;
  Pending current{address.section(':', 0, 0), 0};
  bool cycle_logged = false;
  for (;;) {
    const QString changed = current.address.toLower();
    for (const MapRow& row : rows) {
      const QString cell = reference_address(row.exceldz);
      // A plain text test, as the maps are written for it: "C5" also finds "C50".
      if (!changed.isEmpty() && row.jsbds.toLower().contains(changed)) {
        sheet.set_enable_events(false);
        result.formula_touched = true;
        if (current.depth + 1 > longest_chain) {
          if (!cycle_logged)
            log_skip(kWhere, cell, QStringLiteral("formulas of the map form a cycle"));
          cycle_logged = true;
        } else if (stack.size() < kMaxPending) {
          stack.push_back({cell, current.depth + 1});
        }
        sheet.range(cell).set_formula(row.jsbds);
        store_cell(session, sheet, row, result);
        sheet.set_enable_events(true);
      }
      if (current.address == cell && !row.jsbds.isEmpty()) {
        sheet.set_enable_events(false);
        result.formula_touched = true;
        store_cell(session, sheet, row, result);
        sheet.set_enable_events(true);
      }
    }
    if (stack.empty()) break;
    current = stack.back();
    stack.pop_back();
  }
  return result;
}

}  // namespace vemo

// Commit after an edit, and the cell actions.
#include "document/cell_commit.h"

#include "data/connections.h"
#include "document/catalog.h"
#include "document/cell_map.h"
#include "document/cell_save.h"
#include "document/next_input_cell.h"
#include "document/recalc.h"
#include "document/references.h"
#include "platform/capital_numerals.h"
#include "platform/log.h"
#include "platform/recordset.h"
#include "platform/sql_text.h"
#include "reports/report_engine.h"

namespace vemo {
namespace {

const QString kWhere = QStringLiteral("commit");

QString cell_action(Session& session, const QString& reference, bool* found) {
  auto rs = open_table(session, session.main_conn, QStringLiteral("cellact"));
  rs->SetFilter(QStringLiteral("exceldz =") + sql_quote(reference));
  *found = rs->IsOpen() && !rs->Eof();
  return *found ? rs->Text(QStringLiteral("act")) : QString();
}

void reload_page(Session& session, Sheet& sheet, const QString& key) {
  sheet.set_enable_events(false);
  if (!session.form1.edit_ysth.isEmpty()) clear_output_cells(session, session.main_conn, sheet);
  run_sheet_queries(session, session.main_conn, key, sheet);
  sheet.set_enable_events(true);
}

void capital_copy(Session& session, Sheet& sheet, const Range& event_range) {
  auto rs = open_table(session, session.main_conn, QStringLiteral("celldxx"));
  if (!rs->IsOpen()) return;
  rs->MoveFirst();
  if (!rs->Find(QStringLiteral("exceldz1 =") +
                sql_quote(cell_reference(sheet.name(), event_range.address()))))
    return;
  const Range target = sheet.range(reference_address(rs->Text(QStringLiteral("exceldz2"))));
  const auto amount = event_range.value().to_number();
  if (!target.valid() || !amount) {
    log_skip(kWhere, event_range.address(), QStringLiteral("no amount or no capital cell"));
    return;
  }
  target.set_value(capital_amount_fixed(*amount));
}

}  // namespace

void run_cell_actions(Session& session, const Range& event_range) {
  Sheet& sheet = *event_range.sheet();
  sheet.set_enable_events(false);
  const QString key = read_page_ysth(session, session.main_conn, sheet);
  bool has_action = false;
  const QString act = cell_action(
      session, cell_reference(sheet.name(), event_range.cell(1).address()), &has_action);
  if (!has_action || act == kActWriteMdb) {
    if (key.isEmpty()) {
      session.prompts->tell(kEnterWaybillFirst);
      sheet.set_enable_events(true);
      session.form1.List1.visible = false;
      return;
    }
    if (has_action) reload_page(session, sheet, key);
    save_edited_cell(session, session.main_conn, sheet, event_range, key);
  } else if (act == kActWriteCell) {
    reload_page(session, sheet, key);
  } else {
    log_debug(kWhere, QStringLiteral("unknown cell action ") + act);
  }
  capital_copy(session, sheet, event_range);
  sheet.set_enable_events(true);
}

void commit_cell_edit(Session& session, const Range& event_range) {
  if (session.sheet_edit_mode != kEditGuardArmed || !event_range.valid()) return;
  Sheet& sheet = *event_range.sheet();
  DbConn& conn = session.main_conn;
  sheet.set_enable_events(false);
  const QString address = event_range.address();
  const std::vector<MapRow> map = read_cell_map(session, conn, sheet.name());
  const MapRow* row = match_map_row(map, event_range.area().first());
  const QString next = next_input_cell(session, conn, sheet, event_range, row);

  // Typing the page's own number again leaves the cursor where it is.
  const QString value = event_range.text();
  if (value.toLower() != session.current_ysth.toLower() || value.trimmed().isEmpty()) {
    if (!next.isEmpty()) sheet.range(next).select();
    session.pump();
  }
  session.pump();
  run_cell_actions(session, event_range);
  session.pump();

  sheet.set_enable_events(false);
  const recalc_result recalc = recalc_dependents(session, sheet, address);
  session.pump();

  // A typed amount outside any formula gets its capital amount here.
  if (!recalc.formula_touched && row != nullptr && !row->zhxdz.isEmpty() && !row->dw.isEmpty()) {
    if (!event_range.formula().isEmpty())
      save_cell(session, conn, sheet, address, read_page_ysth(session, conn, sheet));
    const auto target = parse_area_address(row->zhxdz);
    if (!target) {
      log_skip(kWhere, row->zhxdz, QStringLiteral("capital target is not an address"));
    } else {
      const auto amount = event_range.value().to_number();
      if (amount) sheet.range(*target).set_value(capital_amount(*amount, row->dw));
      save_cell(session, conn, sheet, row->zhxdz, read_page_ysth(session, conn, sheet));
    }
  }
  sheet.set_enable_events(true);
  session.pump();
}

}  // namespace vemo

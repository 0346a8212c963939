// What the page does on a key: Delete over several cells, Enter, and the Alt jumps between
// a waybill and its freight ticket.

#include "document/catalog.h"
#include "document/cell_commit.h"
#include "document/cell_map.h"
#include "document/cell_save.h"
#include "document/open_document.h"
#include "document/page_save.h"
#include "document/recalc.h"
#include "platform/log.h"
#include "platform/sheet.h"
#include "platform/sheet_events.h"
#include "reports/report_engine.h"
#include "sheet/page_events.h"

namespace vemo {

namespace {

const QString kWhere = QStringLiteral("key handling");

// The part of a qualified address ("货物运单.F11") after its first ".".
QString plain_address(const QString& reference) {
  const int dot = reference.indexOf('.');
  return dot < 0 ? reference : reference.mid(dot + 1);
}

void delete_cells(Session& session, const Range& range) {
  Sheet& sheet = *range.sheet();
  DbConn& conn = session.main_conn;
  session.sheet_edit_mode = kEditGuardDisarmed;
  const int n = range.count();
  for (int i = 1; i <= n; ++i) {
    const Range cell = range.cell(i);
    const QString key = read_page_ysth(session, conn, sheet);
    if (cell.value().is_empty()) continue;
    sheet.set_enable_events(false);
    cell.clear_contents();
    const QString address = cell.address();
    const map_row_info row = find_map_row(session, conn, sheet, address);
    const recalc_result recalc = recalc_dependents(session, sheet, address);
    save_cell(session, conn, sheet, address, key);
    // A cleared amount leaves a stroke in its capital cell, so no old amount is shown.
    if (!row.zhxdz.isEmpty() && !recalc.amount_written) {
      const QString target = plain_address(row.zhxdz);
      sheet.set_enable_events(false);
      sheet.range(target).set_value(QStringLiteral("/"));
      save_cell(session, conn, sheet, target, key);
    }
    sheet.set_enable_events(true);
  }
}

// Opens the other page of the pair for the number, fills it and sets manual save. All of it
// is a load, not an edit: no write of it is processed as typed. The page is left with its
// events on, so that it is never deaf to the next edit.
void jump_to(Session& session, const QString& document, const QString& number, bool manual_save) {
  Sheet& sheet = session.Spreadsheet1;
  if (!open_document(session, document)) {
    log_skip(kWhere, document, QStringLiteral("the document could not be opened"));
  } else {
    sheet.set_enable_events(false);
    run_sheet_queries(session, session.main_conn, number, sheet);
    set_check2(session, manual_save);
    session.form1.CommandButton1.visible = manual_save;
  }
  sheet.set_enable_events(true);
}

}  // namespace

void on_key_pressed(Session& session, const Range& range, int key_code) {
  if (!range.valid()) return;
  // Keys on a formula cell are the grid's business.
  if (holds_formula(range)) return;
  Sheet& sheet = *range.sheet();
  session.pump();
  session.form1.List1.visible = false;

  if (key_code == kKeyDelete && range.count() > 1) delete_cells(session, range);
  if (key_code == kKeyEnter) {
    if (session.sheet_edit_mode == kEditGuardArmed) commit_cell_edit(session, range);
    session.sheet_edit_mode = kEditGuardArmed;
  }
  if (key_code == kKeyAlt && sheet.name() == kWaybillDocument) {
    const QString number = sheet.range(QStringLiteral("m2")).text().trimmed();
    if (!number.isEmpty()) {
      jump_to(session, kTicketDocument, number, true);
    }
    return;
  }
  if (key_code == kKeyAlt && sheet.name() == kTicketDocument) {
    const QString number = sheet.range(QStringLiteral("G4:H4")).text().trimmed();
    if (!number.isEmpty()) {
      jump_to(session, kWaybillDocument, number, false);
    }
  }
  session.sheet_edit_mode = kEditGuardArmed;
}

}  // namespace vemo

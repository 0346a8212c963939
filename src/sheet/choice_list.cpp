// Choice lists: the pop-up tables, List1, the pick and the copy to all documents.

#include "sheet/choice_list.h"

#include "data/connections.h"
#include "document/catalog.h"
#include "document/cell_save.h"
#include "platform/log.h"
#include "platform/sheet.h"
#include "platform/sql_text.h"
#include "reports/report_engine.h"
#include "sheet/page_events.h"
#include "sheet/party_lookup.h"

namespace vemo {

namespace {

const QString kWhere = QStringLiteral("choice list");
const QString kTitleColon = QStringLiteral("：");

}  // namespace

QString popup_table(const QString& document) { return document + QStringLiteral("_pop"); }

QStringList split_list_text(const QString& popnr) {
  QStringList items;
  int start = 0;
  for (int comma = popnr.indexOf(','); comma >= 0; comma = popnr.indexOf(',', start)) {
    items << popnr.mid(start, comma - start);
    start = comma + 1;
  }
  return items;
}

void fill_choice_list(Session& session, const QString& document, const QString& cell) {
  ListBoxModel& list = session.form1.List1;
  list.clear();
  auto rs = open_table(session, session.main_conn, popup_table(document));
  if (!rs->IsOpen()) {
    log_skip(kWhere, popup_table(document), QStringLiteral("no pop-up table"));
    return;
  }
  rs->MoveFirst();
  if (!rs->Find(QStringLiteral("exceldz =") + sql_quote(cell))) return;
  list.items = split_list_text(rs->Text(QStringLiteral("popnr")));
}

void pick_choice(Session& session, const QString& line) {
  MainWindowModel& form = session.form1;
  Sheet& sheet = session.Spreadsheet1;
  DbConn& conn = session.main_conn;
  form.List1.visible = false;
  sheet.set_enable_events(false);

  const Range cell = sheet.range(form.list_cell);
  cell.set_locked(false);
  const int dot = line.indexOf('.');
  cell.set_value(QStringLiteral("'") + line.mid(dot + 1));

  const QString document = sheet.name();
  const QString key = read_page_ysth(session, conn, sheet).trimmed();
  const int star = key.indexOf('*');
  const auto catalog = read_catalog_row(session, conn, document);
  const bool has_template = catalog && !catalog->gjz.isEmpty();
  if (star < 0 || has_template) save_edited_cell(session, conn, sheet, form.list_range, key);

  const bool key_incomplete = key.startsWith('*') || key.endsWith('*') || key.contains("**");
  if (key_incomplete) {
    sheet.set_enable_events(true);
  } else if (star >= 0 && star < key.size() - 1 && !has_template) {
    clear_output_cells(session, conn, sheet);
    run_sheet_queries(session, conn, key, sheet);
  }

  run_party_lookup_for(session, sheet, LookupTrigger::Picked);
  const QString picked = form.list_cell.toUpper();
  if (document == kWaybillDocument && picked != QStringLiteral("M2") &&
      picked != QStringLiteral("C5:D5"))
    fill_departure_station(session, sheet);
  sheet.set_enable_events(true);
}

void copy_lists_to_all(Session& session, const QString& shown_table) {
  const QString document = session.Spreadsheet1.name();
  if (shown_table.compare(popup_table(document), Qt::CaseInsensitive) != 0) return;
  if (!session.prompts->confirm(kUpdateAllQuestion)) return;
  auto source = open_query(session, session.main_conn,
                           QStringLiteral("select * from ") + popup_table(document));
  for (const TreeNode& node : session.form1.TreeView1) {
    if (node.text == document) continue;
    auto target = open_table(session, session.main_conn, popup_table(node.text));
    if (!target->IsOpen()) {
      log_skip(kWhere, popup_table(node.text), QStringLiteral("no pop-up table"));
      continue;
    }
    for (target->MoveFirst(); !target->Eof(); target->MoveNext()) {
      const QString popnr = target->Text(QStringLiteral("popnr"));
      const int colon = popnr.indexOf(kTitleColon);
      if (colon < 0) continue;
      const QString title = popnr.left(colon + 1);
      source->MoveFirst();
      // The title is quoted: an apostrophe in it must not break the criteria.
      if (!source->Find(QStringLiteral("popnr like ") + sql_quote(title + "*"))) continue;
      target->SetValue(QStringLiteral("popnr"), source->Text(QStringLiteral("popnr")));
      if (!target->Update()) {
        log_skip(kWhere, popup_table(node.text), target->ErrorString());
        continue;
      }
      submit_changes(session, *target);
    }
  }
  session.prompts->tell(kUpdateDone);
}

}  // namespace vemo

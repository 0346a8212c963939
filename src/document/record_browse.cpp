// Record browsing over the key columns of the page's cell map.

#include "document/record_browse.h"

#include "data/connections.h"
#include "platform/log.h"
#include "platform/sheet.h"
#include "platform/sql_text.h"

#include <QStringList>

#include <vector>

namespace vemo {

namespace {

const QString kWhere = QStringLiteral("browse");
constexpr int kMaxKeyCells = 20;

struct KeyCell {
  QString table;
  QString column;
  QString address;
};

std::vector<KeyCell> key_cells(Session& session, DbConn& conn, const QString& document) {
  std::vector<KeyCell> keys;
  auto map = open_query(
      session, conn, QStringLiteral("select * from ") + document + QStringLiteral(" order by zdm"));
  if (!map->IsOpen()) return keys;
  map->MoveFirst();
  if (!map->SetFilter(QStringLiteral("out_cl='wbd'"))) return keys;
  for (; !map->Eof() && static_cast<int>(keys.size()) < kMaxKeyCells; map->MoveNext()) {
    const QString zdm = map->Text(QStringLiteral("zdm"));
    const QString exceldz = map->Text(QStringLiteral("exceldz"));
    const int dot = zdm.indexOf('.');
    const int cell_dot = exceldz.indexOf('.');
    if (dot < 0) {
      log_skip(kWhere, zdm, QStringLiteral("key column without a table"));
      continue;
    }
    keys.push_back({zdm.left(dot), zdm.mid(dot + 1), exceldz.mid(cell_dot + 1)});
  }
  return keys;
}

bool is_current(Recordset& rs, Sheet& sheet, const std::vector<KeyCell>& keys) {
  for (const KeyCell& k : keys) {
    if (rs.Text(k.column).compare(sheet.range(k.address).text(), Qt::CaseInsensitive) != 0)
      return false;
  }
  return true;
}

}  // namespace

int browse_record(Session& session, DbConn& conn, Sheet& sheet, BrowseStep step) {
  const std::vector<KeyCell> keys = key_cells(session, conn, sheet.name());
  if (keys.empty()) return 0;
  QStringList columns;
  for (const KeyCell& k : keys) columns << k.column;

  std::unique_ptr<Recordset> rs;
  for (const KeyCell& k : keys) {
    rs = open_query(
        session, conn,
        QStringLiteral("select ") + columns.join(',') + QStringLiteral(" from ") + k.table);
    if (rs->IsOpen()) break;
  }
  if (!rs || !rs->IsOpen()) {
    log_skip(kWhere, sheet.name(), QStringLiteral("no table holds the key columns"));
    return 0;
  }
  if (rs->RecordCount() == 0) return 0;

  rs->MoveFirst();
  const KeyCell& first = keys.front();
  while (
      rs->Find(first.column + QStringLiteral("=") + sql_quote(sheet.range(first.address).text()))) {
    if (is_current(*rs, sheet, keys)) break;
    rs->MoveNext();
  }
  // No match ends after the last record, even when the criteria could not be read.
  if (!rs->Eof()) {
    if (!is_current(*rs, sheet, keys)) {
      rs->MoveLast();
      rs->MoveNext();
    }
  }
  if (step == BrowseStep::Previous) rs->MovePrevious();
  if (step == BrowseStep::Next) rs->MoveNext();
  if (rs->Eof()) rs->MoveFirst();
  if (rs->Bof()) rs->MoveLast();

  for (std::size_t i = 0; i < keys.size(); ++i) {
    session.sheet_edit_mode = kEditGuardArmed;
    sheet.set_enable_events(i + 1 == keys.size());
    // Written as text: a number 00123 stays 00123.
    const QString value = rs->Text(keys[i].column);
    sheet.range(keys[i].address).set_value(value.isEmpty() ? CellValue() : CellValue::text(value));
  }
  sheet.set_enable_events(true);
  return rs->AbsolutePosition();
}

void on_browse_button(Session& session, BrowseStep step) {
  session.Spreadsheet1.set_enable_events(true);
  browse_record(session, session.main_conn, session.Spreadsheet1, step);
}

}  // namespace vemo

// Catalog look-ups.
#include "document/catalog.h"

#include "data/connections.h"
#include "platform/log.h"
#include "platform/sheet.h"
#include "platform/sql_text.h"

#include <QStringList>

namespace vemo {

std::optional<CatalogRow> read_catalog_row(Session& session, DbConn& conn,
                                           const QString& document) {
  auto rs = open_query(session, conn,
                       QStringLiteral("select * from bb where bbm=") + sql_quote(document));
  if (!rs->IsOpen() || rs->Eof()) {
    log_skip(QStringLiteral("catalog"), document, QStringLiteral("no catalog row"));
    return std::nullopt;
  }
  CatalogRow row;
  row.bbm = rs->Text(0);
  row.flag = rs->FieldCount() > 1 ? rs->Text(1) : QString();
  row.bh = rs->Text(QStringLiteral("bh"));
  row.ysthdz = rs->Text(QStringLiteral("ysthdz"));
  row.gjz = rs->Text(QStringLiteral("gjz"));
  row.gjz_zdm = rs->Text(QStringLiteral("gjz_zdm"));
  row.sy_bm = rs->Text(QStringLiteral("sy_bm"));
  row.gstb_wz = rs->Text(QStringLiteral("gstb_wz"));
  row.key = rs->Text(QStringLiteral("key"));
  return row;
}

QString read_page_ysth(Session& session, DbConn& conn, Sheet& sheet) {
  const auto row = read_catalog_row(session, conn, sheet.name());
  if (!row || row->ysthdz.isEmpty()) return QString();
  QStringList values;
  for (const QString& address : row->ysthdz.split('*')) {
    const Range cell = sheet.range(address);
    if (!cell.valid()) log_skip(QStringLiteral("page key"), address, QStringLiteral("bad address"));
    values << cell.text().trimmed();
  }
  return values.join('*');
}

}  // namespace vemo

// Write permission per waybill.
#include "users/write_permission.h"

#include "data/connections.h"
#include "platform/log.h"
#include "platform/sql_text.h"

namespace vemo {
namespace {

const QString kConfirmed = QStringLiteral("已确认");

}  // namespace

QString write_permission(Session& session, DbConn& conn, const QString& ysth) {
  const QString number = ysth.section('*', 0, 0);
  QString result = kMayWrite;
  {
    auto rs = open_query(session, conn,
                         QStringLiteral("select * from qr_table where ysth=") + sql_quote(number));
    if (rs->IsOpen() && !rs->Eof() && rs->Text(QStringLiteral("queren")) == kConfirmed)
      result = kMayNotWrite;
  }
  auto user = open_query(
      session, conn,
      QStringLiteral("select * from ws_gxq where username=") + sql_quote(session.user_name));
  if (!user->IsOpen() || user->Eof()) return result;
  const QString role = user->Text(QStringLiteral("userright")).toUpper();
  if (role == QStringLiteral("ADMIN")) return kMayWrite;
  if (role == QStringLiteral("W")) {
    if (result == kMayWrite) session.user_right = QStringLiteral("W");
    return result;
  }
  // "R" and any role the system does not know.
  return kMayNotWrite;
}

bool may_write_page(Session& session, DbConn& conn, const QString& key) {
  if (write_permission(session, conn, key) != kMayWrite && !session.developer_mode()) {
    log_debug(QStringLiteral("write permission"), key + QStringLiteral(": read only"));
    session.user_right = QStringLiteral("R");
  }
  return session.user_right.toUpper() == QStringLiteral("W");
}

}  // namespace vemo

// Final confirmation.
#include "users/confirmation.h"

#include "data/connections.h"
#include "platform/dates.h"
#include "platform/log.h"
#include "platform/recordset.h"
#include "platform/sql_text.h"

#include <QTime>

namespace vemo {
namespace {

bool read_only_user(const Session& session) {
  return session.user_role.trimmed().toUpper() == QStringLiteral("R");
}

QString now_text() {
  return today_text() + ' ' + QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace

QString confirmed_message(const QString& ysth) {
  return QStringLiteral("运输托号 ") + ysth + QStringLiteral(" 已确认");
}

QString confirm_failed_message(const QString& ysth) {
  return QStringLiteral("运输托号 ") + ysth + QStringLiteral(" 确认失败！");
}

ConfirmOutcome confirm_waybill(Session& session, DbConn& conn, const QString& ysth) {
  if (read_only_user(session)) {
    session.prompts->tell(kReadOnlyCannotConfirm);
    return ConfirmOutcome::ReadOnlyUser;
  }
  auto rs = open_table(session, conn, QStringLiteral("qr_table"));
  if (rs->IsOpen()) {
    rs->MoveFirst();
    if (rs->Find(QStringLiteral("ysth=") + sql_quote(ysth)))
      return ConfirmOutcome::AlreadyRegistered;
  }
  if (!session.prompts->confirm(kConfirmQuestion, kConfirmTitle)) return ConfirmOutcome::Declined;
  // One update for the whole row: a failure leaves no row behind that claims nothing.
  const bool written = rs->IsOpen() && rs->AddNew() && rs->SetValue(QStringLiteral("ysth"), ysth) &&
                       rs->SetValue(QStringLiteral("queren"), QStringLiteral("已确认")) &&
                       rs->SetValue(QStringLiteral("qr_ren"), session.user_name) &&
                       rs->SetValue(QStringLiteral("qr_sj"), now_text()) && rs->Update() &&
                       submit_changes(session, *rs);
  if (!written) {
    log_skip(QStringLiteral("confirm"), ysth, rs->ErrorString());
    if (rs->EditPending()) rs->CancelUpdate();
    session.prompts->tell(confirm_failed_message(ysth));
    return ConfirmOutcome::WriteFailed;
  }
  session.prompts->tell(confirmed_message(ysth));
  return ConfirmOutcome::Confirmed;
}

ConfirmOutcome confirm_page_waybill(Session& session, DbConn& conn, Sheet& sheet) {
  if (read_only_user(session)) {
    session.prompts->tell(kReadOnlyCannotConfirm);
    return ConfirmOutcome::ReadOnlyUser;
  }
  auto catalog = open_query(
      session, conn, QStringLiteral("select * from bb where bbm=") + sql_quote(sheet.name()));
  // The waybill number is the first key cell; a freight ticket adds its ticket number.
  const QString address = catalog->Text(QStringLiteral("ysthdz")).section('*', 0, 0).trimmed();
  const QString number = address.isEmpty() ? QString() : sheet.range(address).text().trimmed();
  if (number.isEmpty()) {
    session.prompts->tell(kWaybillNumberEmpty);
    return ConfirmOutcome::NoNumber;
  }
  return confirm_waybill(session, conn, number);
}

}  // namespace vemo

// Final confirmation of a waybill: once confirmed, only administrators may change it.
#pragma once

#include "session/session.h"

#include <QString>

namespace vemo {

inline const QString kConfirmQuestion = QStringLiteral("你确定要最后确认运输托号吗？ ");
inline const QString kConfirmTitle = QStringLiteral("确认");
inline const QString kWaybillNumberEmpty = QStringLiteral("运输托号不能为空！ ");
inline const QString kReadOnlyCannotConfirm = QStringLiteral("只读用户不能确认运输托号！");

QString confirmed_message(const QString& ysth);       // 运输托号 … 已确认
QString confirm_failed_message(const QString& ysth);  // 运输托号 … 确认失败！

enum class ConfirmOutcome {
  Confirmed,
  AlreadyRegistered,  // a row exists: taken as done, nothing shown
  Declined,
  ReadOnlyUser,
  NoNumber,
  WriteFailed,
};

// Confirms the waybill number: asks first, then writes the whole qr_table row in one
// update. Read-only users are refused on every path.
ConfirmOutcome confirm_waybill(Session& session, DbConn& conn, const QString& ysth);

// The command behind 数据确认 and 输入数据最后确认: confirms the number in the page's
// waybill-number cell (the first of its key cells).
ConfirmOutcome confirm_page_waybill(Session& session, DbConn& conn, Sheet& sheet);

}  // namespace vemo

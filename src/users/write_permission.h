// Whether the waybill on the page may still be written by the user logged in.
#pragma once

#include "session/session.h"

#include <QString>

namespace vemo {

inline const QString kMayWrite = QStringLiteral("可以写");
inline const QString kMayNotWrite = QStringLiteral("不能写");

// "可以写" or "不能写" for the waybill number; a page key "a*b" is checked under "a" alone.
// Confirmed waybills are closed to everyone but administrators; read-only users and unknown
// roles may write nothing. A "W" user allowed to write gets user_right "W" back.
QString write_permission(Session& session, DbConn& conn, const QString& ysth);

// The saves' rule: outside developer mode a refusal lowers user_right to "R". True when
// user_right then allows writing.
bool may_write_page(Session& session, DbConn& conn, const QString& key);

}  // namespace vemo

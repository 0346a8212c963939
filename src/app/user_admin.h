// Passwords and the administrator log-ins in front of the table grids.
#pragma once

#include "session/session.h"

#include "platform/recordset.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace vemo {

inline const QString kPasswordTitle = QStringLiteral("修改密码");
inline const QString kPasswordMismatch = QStringLiteral("输入密码不一致，请重试!");
inline const QString kPasswordChanged = QStringLiteral("修改成功");

// "yes" when the row of user and old password got the new password, "exit" otherwise
// (also when the write or its submission to the data service failed).
QString change_password(Session& session, const QString& user, const QString& old_password,
                        const QString& new_password);

struct DialogOutcome {
  bool succeeded = false;  // LoginSucceeded
  QString message;         // the message box to show (also on success for the password)
  QString title;
};
// frmLogin1 确定.
DialogOutcome change_password_ok(Session& session, const QString& user, const QString& old_password,
                                 const QString& new_password, const QString& confirmation);

// Which table the administrator log-in opens.
enum class AdminTable { Users, Confirmations };  // frmLogin2 ws_gxq, frmLogin3 qr_table

// What the table grid window shows.
struct GridSource {
  QString table;
  QStringList captions;  // by position; columns beyond keep their field names
  QList<int> hidden_columns;
  // Column widths as fractions of the window's width, by position (empty: default).
  QList<double> width_fractions;
};

// frmLogin2/frmLogin3 确定: an ADMIN right or the pass phrase; in network mode the users
// are first brought from the data service. On refusal the outcome carries the message.
DialogOutcome admin_log_in(Session& session, AdminTable table, const QString& user,
                           const QString& password);
GridSource admin_grid_source(AdminTable table);
// 常用设置(当前): the pop-up table of the page on screen.
GridSource common_settings_source(const Session& session);
// The grid window's table: pop-up tables where the lists are read (the settings database),
// the user and confirmation tables in the local main database file.
struct GridTable {
  DbConn connection;  // kept open while the grid edits the recordset
  std::unique_ptr<Recordset> recordset;
};
GridTable open_grid_table(Session& session, const QString& table);
// Closing the grid window: the pop-up table's copy question; in network mode the users
// go back to the data service.
void on_grid_window_closed(Session& session, const QString& table);

}  // namespace vemo

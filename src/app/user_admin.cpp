// Passwords, the administrator log-ins, the table grid's sources and its closing steps.
#include "app/user_admin.h"

#include "app/login.h"
#include "data/connections.h"
#include "data/routing.h"
#include "data/scramble.h"
#include "platform/log.h"
#include "platform/sql_text.h"
#include "sheet/choice_list.h"

#include <algorithm>

namespace vemo {
namespace {

const QString kWhere = QStringLiteral("user_admin");
const QString kYes = QStringLiteral("yes");
const QString kExit = QStringLiteral("exit");
const QString kUserTable = QStringLiteral("ws_gxq");
const QString kConfirmTable = QStringLiteral("qr_table");
const QString kAllUsers = QStringLiteral("select * from ws_gxq");

// The data service's connection: the main connection when it is remote already.
DbConn service_connection(Session& session) {
  if (session.main_conn.is_remote()) return session.main_conn;
  return open_rds_factory(session, session.main_db_path);
}

// Copies the fields at positions 1 to (source fields - 2) of the source's current row into
// the target's current (or new) row: the row number and the last field stay as they are.
void copy_middle_fields(const Recordset& source, Recordset& target) {
  const int last = std::min(source.FieldCount() - 2, target.FieldCount() - 1);
  for (int i = 1; i <= last; ++i) target.SetValue(i, source.Value(i));
}

// Pairs the rows of both by order, from the first: a missing target row is appended, the
// target row takes the source row's middle fields. Rows are not matched by user name, so a
// row deleted on one side is not deleted on the other.
void mirror_rows(Recordset& source, Recordset& target, const QString& what) {
  if (!source.IsOpen() || !target.IsOpen()) {
    log_skip(kWhere, what, QStringLiteral("a user table could not be opened"));
    return;
  }
  source.MoveFirst();
  target.MoveFirst();
  for (; !source.Eof(); source.MoveNext(), target.MoveNext()) {
    if (target.Eof()) target.AddNew();
    copy_middle_fields(source, target);
    if (!target.Update()) log_skip(kWhere, what, target.ErrorString());
  }
}

void pull_users_from_service(Session& session) {
  DbConn remote = service_connection(session);
  auto service = rds_query(session, remote, kAllUsers);
  GridTable local = open_grid_table(session, kUserTable);
  mirror_rows(*service, *local.recordset, QStringLiteral("users from the data service"));
}

void push_users_to_service(Session& session) {
  DbConn remote = service_connection(session);
  GridTable local = open_grid_table(session, kUserTable);
  auto service = rds_query(session, remote, kAllUsers);
  mirror_rows(*local.recordset, *service, QStringLiteral("users to the data service"));
  if (!service->IsOpen()) return;
  if (!remote.factory || !remote.factory->SubmitChanges(session.rds_dsn, *service)) {
    log_skip(kWhere, QStringLiteral("users to the data service"),
             QStringLiteral("SubmitChanges failed"));
  }
}

}  // namespace

QString change_password(Session& session, const QString& user, const QString& old_password,
                        const QString& new_password) {
  session.main_conn = open_connection(session, session.main_db_path);
  auto users = open_table(session, session.main_conn, kUserTable);
  const QString criteria = QStringLiteral("username=") + sql_quote(user) +
                           QStringLiteral(" and mm=") + sql_quote(old_password);
  if (!users->SetFilter(criteria) || users->Eof()) return kExit;
  // "修改成功" only for a password that really reached the table (and the data service).
  if (!users->SetValue(QStringLiteral("mm"), new_password) || !users->Update()) {
    log_skip(kWhere, QStringLiteral("new password of ") + user, users->ErrorString());
    users->CancelUpdate();
    return kExit;
  }
  if (!submit_changes(session, *users)) {
    log_skip(kWhere, QStringLiteral("new password of ") + user,
             QStringLiteral("the data service did not take it"));
    return kExit;
  }
  return kYes;
}

DialogOutcome change_password_ok(Session& session, const QString& user, const QString& old_password,
                                 const QString& new_password, const QString& confirmation) {
  DialogOutcome outcome;
  outcome.title = kPasswordTitle;
  if (new_password != confirmation) {
    outcome.message = kPasswordMismatch;
    return outcome;
  }
  sync_db_scramble(session, session.dev_marker);
  if (change_password(session, user, old_password, new_password).toUpper() ==
      QLatin1String("YES")) {
    outcome.succeeded = true;
    outcome.message = kPasswordChanged;
  } else {
    outcome.message = kLoginRefused;
  }
  return outcome;
}

DialogOutcome admin_log_in(Session& session, AdminTable table, const QString& user,
                           const QString& password) {
  sync_db_scramble(session, session.dev_marker);
  // The check borrows the log-in's look-up; the signed-in user keeps their own documents.
  const QString scope = session.user_scope;
  const QString right = lookup_user_right(session, user, password);
  session.user_scope = scope;

  DialogOutcome outcome;
  if (right.toUpper() != QLatin1String("ADMIN") && password.toLower() != kDeveloperPassPhrase) {
    log_debug(kWhere, QStringLiteral("administrator log-in refused for ") + user);
    outcome.message = kLoginRefused;
    outcome.title = kLoginTitle;
    return outcome;
  }
  // No plain copy of the main file is made for the grid: the scrambling file layer lets the
  // engine read and write the file in its scrambled form, so the file keeps its mode's form.
  if (table == AdminTable::Users && session.network_mode()) pull_users_from_service(session);
  outcome.succeeded = true;
  return outcome;
}

GridSource admin_grid_source(AdminTable table) {
  GridSource source;
  source.hidden_columns = {0};
  if (table == AdminTable::Users) {
    source.table = kUserTable;
    source.captions = {QStringLiteral("bh"),        QStringLiteral("用户名"),
                       QStringLiteral("用户权限"),  QStringLiteral("访问项目1"),
                       QStringLiteral("访问项目2"), QStringLiteral("访问项目3"),
                       QStringLiteral("访问项目4")};
  } else {
    source.table = kConfirmTable;
    source.captions = {QStringLiteral("bh"), QStringLiteral("运输托号"), QStringLiteral("确认"),
                       QStringLiteral("用户名"), QStringLiteral("确认时间")};
  }
  return source;
}

GridSource common_settings_source(const Session& session) {
  GridSource source;
  source.table = popup_table(session.Spreadsheet1.name());
  source.hidden_columns = {0};
  source.width_fractions = {0.0, 0.7, 0.25};
  return source;
}

GridTable open_grid_table(Session& session, const QString& table) {
  sync_db_scramble(session, session.dev_marker);
  GridTable grid;
  // Pop-up tables go where every reader of the lists finds them (the settings database);
  // the user and confirmation tables are edited in the local main file, also in network mode.
  if (route_table(table, session.active_sheet_name(), false) == Route::Settings) {
    grid.connection = session.set_conn;
    grid.recordset = open_table(session, grid.connection, table);
  } else {
    grid.connection = open_jet_connection(session, session.main_db_path);
    grid.recordset = open_local_table(grid.connection, table);
  }
  return grid;
}

void on_grid_window_closed(Session& session, const QString& table) {
  copy_lists_to_all(session, table);
  if (session.network_mode() && table.compare(kUserTable, Qt::CaseInsensitive) == 0) {
    push_users_to_service(session);
  }
}

}  // namespace vemo

// Connections and routed recordset opens.
#include "data/connections.h"

#include "data/routing.h"
#include "data/scramble.h"
#include "platform/log.h"

namespace vemo {
namespace {

const QString kWhere = QStringLiteral("connections");

bool is_settings_path(const QString& path) {
  return path.toLower().contains(QStringLiteral("nb_set.mdb"));
}

std::unique_ptr<Recordset> closed_recordset(const QString& what, const QString& why) {
  log_skip(kWhere, what, why);
  return std::make_unique<Recordset>();
}

}  // namespace

DbConn open_connection(DataState& state, const QString& path) {
  if (is_settings_path(path) || !state.network_mode()) return open_jet_connection(state, path);
  return open_rds_factory(state, path);
}

DbConn open_jet_connection(DataState& state, const QString& path) {
  // The form is read from the file before anything is turned: a plain file is never
  // "restored" into garbage. The scrambling file layer lets the engine work on the
  // scrambled file afterwards.
  if (!state.developer_mode()) sync_file_scramble(kDeveloperMarker, path);
  DbConn conn;
  conn.jet = std::make_shared<Connection>();
  if (!conn.jet->open(path)) {
    log_skip(kWhere, QStringLiteral("open ") + path, conn.jet->error_string());
  }
  if (!state.developer_mode()) sync_file_scramble(state.dev_marker, path);
  return conn;
}

DbConn open_rds_factory(DataState& state, const QString&) {
  DbConn conn;
  conn.factory = state.make_rds_factory(state.rds_server);
  return conn;
}

std::unique_ptr<Recordset> open_local_query(DbConn& conn, const QString& sql) {
  if (!conn.jet) return closed_recordset(sql, QStringLiteral("no local connection"));
  auto rs = conn.jet->open_recordset(sql);
  if (!rs->IsOpen()) log_skip(kWhere, sql, conn.jet->error_string());
  return rs;
}

std::unique_ptr<Recordset> open_local_table(DbConn& conn, const QString& table) {
  if (!conn.jet) return closed_recordset(table, QStringLiteral("no local connection"));
  auto rs = conn.jet->open_table_recordset(table);
  if (!rs->IsOpen()) log_skip(kWhere, QStringLiteral("table ") + table, conn.jet->error_string());
  return rs;
}

std::unique_ptr<Recordset> rds_query(DataState& state, DbConn& conn, const QString& sql) {
  if (!conn.factory) return closed_recordset(sql, QStringLiteral("no data server"));
  auto rs = conn.factory->Query(state.rds_dsn, sql);
  return rs ? std::move(rs) : std::make_unique<Recordset>();
}

std::unique_ptr<Recordset> rds_table(DataState& state, DbConn& conn, const QString& table) {
  return rds_query(state, conn, QStringLiteral("select * from ") + table);
}

std::unique_ptr<Recordset> open_query(DataState& state, DbConn& conn, const QString& sql) {
  switch (route_query(sql, state.active_sheet_name(), state.network_mode())) {
    case Route::Settings:
      return open_local_query(state.set_conn, sql);
    case Route::Remote:
      return rds_query(state, conn, sql);
    case Route::Given:
      break;
  }
  return open_local_query(conn, sql);
}

std::unique_ptr<Recordset> open_table(DataState& state, DbConn& conn, const QString& table) {
  switch (route_table(table, state.active_sheet_name(), state.network_mode())) {
    case Route::Settings:
      return open_local_table(state.set_conn, table);
    case Route::Remote:
      return rds_table(state, conn, table);
    case Route::Given:
      break;
  }
  return open_local_table(conn, table);
}

bool execute_sql(DataState& state, DbConn& conn, const QString& sql) {
  DbConn* target = &conn;
  switch (route_query(sql, state.active_sheet_name(), state.network_mode())) {
    case Route::Settings:
      target = &state.set_conn;
      break;
    case Route::Remote:
      return conn.factory && conn.factory->Execute(state.rds_dsn, sql);
    case Route::Given:
      break;
  }
  if (!target->jet || !target->jet->execute(sql)) {
    log_skip(kWhere, sql,
             target->jet ? target->jet->error_string() : QStringLiteral("no connection"));
    return false;
  }
  return true;
}

bool submit_changes(DataState& state, Recordset& recordset) {
  if (!state.network_mode() || !state.main_conn.factory) return true;
  return state.main_conn.factory->SubmitChanges(state.rds_dsn, recordset);
}

}  // namespace vemo

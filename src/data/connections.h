// Opening connections and recordsets, with routing and the file-form steps around opens.
#pragma once

#include "data/data_state.h"
#include "platform/recordset.h"

#include <QString>

#include <memory>

namespace vemo {

// The connection for a database file: local, or in network mode (for anything but the
// settings database) the remote data factory.
DbConn open_connection(DataState& state, const QString& path);
// A local connection, with the file brought to plain form for the open and back to its
// mode's form afterwards (outside developer mode).
DbConn open_jet_connection(DataState& state, const QString& path);
DbConn open_rds_factory(DataState& state, const QString& path);

// Routed opens. Never null; a failed open gives a closed recordset with no rows.
std::unique_ptr<Recordset> open_query(DataState& state, DbConn& conn, const QString& sql);
std::unique_ptr<Recordset> open_table(DataState& state, DbConn& conn, const QString& table);
std::unique_ptr<Recordset> open_local_query(DbConn& conn, const QString& sql);
std::unique_ptr<Recordset> open_local_table(DbConn& conn, const QString& table);
std::unique_ptr<Recordset> rds_query(DataState& state, DbConn& conn, const QString& sql);
std::unique_ptr<Recordset> rds_table(DataState& state, DbConn& conn, const QString& table);

// Runs command text on the routed connection; false when it failed (logged).
bool execute_sql(DataState& state, DbConn& conn, const QString& sql);

// After Update of a recordset from the main connection: in network mode, sends the
// changes to the server; in local mode Update has written them already.
bool submit_changes(DataState& state, Recordset& recordset);

}  // namespace vemo

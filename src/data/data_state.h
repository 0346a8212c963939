// The part of the session that database access reads: paths, connections, the mode
// marker, the network-mode box and the name of the page on screen.
#pragma once

#include "data/pg_rds_factory.h"
#include "platform/connection.h"

#include <QString>

#include <functional>
#include <memory>

namespace vemo {

inline const QString kDeveloperMarker = QStringLiteral("vkr");
inline const QString kNormalMarker = QStringLiteral("vkrx");

// A connection as callers hold it: a local database file, or in network mode the
// remote data factory that stands for the main database.
struct DbConn {
  ConnectionPtr jet;
  std::shared_ptr<RdsFactory> factory;

  bool is_remote() const { return factory != nullptr; }
  bool is_open() const { return is_remote() || (jet && jet->is_open()); }
};

struct DataState {
  QString main_db_path;
  QString set_db_path;
  DbConn main_conn;
  DbConn set_conn;
  QString rds_server;
  QString rds_dsn;
  QString dev_marker = kNormalMarker;

  // The log-in dialog's network-mode box (Check3), read at every call.
  std::function<bool()> network_mode = [] { return false; };
  // The active sheet's name: the current document name.
  std::function<QString()> active_sheet_name = [] { return QString(); };
  // Makes the remote factory for a server address: PostgreSQL; tests may put another here.
  std::function<std::shared_ptr<RdsFactory>(const QString& server)> make_rds_factory =
      [](const QString& server) { return std::make_shared<PgRdsFactory>(server); };

  bool developer_mode() const { return dev_marker == kDeveloperMarker; }
};

}  // namespace vemo

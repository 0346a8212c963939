// The part of the session that database access reads: paths, connections, the mode
// marker, the network-mode box and the name of the page on screen.
#pragma once

#include "platform/connection.h"

#include <QString>

#include <functional>

namespace vemo {

inline const QString kDeveloperMarker = QStringLiteral("vkr");
inline const QString kNormalMarker = QStringLiteral("vkrx");

struct DataState {
  QString main_db_path;
  QString set_db_path;
  ConnectionPtr main_conn;
  ConnectionPtr set_conn;
  QString rds_server;
  QString rds_dsn;
  QString dev_marker = kNormalMarker;

  // The log-in dialog's network-mode box (Check3), read at every call.
  std::function<bool()> network_mode = [] { return false; };
  // The active sheet's name: the current document name.
  std::function<QString()> active_sheet_name = [] { return QString(); };

  bool developer_mode() const { return dev_marker == kDeveloperMarker; }
};

}  // namespace vemo

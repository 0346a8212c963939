// Session paths.
#include "session/session.h"

#include <QDir>

namespace vemo {

Session::Session() {
  network_mode = [this] { return check3; };
  active_sheet_name = [this] { return Spreadsheet1.name(); };
}

void Session::set_station_folder(const QString& folder) {
  const QString base = QDir(folder).absolutePath();
  station_folder = base;
  main_db_path = base + QStringLiteral("/澜川.mdb");
  set_db_path = base + QStringLiteral("/nb_set.mdb");
}

}  // namespace vemo

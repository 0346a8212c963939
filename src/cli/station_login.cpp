// Command-line log-in.
#include "cli/station_login.h"

#include "app/login.h"

#include <QFileInfo>

namespace vemo::cli {

bool log_in_station(Session& session, const QString& folder, const Options& options, Io& io) {
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
    io.err << QStringLiteral("站点文件夹不存在: ") << folder << '\n';
    return false;
  }
  session.set_station_folder(folder);
  if (!QFileInfo::exists(session.main_db_path)) {
    io.err << QStringLiteral("站点文件夹中没有主数据库: ") << session.main_db_path << '\n';
    return false;
  }
  LoginInput input;
  input.user_name = options.value(QStringLiteral("user"));
  input.password = options.value(QStringLiteral("password"));
  const LoginOutcome outcome = log_in(session, input);
  if (!outcome.succeeded) {
    io.err << outcome.message << '\n';
    return false;
  }
  return true;
}

}  // namespace vemo::cli

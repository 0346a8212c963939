// vemo-cli mode: plain database files for a developer's inspection, or back to scrambled.
#include "app/login.h"
#include "cli/commands.h"
#include "data/scramble.h"
#include "session/session.h"

#include <QFileInfo>

namespace vemo::cli {

int run_mode(const Options& options, Io& io) {
  const QString folder = options.positional.value(0);
  const QString mode = options.positional.value(1);
  if (mode != QLatin1String("dev") && mode != QLatin1String("normal")) {
    io.err << QStringLiteral("模式只能是 dev 或 normal\n");
    return 1;
  }
  Session session;
  session.set_station_folder(folder);
  if (folder.isEmpty() || !QFileInfo::exists(session.main_db_path)) {
    io.err << QStringLiteral("站点文件夹中没有主数据库: ") << session.main_db_path << '\n';
    return 1;
  }
  const bool developer = mode == QLatin1String("dev");
  // Plain files only for whoever knows the developer pass phrase, as at the log-in.
  if (developer && options.value(QStringLiteral("password")).toLower() != kDeveloperPassPhrase) {
    io.err << kLoginRefused << '\n';
    return 1;
  }
  const QString marker = developer ? kDeveloperMarker : kNormalMarker;
  bool ok = true;
  for (const QString& path : {session.main_db_path, session.set_db_path}) {
    const ScrambleSync result = sync_file_scramble(marker, path);
    if (result == ScrambleSync::Skipped) {
      io.err << QStringLiteral("无法转换: ") << path << '\n';
      ok = false;
    }
  }
  if (!ok) return 1;
  io.out << (developer ? QStringLiteral("数据库文件已转为明文（开发模式），可用 sqlite3 查看\n")
                       : QStringLiteral("数据库文件已加扰（正常模式）\n"));
  return 0;
}

}  // namespace vemo::cli

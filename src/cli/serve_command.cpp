// vemo-cli serve: sets up the server database of network mode from a station's main database.
#include "cli/commands.h"
#include "cli/station_login.h"
#include "data/pg_connection.h"
#include "data/pg_serve.h"
#include "platform/number_text.h"

namespace vemo::cli {

int run_serve(const Options& options, Io& io) {
  const QString database = options.value(QStringLiteral("db")).trimmed();
  if (database.isEmpty()) {
    io.err << QStringLiteral("缺少服务器数据库名: --db 数据库名\n");
    return 1;
  }
  Session session;
  if (!log_in_station(session, options.positional.value(0), options, io)) return 1;
  const QString role = session.user_role.toUpper();
  if (role != QLatin1String("ADMIN") && role != QLatin1String("TQ")) {
    io.err << QStringLiteral("只有管理员才能建立服务器数据库\n");
    return 1;
  }
  if (!session.main_conn.jet || !session.main_conn.jet->is_open()) {
    io.err << QStringLiteral("无法打开主数据库: ") << session.main_db_path << '\n';
    return 1;
  }
  PgAddress address = pg_address(QStringLiteral("http://") + options.value(QStringLiteral("host")),
                                 QStringLiteral("DSN=") + database);
  if (options.has(QStringLiteral("port"))) address.port = options.value(QStringLiteral("port"));
  address.user = options.value(QStringLiteral("db-user"));
  address.password = options.value(QStringLiteral("db-password"));
  PgConnection server(address);
  if (!server.ensure_open()) {
    io.err << QStringLiteral("无法连接服务器数据库: ") << server.error() << '\n';
    return 1;
  }
  ServeResult result;
  QString error;
  if (!serve_main_database(*session.main_conn.jet, server, options.has(QStringLiteral("replace")),
                           &result, &error)) {
    io.err << QStringLiteral("服务器数据库未建立（没有写入任何内容）: ") << error << '\n';
    return 1;
  }
  io.out << QStringLiteral("服务器数据库已建立: ") << database << QStringLiteral("，")
         << number_text(result.tables) << QStringLiteral(" 个表，")
         << number_text(double(result.rows)) << QStringLiteral(" 行\n");
  return 0;
}

}  // namespace vemo::cli

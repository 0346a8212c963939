// vemo-cli login: checks a user's log-in and shows the rights it gives.
#include "cli/commands.h"
#include "cli/station_login.h"

namespace vemo::cli {

int run_login(const Options& options, Io& io) {
  Session session;
  if (!log_in_station(session, options.positional.value(0), options, io)) return 1;
  io.out << QStringLiteral("用户: ") << session.user_name << '\n'
         << QStringLiteral("角色: ") << session.user_role << '\n'
         << QStringLiteral("权限: ") << session.user_right << '\n'
         << QStringLiteral("可用单据: ") << session.user_scope << '\n'
         << QStringLiteral("开发模式: ")
         << (session.developer_mode() ? QStringLiteral("是") : QStringLiteral("否")) << '\n';
  return 0;
}

}  // namespace vemo::cli

// vemo-cli: station work from the command line.
#include "cli/commands.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>

#include <iterator>
#include <memory>

namespace vemo::cli {
namespace {

const Command kCommands[] = {
    {"login", "login 站点文件夹 --user 用户名 --password 密码", "检查登录并显示用户的权限",
     run_login},
    {"confirm", "confirm 站点文件夹 运输托号 --user 用户名 --password 密码 --yes",
     "最后确认运输托号（只读用户不能确认）", run_confirm},
    {"init", "init 站点文件夹 [--demo 运单数] [--seed 种子] [--station 发站]",
     "从随附内容建立新的站点文件夹（可含演示数据）", run_init},
    {"report", "report 站点文件夹 页面 参数文本 --user 用户名 --password 密码 [--out 文件.csv]",
     "按参数填写报表页面，输出 CSV 或对齐的文本表", run_report},
    {"mode", "mode 站点文件夹 dev|normal [--password 开发口令]",
     "数据库文件转为明文（开发）或加扰（正常）", run_mode},
    {"render",
     "render 站点文件夹 页面 [--params 参数文本] --user 用户名 --password 密码 --png 文件.png",
     "把页面（给出参数时先填写）画成 PNG 图片", run_render},
    {"serve",
     "serve 站点文件夹 --db 数据库名 [--host 服务器] [--port 端口] [--db-user 数据库用户 "
     "--db-password 数据库密码] [--replace] --user 管理员 --password 密码",
     "在已有的 PostgreSQL 数据库中建立主数据库的表并复制全部数据（网络运行）", run_serve},
};

const QStringList kValuedOptions = {"user", "password", "out",        "params", "png",
                                    "demo", "seed",     "station",    "db",     "host",
                                    "port", "db-user",  "db-password"};

void print_usage(QTextStream& stream) {
  stream << QStringLiteral(
                "用法: vemo-cli 命令 站点文件夹 [参数] [--user 用户名 --password 密码]\n\n")
         << QStringLiteral("命令:\n");
  for (const Command& command : kCommands) {
    stream << "  " << QString::fromUtf8(command.name).leftJustified(10) << ' '
           << QString::fromUtf8(command.summary) << '\n';
  }
  stream << QStringLiteral("\n每个命令都接受 --help。\n");
}

const Command* find_command(const QString& name) {
  for (const Command& command : kCommands) {
    if (name == QLatin1String(command.name)) return &command;
  }
  return nullptr;
}

}  // namespace
}  // namespace vemo::cli

int main(int argc, char** argv) {
  using namespace vemo::cli;
  // Drawing needs fonts and a platform plugin; without a display the offscreen one serves.
  const bool draws = argc > 1 && qstrcmp(argv[1], "render") == 0;
  std::unique_ptr<QCoreApplication> holder;
  if (draws) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    holder = std::make_unique<QGuiApplication>(argc, argv);
    QGuiApplication::setFont(QFont(QStringLiteral("WenQuanYi Micro Hei")));
  } else {
    holder = std::make_unique<QCoreApplication>(argc, argv);
  }
  QCoreApplication& app = *holder;
  QTextStream out(stdout);
  QTextStream err(stderr);
  Io io{out, err};
  const Options options = parse_options(app.arguments().mid(1), kValuedOptions);
  if (options.command.isEmpty()) {
    print_usage(options.has("help") ? out : err);
    return options.has("help") ? 0 : 1;
  }
  const Command* command = find_command(options.command);
  if (command == nullptr) {
    err << QStringLiteral("未知命令: ") << options.command << "\n\n";
    print_usage(err);
    return 1;
  }
  if (options.has("help")) {
    out << QStringLiteral("用法: vemo-cli ") << QString::fromUtf8(command->usage) << '\n'
        << QString::fromUtf8(command->summary) << '\n';
    return 0;
  }
  return command->run(options, io);
}

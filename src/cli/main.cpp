// vemo-cli: station work from the command line.
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace {

const char* const kUsage =
    "用法: vemo-cli 命令 站点文件夹 [参数] [--user 用户名 --password 密码]\n"
    "\n"
    "命令:\n"
    "  --help    显示本帮助\n";

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  const QStringList args = app.arguments().mid(1);
  if (args.isEmpty() || args.first() == "--help" || args.first() == "-h") {
    out << QString::fromUtf8(kUsage);
    return args.isEmpty() ? 1 : 0;
  }
  QTextStream(stderr) << QString::fromUtf8("未知命令: ") << args.first() << '\n'
                      << QString::fromUtf8(kUsage);
  return 1;
}

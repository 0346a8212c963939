// vemo [STATION_FOLDER]: the desktop application on one station folder (default: here).
#include "ui/frame_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QMessageBox>

#include <cstdio>

namespace {

const char* const kUsage =
    "用法: vemo [站点文件夹]\n"
    "打开一个站点文件夹（含 澜川.mdb、nb_set.mdb、userlist.xlsx 和页面模板），缺省为当前文件夹。\n"
    "新站点用 vemo-cli init 文件夹 [--demo 张数] 建立。\n";

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vemo"));
  QApplication::setApplicationVersion(QStringLiteral(VEMO_VERSION));
  QApplication::setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 10));

  const QStringList args = QApplication::arguments().mid(1);
  if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (args.contains(QStringLiteral("--version"))) {
    std::printf("vemo %s\n", VEMO_VERSION);
    return 0;
  }
  if (args.size() > 1) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const QString folder = QDir(args.value(0, QDir::currentPath())).absolutePath();
  // A wrong folder would only show as a refused log-in; say what is missing instead.
  if (!QFileInfo::exists(folder + QStringLiteral("/澜川.mdb"))) {
    const QString text = QStringLiteral(
                             "站点文件夹 %1 中没有主数据库 澜川.mdb。\n请用 vemo "
                             "站点文件夹 启动，或先用 vemo-cli init 建立站点。")
                             .arg(folder);
    std::fprintf(stderr, "%s\n", qPrintable(text));
    QMessageBox::critical(nullptr, QStringLiteral("Vemo"), text);
    return 2;
  }
  vemo::FrameWindow frame(folder);
  frame.start();
  return QApplication::exec();
}

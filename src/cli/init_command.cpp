// vemo-cli init: a new station folder from the shipped content, optionally with demo data.
#include "cli/commands.h"

#include "platform/number_text.h"
#include "station/station_builder.h"

#include <QElapsedTimer>

namespace vemo::cli {

int run_init(const Options& options, Io& io) {
  const QString folder = options.positional.value(0);
  if (folder.isEmpty()) {
    io.err << QStringLiteral("缺少站点文件夹\n");
    return 1;
  }
  StationSetup setup;
  setup.station_name = options.value(QStringLiteral("station"));
  if (options.has(QStringLiteral("demo"))) {
    const QString count = options.value(QStringLiteral("demo"));
    const auto n = count.isEmpty() ? std::optional<double>(24) : parse_number_text(count);
    if (!n || *n < 0 || *n > 10000000 || *n != double(qint64(*n))) {
      io.err << QStringLiteral("演示运单数无效: ") << count << '\n';
      return 1;
    }
    setup.demo_waybills = int(*n);
  }
  if (options.has(QStringLiteral("seed"))) {
    const auto seed = parse_number_text(options.value(QStringLiteral("seed")));
    if (!seed || *seed < 0 || *seed != double(qint64(*seed))) {
      io.err << QStringLiteral("随机种子无效: ") << options.value(QStringLiteral("seed")) << '\n';
      return 1;
    }
    setup.demo_seed = std::uint64_t(*seed);
  }
  QElapsedTimer timer;
  timer.start();
  QString error;
  if (!build_station(folder, setup, &error)) {
    io.err << error << '\n';
    return 1;
  }
  io.out << QStringLiteral("已建立站点文件夹: ") << folder << '\n';
  if (setup.demo_waybills > 0) {
    io.out << QStringLiteral("演示运单: ") << number_text(setup.demo_waybills)
           << QStringLiteral("，用时 ") << number_text(double(timer.elapsed()) / 1000.0)
           << QStringLiteral(" 秒\n");
  }
  io.out << QStringLiteral("用户和演示密码见 README.txt\n");
  return 0;
}

}  // namespace vemo::cli

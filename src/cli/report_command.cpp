// vemo-cli report: fills a report page for its parameter text and writes the used range.
#include "cli/commands.h"
#include "cli/page_fill.h"
#include "cli/page_text.h"

#include <QFile>

namespace vemo::cli {

int run_report(const Options& options, Io& io) {
  const QString folder = options.positional.value(0);
  const QString page = options.positional.value(1);
  const QString parameters = options.positional.value(2);
  if (parameters.isEmpty()) {
    io.err << QStringLiteral("缺少参数文本，例如 2026-12-01*2026-12-31\n");
    return 1;
  }
  Session session;
  Sheet sheet;
  if (!fill_page(session, sheet, folder, page, parameters, options, io)) return 1;
  const auto cells = page_cells(sheet);
  const QString out_path = options.value(QStringLiteral("out"));
  if (out_path.isEmpty()) {
    io.out << cells_table(cells);
    return 0;
  }
  QFile file(out_path);
  const QByteArray bytes = cells_csv(cells).toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    io.err << QStringLiteral("无法写入: ") << out_path << '\n';
    return 1;
  }
  return 0;
}

}  // namespace vemo::cli

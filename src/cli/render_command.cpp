// vemo-cli render: draws a page, filled when parameters are given, into a PNG image.
#include "cli/commands.h"
#include "cli/page_fill.h"
#include "platform/view/cell_painter.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace vemo::cli {

int run_render(const Options& options, Io& io) {
  const QString folder = options.positional.value(0);
  const QString page = options.positional.value(1);
  const QString png = options.value(QStringLiteral("png"));
  if (png.isEmpty()) {
    io.err << QStringLiteral("缺少 --png 文件\n");
    return 1;
  }
  Session session;
  Sheet sheet;
  if (!fill_page(session, sheet, folder, page, options.value(QStringLiteral("params")), options,
                 io)) {
    return 1;
  }
  const CellArea area{1, 1, std::max(1, sheet.used_rows()), std::max(1, sheet.used_columns())};
  const CellPainter painter(sheet);
  const QSizeF size = painter.area_size(area);
  constexpr int kMargin = 10;
  QImage image(int(size.width()) + 2 * kMargin, int(size.height()) + 2 * kMargin,
               QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter canvas(&image);
    canvas.setRenderHint(QPainter::TextAntialiasing);
    painter.paint_area(canvas, area, QPointF(kMargin, kMargin));
  }
  if (!image.save(png, "PNG")) {
    io.err << QStringLiteral("无法写入: ") << png << '\n';
    return 1;
  }
  io.out << png << '\n';
  return 0;
}

}  // namespace vemo::cli

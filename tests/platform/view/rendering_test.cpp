// Chinese text really reaches the screen: the grid's image differs from an empty page where the
// text stands, and the CJK font resolves and covers every character.
#include "platform/page_template.h"
#include "platform/sheet.h"
#include "platform/view/cell_painter.h"
#include "platform/view/cell_style_qt.h"
#include "platform/view/grid_view.h"
#include "support/qstring_print.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace vemo {
namespace {

const QString kText = "货物运单";

const QByteArray kPage = R"(<table><col width="160">
<tr style="height:40px"><td style="font-family:'WenQuanYi Micro Hei'; font-size:14pt">货物运单</td></tr>
</table>)";

int differing_pixels(const QImage& a, const QImage& b, const QRect& rect) {
  int count = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) count += a.pixel(x, y) != b.pixel(x, y);
  }
  return count;
}

QImage grab(Sheet& sheet) {
  GridView view(sheet);
  view.resize(400, 200);
  view.show();
  QApplication::processEvents();
  return view.grab().toImage();
}

TEST(Rendering, ChineseTextIsDrawnWithTheCjkFont) {
  Sheet page;
  ASSERT_TRUE(load_template_text(page, kPage));
  Sheet empty;
  ASSERT_TRUE(load_template_text(empty, QByteArray(kPage).replace("货物运单", "")));

  // The cell's rectangle in view coordinates, as laid out by the view itself.
  QRect cell;
  {
    GridView view(page);
    view.resize(400, 200);
    view.show();
    QApplication::processEvents();
    cell = view.visualRect(view.model()->index(0, 0))
               .translated(view.viewport()->mapTo(&view, QPoint(0, 0)));
  }
  const QImage with_text = grab(page);
  const QImage without_text = grab(empty);
  ASSERT_EQ(with_text.size(), without_text.size());
  ASSERT_TRUE(with_text.rect().contains(cell));
  EXPECT_GT(differing_pixels(with_text, without_text, cell), 50);
  // Outside the cell the two pages look alike.
  const QRect below(0, cell.bottom() + 30, with_text.width(), 20);
  EXPECT_EQ(differing_pixels(with_text, without_text, below), 0);

  const QFont font = qt_font(page.format({1, 1}).font);
  EXPECT_EQ(QFontInfo(font).family(), "WenQuanYi Micro Hei");
  const QFontMetrics metrics(font);
  for (const uint code : kText.toUcs4()) EXPECT_TRUE(metrics.inFontUcs4(code)) << code;
}

// The painter the print engine uses draws the same page onto a plain image.
TEST(Rendering, CellPainterPaintsAnAreaOntoAnyDevice) {
  Sheet page;
  ASSERT_TRUE(load_template_text(page, kPage));
  page.range("A1").set_border_line_style(1);
  const CellPainter painter(page);
  const CellArea area{1, 1, 1, 1};
  EXPECT_EQ(painter.area_size(area), QSizeF(160, 40));
  QImage image(160, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  QImage blank = image;
  {
    QPainter p(&image);
    painter.paint_area(p, area, {0, 0});
  }
  EXPECT_GT(differing_pixels(image, blank, QRect(4, 4, 150, 32)), 50);
  EXPECT_EQ(image.pixelColor(80, 0), QColor(Qt::black));  // top border
}

}  // namespace
}  // namespace vemo

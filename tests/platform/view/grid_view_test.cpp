// The grid view on real widgets offscreen: layout from the template, edits only where the page
// allows them, and every user action reported to the sheet with the right range and key code.
#include "platform/view/grid_view.h"
#include "platform/page_template.h"
#include "platform/sheet.h"
#include "support/qstring_print.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStringList>
#include <QTest>
#include <QVBoxLayout>

namespace vemo {
namespace {

const QByteArray kPage = R"(<table>
<col width="80"><col width="60"><col width="60"><col width="60">
<tr style="height:30px"><td colspan="4" style="font-family:'WenQuanYi Micro Hei'">货物运单</td></tr>
<tr><td>运输托号</td><td colspan="3" data-format="@" data-locked="0"></td></tr>
<tr><td>件数</td><td data-locked="0">12</td><td data-locked="0">5</td><td data-formula="=B3+C3"></td></tr>
</table>)";

// The sheet's events as text, in the order they arrive.
struct EventLog {
  explicit EventLog(Sheet& sheet) : events(sheet.events()) {
    SheetEvents& e = events;
    e.content_changed = [this](const Range& r) { lines << "change " + r.address(); };
    e.key_pressed = [this](const Range& r, int key) {
      lines << QString("key %1 %2").arg(key).arg(r.address());
    };
    e.edit_started = [this](const Range& r) { lines << "edit " + r.address(); };
    e.selection_changed = [this](const Range& r) { lines << "select " + r.address(); };
    e.clicked = [this](const Range& r) { lines << "click " + r.address(); };
    e.double_clicked = [this](const Range& r, int x, int y) {
      lines << QString("double %1 %2,%3").arg(r.address()).arg(x).arg(y);
    };
    e.scrolled = [this] { lines << "scroll"; };
    e.focus_gained = [this] { lines << "focus in"; };
    e.focus_lost = [this] { lines << "focus out"; };
  }
  ~EventLog() { events = {}; }
  QStringList take() { return std::exchange(lines, {}); }
  SheetEvents& events;
  QStringList lines;
};

class GridViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(load_template_text(sheet, kPage));
    sheet.set_protected(true);
    layout->addWidget(&view);
    layout->addWidget(&other);
    window.resize(500, 400);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    view.setFocus();
    QApplication::processEvents();
  }

  QWidget* editor() const { return QApplication::focusWidget(); }
  QPoint center_of(const char* address) {
    const CellPos p = *parse_cell_address(address);
    return view.visualRect(view.model()->index(p.row - 1, p.col - 1)).center();
  }

  Sheet sheet;
  QWidget window;
  QVBoxLayout* layout = new QVBoxLayout(&window);
  GridView view{sheet};
  QLineEdit other;
};

TEST_F(GridViewTest, ShowsTheTemplatesMergesAndGeometry) {
  EXPECT_EQ(view.columnSpan(0, 0), 4);
  EXPECT_EQ(view.columnSpan(1, 1), 3);
  EXPECT_EQ(view.columnWidth(0), 80);
  EXPECT_EQ(view.columnWidth(1), 60);
  EXPECT_EQ(view.rowHeight(0), 30);
  EXPECT_EQ(view.model()->data(view.model()->index(2, 3)).toString(), "17");
}

TEST_F(GridViewTest, TypingIntoALockedCellOfAProtectedPageChangesNothing) {
  sheet.select(*parse_area_address("A3"));
  EventLog log(sheet);
  QTest::keyClicks(&view, "99");
  QTest::keyClick(editor(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(sheet.value({3, 1}), CellValue::text("件数"));
  EXPECT_FALSE(log.lines.contains("change A3"));
  EXPECT_FALSE(log.lines.filter("edit").size() > 0) << log.lines.join("; ").toStdString();
  EXPECT_EQ(view.indexWidget(view.model()->index(2, 0)), nullptr);
}

TEST_F(GridViewTest, TypingIntoAnUnlockedCellRaisesOneChangeThenEnter) {
  sheet.select(*parse_area_address("B2"));
  EventLog log(sheet);
  QTest::keyClicks(&view, "0");  // the first key opens the editor, which takes the focus
  ASSERT_NE(editor(), &view);
  QInputMethodEvent chinese;
  chinese.setCommitString("87号");
  QApplication::sendEvent(editor(), &chinese);
  QTest::keyClick(editor(), Qt::Key_Return);
  // Qt may commit through a queued call; QTest's own QTRY macros would not fail a gtest case.
  EXPECT_TRUE(QTest::qWaitFor([&] { return log.lines.size() >= 3; }));
  EXPECT_EQ(log.lines, QStringList({"edit B2:D2", "change B2:D2", "key 13 B2:D2"}));
  EXPECT_EQ(sheet.value({2, 2}), CellValue::text("087号"));
  // The engine, not the grid, moves the cursor after Enter.
  EXPECT_EQ(sheet.active_cell().address(), "B2:D2");
  EXPECT_EQ(view.currentIndex().row(), 1);
  EXPECT_EQ(view.currentIndex().column(), 1);
}

TEST_F(GridViewTest, EditsRecalculateAndFormulasShowInTheEditor) {
  sheet.select(*parse_area_address("B3"));
  QTest::keyClicks(&view, "2");
  QTest::keyClicks(editor(), "0");
  QTest::keyClick(editor(), Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([&] { return sheet.value({3, 4}) == CellValue::number(25); }));
  EXPECT_EQ(view.model()->data(view.model()->index(2, 3)).toString(), "25");
  EXPECT_EQ(view.model()->data(view.model()->index(2, 3), Qt::EditRole).toString(), "=B3+C3");
}

TEST_F(GridViewTest, EnterAltAndDeleteOnTheGridArriveWithTheirKeyCodes) {
  sheet.select(*parse_area_address("C3"));
  EventLog log(sheet);
  QTest::keyClick(&view, Qt::Key_Return);
  QTest::keyClick(&view, Qt::Key_Alt);
  QTest::keyClick(&view, Qt::Key_Delete);
  // Delete on one unlocked cell: the key first, then the grid clears it.
  EXPECT_EQ(log.take(), QStringList({"key 13 C3", "key 18 C3", "key 46 C3", "change C3"}));
  EXPECT_TRUE(sheet.value({3, 3}).is_empty());
  EXPECT_EQ(sheet.active_cell().address(), "C3");

  // Alt inside an open editor is reported too, and Escape drops the edit unreported.
  QTest::keyClicks(&view, "7");
  QTest::keyClick(editor(), Qt::Key_Alt);
  QTest::keyClick(editor(), Qt::Key_Escape);
  EXPECT_EQ(log.take(), QStringList({"edit C3", "key 18 C3"}));
  EXPECT_TRUE(sheet.value({3, 3}).is_empty());
}

TEST_F(GridViewTest, ClicksDoubleClicksScrollingAndFocusAreReported) {
  EventLog log(sheet);
  const QPoint c3 = center_of("C3");
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, c3);
  EXPECT_EQ(log.take(), QStringList({"select C3", "click C3"}));

  QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, c3);
  const QPoint in_view = view.viewport()->mapTo(&view, c3);
  EXPECT_TRUE(log.take().contains(QString("double C3 %1,%2").arg(in_view.x()).arg(in_view.y())));
  QTest::keyClick(editor(), Qt::Key_Escape);

  // A program's cursor move is not reported back as a user selection.
  sheet.select(*parse_area_address("A1"));
  EXPECT_EQ(log.take(), QStringList({"select A1:D1"}));
  EXPECT_EQ(view.currentIndex().row(), 0);

  view.verticalScrollBar()->setValue(40);
  EXPECT_EQ(log.take(), QStringList({"scroll"}));
  EXPECT_EQ(sheet.view_top({3, 1}), 30 + 20 - 40);

  other.setFocus();
  QApplication::processEvents();
  view.setFocus();
  QApplication::processEvents();
  EXPECT_EQ(log.take(), QStringList({"focus out", "focus in"}));
  // Opening the grid's own editor keeps the focus within the grid.
  sheet.select(*parse_area_address("B3"));
  log.take();
  QTest::keyClicks(&view, "1");
  QTest::keyClick(editor(), Qt::Key_Escape);
  EXPECT_FALSE(log.take().contains("focus out"));
}

}  // namespace
}  // namespace vemo

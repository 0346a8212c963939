// The table grid window on real widgets: captions, hidden columns and widths, and every edit,
// new row and deletion reaching the database file at once.
#include "ui/table_grid_window.h"
#include "sheet/choice_list.h"
#include "ui/recordset_table_model.h"
#include "ui/station_windows.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace vemo::test {
namespace {

class TableGridWindowTest : public StationWindows {
 protected:
  std::unique_ptr<TableGridWindow> open(const GridSource& source) {
    auto window = std::make_unique<TableGridWindow>(session, source);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return window;
  }

  // The row showing a user name in column 1.
  static int row_of(TableGridWindow& window, const QString& name) {
    QAbstractItemModel* model = window.DataGrid1()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
      if (model->index(row, 1).data().toString() == name) return row;
    }
    return -1;
  }

  // Types into a cell through its editor, as a user does, and ends the edit with Enter.
  static void type_into(QTableView* grid, int row, int column, const QString& text) {
    const QModelIndex cell = grid->model()->index(row, column);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == grid; }));
  }
};

TEST_F(TableGridWindowTest, ShowsTheUsersWithTheirCaptions) {
  auto window = open(admin_grid_source(AdminTable::Users));
  QTableView* grid = window->DataGrid1();
  EXPECT_EQ(window->objectName(), "user_table");
  EXPECT_EQ(window->windowTitle(), "用户管理");
  EXPECT_EQ(grid->objectName(), "DataGrid1");
  const QStringList expected{"bh",        "用户名",    "用户权限", "访问项目1", "访问项目2",
                             "访问项目3", "访问项目4", "mm",       "bz"};
  QStringList headers;
  for (int c = 0; c < grid->model()->columnCount(); ++c) {
    headers << grid->model()->headerData(c, Qt::Horizontal).toString();
  }
  EXPECT_EQ(headers, expected);  // the password keeps its field name
  EXPECT_TRUE(grid->isColumnHidden(0));
  EXPECT_FALSE(grid->isColumnHidden(1));
  EXPECT_EQ(grid->model()->rowCount(), 3);
  EXPECT_EQ(grid->model()->index(row_of(*window, "张丽"), 2).data().toString(), "W");
  EXPECT_EQ(window->height(), qRound(1.1 * grid->height()));

  // Arrow keys move between the records.
  grid->setFocus();
  grid->setCurrentIndex(grid->model()->index(0, 1));
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_EQ(grid->currentIndex().row(), 1);
  QTest::keyClick(grid, Qt::Key_Right);
  EXPECT_EQ(grid->currentIndex().column(), 2);
}

TEST_F(TableGridWindowTest, EditsAddsAndDeletesReachTheFile) {
  auto window = open(admin_grid_source(AdminTable::Users));
  QTableView* grid = window->DataGrid1();

  type_into(grid, row_of(*window, "张丽"), 7, "改过");
  EXPECT_EQ(password_of("张丽"), "改过");

  QTest::mouseClick(window->findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
  ASSERT_EQ(grid->model()->rowCount(), 4);
  EXPECT_EQ(grid->currentIndex().row(), 3);
  EXPECT_EQ(grid->currentIndex().column(), 1);  // the first column shown
  type_into(grid, 3, 1, "赵六");
  type_into(grid, 3, 2, "R");
  EXPECT_EQ(main_rows("select userright from ws_gxq where username='赵六'"), QStringList{"R"});

  // Delete on a whole selected row removes that user.
  grid->setFocus();
  grid->selectRow(row_of(*window, "王强"));
  QTest::keyClick(grid, Qt::Key_Delete);
  EXPECT_EQ(row_of(*window, "王强"), -1);
  // 删除 removes the rows of the selected cells.
  grid->setCurrentIndex(grid->model()->index(row_of(*window, "赵六"), 2));
  QTest::mouseClick(window->findChild<QPushButton*>("cmdDelete"), Qt::LeftButton);
  EXPECT_EQ(main_rows("select username from ws_gxq order by bh"), QStringList({"admin", "张丽"}));
  EXPECT_EQ(grid->model()->rowCount(), 2);
}

TEST_F(TableGridWindowTest, ARefusedValueLeavesTheRecordAsItWas) {
  auto window = open(admin_grid_source(AdminTable::Confirmations));
  QTableView* grid = window->DataGrid1();
  EXPECT_EQ(grid->model()->headerData(4, Qt::Horizontal).toString(), "确认时间");
  QTest::mouseClick(window->findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
  ASSERT_EQ(grid->model()->rowCount(), 1);
  type_into(grid, 0, 1, "'; drop table qr_table; --");
  type_into(grid, 0, 4, "不是日期");
  EXPECT_TRUE(grid->model()->index(0, 4).data().toString().isEmpty());
  type_into(grid, 0, 4, "2004-02-16");
  EXPECT_EQ(main_rows("select ysth, qr_sj from qr_table"),
            QStringList{"'; drop table qr_table; --|2004-02-16"});
  EXPECT_EQ(grid->model()->index(0, 4).data().toString(), "2004-02-16");
}

TEST_F(TableGridWindowTest, CommonSettingsShowThePagesListsFromTheSettingsFile) {
  session.Spreadsheet1.set_name("货物运单");
  auto window = open(common_settings_source(session));
  QTableView* grid = window->DataGrid1();
  EXPECT_TRUE(grid->isColumnHidden(0));
  EXPECT_EQ(grid->columnWidth(1), qRound(0.7 * window->width()));
  EXPECT_EQ(grid->columnWidth(2), qRound(0.25 * window->width()));
  const QStringList lists = file_rows(session.set_db_path, "select popnr from 货物运单_pop");
  ASSERT_FALSE(lists.isEmpty());
  EXPECT_EQ(grid->model()->rowCount(), lists.size());
  EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "popnr");

  type_into(grid, 0, 1, "运输方式：,1.汽车运输,");
  EXPECT_EQ(file_rows(session.set_db_path, "select popnr from 货物运单_pop order by bh").value(0),
            "运输方式：,1.汽车运输,");

  window->close();  // answered No: nothing else happens
  EXPECT_EQ(prompts->texts(), QStringList{kUpdateAllQuestion});
}

TEST_F(TableGridWindowTest, TheCellBeingTypedIsStoredBeforeTheListsAreCopied) {
  session.Spreadsheet1.set_name("货物运单");
  session.form1.TreeView1 = {{"货物运单", "货物运单"}, {"运输货票", "运输货票"}};
  auto window = open(common_settings_source(session));
  QTableView* grid = window->DataGrid1();
  const QModelIndexList found = grid->model()->match(grid->model()->index(0, 1), Qt::DisplayRole,
                                                     "运输方式：", 1, Qt::MatchStartsWith);
  ASSERT_EQ(found.size(), 1);
  grid->setCurrentIndex(found[0]);
  grid->edit(found[0]);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->setText("运输方式：,1.新方式,");
  prompts->push(PromptAnswer::Yes);
  window->close();
  EXPECT_EQ(prompts->texts(), QStringList({kUpdateAllQuestion, kUpdateDone}));
  EXPECT_EQ(file_rows(session.set_db_path,
                      "select popnr from 运输货票_pop where popnr like '运输方式：%'"),
            QStringList{"运输方式：,1.新方式,"});
}

TEST_F(TableGridWindowTest, ClosingOnUsersOrConfirmationsAsksNothing) {
  session.Spreadsheet1.set_name("货物运单");
  for (AdminTable table : {AdminTable::Users, AdminTable::Confirmations}) {
    open(admin_grid_source(table))->close();
  }
  EXPECT_TRUE(prompts->texts().isEmpty());
}

}  // namespace
}  // namespace vemo::test

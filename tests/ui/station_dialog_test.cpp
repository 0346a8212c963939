// The departure-station dialog over the station's user list.
#include "ui/station_dialog.h"
#include "ui/station_windows.h"

#include <QPushButton>
#include <QTest>

namespace vemo::test {
namespace {

class StationDialogTest : public StationWindows {
 protected:
  QString list_path() const { return dir.filePath(kUserListName); }
};

TEST_F(StationDialogTest, ShowsTheListsStationAndHandsOnTheTypedOne) {
  UserList list;
  ASSERT_TRUE(list.load(list_path()));
  ASSERT_TRUE(list.set_start_station("重庆"));
  StationDialog dialog(list, [&](const QString& station) { list.set_start_station(station); });
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(dialog.objectName(), "Dialog");
  EXPECT_EQ(dialog.windowTitle(), "对话框标题");
  EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(), "发站：");
  EXPECT_EQ(dialog.Text1()->text(), "重庆");
  EXPECT_EQ(dialog.Text1()->font().family(), "宋体");
  EXPECT_DOUBLE_EQ(dialog.Text1()->font().pointSizeF(), 14.25);

  dialog.Text1()->setText("昆明");
  QTest::mouseClick(dialog.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  // The next opening, also after a restart, reads it from the workbook.
  UserList reread;
  ASSERT_TRUE(reread.load(list_path()));
  StationDialog again(reread, nullptr);
  EXPECT_EQ(again.Text1()->text(), "昆明");
}

TEST_F(StationDialogTest, AnUnreadableListKeepsTheDesignedText) {
  UserList missing;
  EXPECT_FALSE(missing.load(dir.filePath("missing.xlsx")));
  QString given;
  StationDialog dialog(missing, [&](const QString& station) { given = station; });
  EXPECT_EQ(dialog.Text1()->text(), "成都");
  dialog.show();
  QTest::mouseClick(dialog.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
  EXPECT_EQ(given, "成都");
}

}  // namespace
}  // namespace vemo::test

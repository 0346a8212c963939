// The user list: names in order, the departure station, names typed into the box.
#include "app/user_list.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(UserList, TypingANewNameAppendsEveryIntermediateText) {
  test::TempDir dir;
  const QString path = dir.file("userlist.xlsx");
  UserList list;
  EXPECT_FALSE(list.load(path));  // missing: empty list, still usable
  list.note_typed_name("a");
  list.note_typed_name("ab");
  list.note_typed_name("a");  // already there: nothing appended
  UserList reread;
  ASSERT_TRUE(reread.load(path));
  EXPECT_EQ(reread.names(), QStringList({"a", "ab"}));
}

TEST(UserList, StationLivesInB1AndSurvivesNameChanges) {
  test::TempDir dir;
  const QString path = dir.file("userlist.xlsx");
  ASSERT_TRUE(
      write_first_worksheet(path, {{"admin", QString::fromUtf8("成都")}, {"admin"}, {}, {"w"}}));
  UserList list;
  ASSERT_TRUE(list.load(path));
  EXPECT_EQ(list.names(), QStringList({"admin", "admin", "w"}));
  EXPECT_EQ(list.first_name(), "admin");
  EXPECT_EQ(list.start_station(), QString::fromUtf8("成都"));
  ASSERT_TRUE(list.set_start_station(QString::fromUtf8("昆明")));
  list.note_typed_name("r");
  UserList reread;
  ASSERT_TRUE(reread.load(path));
  EXPECT_EQ(reread.start_station(), QString::fromUtf8("昆明"));
  EXPECT_EQ(reread.names(), QStringList({"admin", "admin", "w", "r"}));
}

}  // namespace
}  // namespace vemo

// The backup choice (List2 and the restore) and the departure station, on real files.
#include "app/settings.h"

#include "app/shutdown.h"
#include "data/connections.h"
#include "data/scramble.h"
#include "platform/number_text.h"
#include "support/raw_db.h"
#include "support/temp_dir.h"

#include <QDateTime>
#include <QDir>

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::file_bytes;

class BackupChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    session.set_station_folder(dir.path());
    session.prompts = prompts;
    make_db(session.main_db_path, 0);
    session.main_conn = open_connection(session, session.main_db_path);
  }

  // A database whose table s holds v, scrambled as every file is outside developer mode.
  static void make_db(const QString& path, int v) {
    {
      test::RawDb db(path);
      ASSERT_EQ(
          db.exec("create table s (v integer); insert into s values (" + number_text(v) + ")"), 0);
    }
    ASSERT_TRUE(scramble_db_file(path));
  }
  void make_backup(int n) { make_db(backup_path(session, n), n); }

  // What the main connection reads now; empty when it cannot read.
  QString main_value() {
    if (!session.main_conn.is_open()) return QStringLiteral("closed");
    auto rs = open_local_query(session.main_conn, QStringLiteral("select v from s"));
    return rs->Eof() ? QString() : rs->Text(0);
  }

  bool click(const QString& item, PromptAnswer answer) {
    prompts->clear_shown();
    prompts->push(answer);
    session.form1.List2.visible = true;
    return on_list2_clicked(session, item);
  }

  test::TempDir dir;
  Session session;
  std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();
};

TEST_F(BackupChoice, ListHoldsTheExistingBackupsNewestFirstWithTheirTimes) {
  make_backup(3);
  make_backup(1);
  const QDateTime times[] = {QDateTime(QDate(2026, 12, 11), QTime(6, 30, 59)),
                             QDateTime(QDate(2026, 12, 9), QTime(18, 5))};
  for (int i : {0, 1}) {
    QFile file(backup_path(session, i == 0 ? 1 : 3));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(times[i], QFileDevice::FileModificationTime));
  }
  session.form1.List2.items = {"stale"};
  show_backup_choice(session);
  EXPECT_EQ(session.form1.List2.items,
            (QStringList{"2026-12-11 06:30 备份1", "2026-12-09 18:05 备份3"}));
  EXPECT_TRUE(session.form1.List2.visible);

  // With no backups the list is shown empty.
  QFile::remove(backup_path(session, 1));
  QFile::remove(backup_path(session, 3));
  show_backup_choice(session);
  EXPECT_TRUE(session.form1.List2.items.isEmpty());
  EXPECT_TRUE(session.form1.List2.visible);
}

TEST_F(BackupChoice, AnsweringYesCopiesTheNumberedBackupOverTheMainFile) {
  make_backup(1);
  make_backup(3);
  const QString item = "2026-12-11 06:30 备份3";
  EXPECT_TRUE(click(item, PromptAnswer::Yes));
  ASSERT_EQ(prompts->shown().size(), 1u);
  EXPECT_EQ(prompts->shown()[0].text, "你确定选择 2026-12-11 06:30 备份3？");
  EXPECT_EQ(prompts->shown()[0].title, "选择");
  EXPECT_EQ(prompts->shown()[0].buttons, PromptButtons::YesNo);
  EXPECT_FALSE(session.form1.List2.visible);
  EXPECT_EQ(file_bytes(session.main_db_path), file_bytes(backup_path(session, 3)));
  EXPECT_EQ(main_value(), "3");
  // The reopened connection writes to the restored file; the backup keeps its state.
  ASSERT_TRUE(session.main_conn.jet->execute("insert into s values (30)"));
  session.main_conn = DbConn{};
  EXPECT_EQ(test::RawDb(session.main_db_path).rows("select v from s"), (QStringList{"3", "30"}));
  EXPECT_EQ(test::RawDb(backup_path(session, 3)).rows("select v from s"), QStringList{"3"});
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);  // no temporary file left
}

TEST_F(BackupChoice, ARestoredFileTakesTheFormOfTheCurrentMode) {
  make_backup(4);  // scrambled, as made in normal mode
  session.dev_marker = kDeveloperMarker;
  ASSERT_TRUE(unscramble_db_file(session.main_db_path));
  EXPECT_TRUE(click("备份4", PromptAnswer::Yes));
  EXPECT_EQ(main_value(), "4");
  session.main_conn = DbConn{};
  EXPECT_EQ(test::RawDb(session.main_db_path, nullptr).value("select v from s"), "4");
}

TEST_F(BackupChoice, NoOrAnItemWithoutItsBackupChangesNothing) {
  make_backup(3);
  // 澜川x.mdb is where the compaction keeps its copy: never a backup to restore.
  make_db(dir.file("澜川x.mdb"), 99);
  const QByteArray main = file_bytes(session.main_db_path);
  const struct {
    QString item;
    PromptAnswer answer;
  } cases[] = {
      {"2026-12-11 06:30 备份3", PromptAnswer::No},
      {"2026-12-11 06:30 备份2", PromptAnswer::Yes},  // no backup 2
      {"备份x", PromptAnswer::Yes},
      {"备份5", PromptAnswer::Yes},
      {"", PromptAnswer::Yes},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item.toStdString());
    EXPECT_FALSE(click(c.item, c.answer));
    EXPECT_EQ(prompts->texts(), QStringList{restore_question(c.item)});
    EXPECT_FALSE(session.form1.List2.visible);
    EXPECT_EQ(file_bytes(session.main_db_path), main);
    // Reopened on the unchanged file after a Yes, untouched after a No: usable either way.
    EXPECT_EQ(main_value(), "0");
  }
}

TEST_F(BackupChoice, ARestoreDropsTheJournalOfTheReplacedFile) {
  // The main file as a crash leaves it: pages of an unfinished transaction and the hot
  // journal to roll them back. The journal belongs to that file, not to the backup.
  session.main_conn = DbConn{};
  const QString crashed = dir.file("crashed.db");
  {
    test::RawDb db(crashed);
    ASSERT_EQ(db.exec("create table t (id integer, note text)"), 0);
    ASSERT_EQ(db.exec(test::insert_rows_sql("t", 1, 300)), 0);
  }
  ASSERT_TRUE(QFile::remove(session.main_db_path));
  ASSERT_TRUE(test::write_crash_snapshot(crashed, session.main_db_path));
  ASSERT_TRUE(QFile::exists(session.main_db_path + "-journal"));
  make_backup(2);

  EXPECT_TRUE(click("备份2", PromptAnswer::Yes));
  EXPECT_FALSE(QFile::exists(session.main_db_path + "-journal"));
  EXPECT_EQ(main_value(), "2");
  session.main_conn = DbConn{};
  EXPECT_EQ(test::RawDb(session.main_db_path).value("pragma integrity_check"), "ok");
}

class DepartureStation : public ::testing::Test {
 protected:
  QString path() { return dir.file("userlist.xlsx"); }
  test::TempDir dir;
  Session session;
};

TEST_F(DepartureStation, IsWrittenToB1AndReadBackByTheNextStart) {
  ASSERT_TRUE(write_first_worksheet(path(), {{"admin", "成都"}, {"张丽"}}));
  UserList list;
  ASSERT_TRUE(list.load(path()));
  set_departure_station(session, list, "昆明");
  EXPECT_EQ(session.start_station, "昆明");
  UserList next;
  ASSERT_TRUE(next.load(path()));
  EXPECT_EQ(next.start_station(), "昆明");
  EXPECT_EQ(next.names(), (QStringList{"admin", "张丽"}));
}

TEST_F(DepartureStation, AWorkbookThatCannotBeReadIsLeftAsItIs) {
  UserList missing;
  missing.load(path());
  set_departure_station(session, missing, "昆明");
  EXPECT_EQ(session.start_station, "昆明");
  EXPECT_FALSE(QFile::exists(path()));

  // A damaged list keeps its bytes: writing B1 alone would lose every user name.
  const QByteArray damaged("PK\x03\x04 not a workbook");
  ASSERT_TRUE(test::write_file(path(), damaged));
  UserList unreadable;
  unreadable.load(path());
  set_departure_station(session, unreadable, "重庆");
  EXPECT_EQ(session.start_station, "重庆");
  EXPECT_EQ(file_bytes(path()), damaged);
}

}  // namespace
}  // namespace vemo

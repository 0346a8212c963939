// Leaving the program: the two questions, the rotating backups as exact file copies, the
// re-login that asks nothing, and a backup that cannot be written.
#include "app/shutdown.h"

#include "data/connections.h"
#include "platform/number_text.h"
#include "platform/scramble_layout.h"
#include "support/raw_db.h"
#include "support/temp_dir.h"

#include <QDir>

#include <gtest/gtest.h>

#include <span>

namespace vemo {
namespace {

using test::file_bytes;
using Answers = std::deque<PromptAnswer>;
constexpr PromptAnswer Yes = PromptAnswer::Yes;
constexpr PromptAnswer No = PromptAnswer::No;

FileForm form_of(const QByteArray& bytes) {
  return head_form(std::span(reinterpret_cast<const unsigned char*>(bytes.constData()),
                             static_cast<size_t>(bytes.size())));
}

class Shutdown : public ::testing::Test {
 protected:
  void SetUp() override {
    session.set_station_folder(dir.path());
    session.prompts = prompts;
    Connection c;
    ASSERT_TRUE(c.open(session.main_db_path, OpenMode::CreateIfMissing));
    ASSERT_TRUE(c.execute("create table s (v integer)"));
    c.close();
    open_main();
  }

  // The main connection as the session start opens it: the file stays scrambled on disk.
  void open_main() { session.main_conn = open_connection(session, session.main_db_path); }

  // A new state of the main database: one more row, written through the main connection.
  void write_state(int v) {
    if (!session.main_conn.is_open()) open_main();
    ASSERT_TRUE(session.main_conn.jet->execute("insert into s values (" + number_text(v) + ")"));
  }

  ExitDecision exit_with(Answers answers, ExitSource source = ExitSource::MainWindow) {
    prompts->clear_shown();
    for (PromptAnswer a : answers) prompts->push(a);
    return exit_dialogue(session, source);
  }

  QString backup(int n) { return backup_path(session, n); }

  test::TempDir dir;
  Session session;
  std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();
};

TEST_F(Shutdown, BackupsSitBesideTheMainFile) {
  EXPECT_EQ(backup(0), session.main_db_path);
  EXPECT_EQ(backup(1), dir.file("澜川1.mdb"));
  EXPECT_EQ(backup(4), dir.file("澜川4.mdb"));
}

TEST_F(Shutdown, FiveExitsWithBackupKeepTheFourNewestStatesAsExactCopies) {
  QList<QByteArray> newest_first;
  for (int round = 1; round <= 5; ++round) {
    SCOPED_TRACE(round);
    write_state(round);
    EXPECT_EQ(exit_with({Yes, Yes}), ExitDecision::End);
    EXPECT_FALSE(session.main_conn.is_open());
    ASSERT_EQ(prompts->shown().size(), 2u);
    EXPECT_EQ(prompts->shown()[0].text, kExitQuestion);
    EXPECT_EQ(prompts->shown()[0].title, "退出");
    EXPECT_EQ(prompts->shown()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompts->shown()[1].text, "是否需要备份？ ");
    EXPECT_EQ(prompts->shown()[1].title, "备份");
    EXPECT_EQ(prompts->shown()[1].buttons, PromptButtons::YesNo);

    const QByteArray on_disk = file_bytes(session.main_db_path);
    EXPECT_EQ(form_of(on_disk), FileForm::Scrambled);
    newest_first.prepend(on_disk);
    for (int n = 1; n <= kBackupGenerations; ++n) {
      if (n <= newest_first.size()) {
        EXPECT_EQ(file_bytes(backup(n)), newest_first[n - 1]) << n;
      } else {
        EXPECT_FALSE(QFile::exists(backup(n))) << n;
      }
    }
  }
  EXPECT_FALSE(QFile::exists(backup(5)));
  // Each backup is a working database of its state.
  test::RawDb oldest(backup(4));
  EXPECT_EQ(oldest.rows("select v from s"), (QStringList{"1", "2"}));
  // Nothing half-written is left beside the files.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 5);
}

TEST_F(Shutdown, AnswersDecideWhetherToStayAndWhetherToBackUp) {
  const struct {
    ExitSource source;
    Answers answers;
    ExitDecision decision;
    int prompts;
    bool backed_up;
  } cases[] = {
      {ExitSource::MainWindow, {No}, ExitDecision::Stay, 1, false},
      {ExitSource::MainWindow, {Yes, No}, ExitDecision::End, 2, false},
      {ExitSource::Frame, {No}, ExitDecision::Stay, 1, false},
      {ExitSource::Frame, {Yes, No}, ExitDecision::End, 2, false},
      {ExitSource::Frame, {Yes, Yes}, ExitDecision::End, 2, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.source) * 10 + static_cast<int>(c.answers.size()));
    QFile::remove(backup(1));
    write_state(7);
    const QByteArray before = file_bytes(session.main_db_path);
    EXPECT_EQ(exit_with(c.answers, c.source), c.decision);
    EXPECT_EQ(prompts->shown().size(), static_cast<size_t>(c.prompts));
    EXPECT_EQ(QFile::exists(backup(1)), c.backed_up);
    if (c.backed_up) {
      EXPECT_EQ(file_bytes(backup(1)), before);
    }
    // Staying keeps the session as it was; leaving releases the main connection.
    EXPECT_EQ(session.main_conn.is_open(), c.decision == ExitDecision::Stay);
  }
}

TEST_F(Shutdown, ReloginClosesTheMainWindowWithoutAQuestion) {
  session.relogin_marker = "xs";
  EXPECT_EQ(exit_with({}), ExitDecision::Relogin);
  EXPECT_TRUE(prompts->shown().empty());
  EXPECT_TRUE(session.relogin_marker.isEmpty());
  EXPECT_FALSE(QFile::exists(backup(1)));
  // The marker is used up: the next close asks again.
  EXPECT_EQ(exit_with({No}), ExitDecision::Stay);
  EXPECT_EQ(prompts->texts(), QStringList{kExitQuestion});
}

TEST_F(Shutdown, ABackupThatCannotBeWrittenIsReportedAndTheRestStillHappens) {
  write_state(1);
  session.main_conn = DbConn{};
  ASSERT_TRUE(backup_main_db(session).isEmpty());
  const QByteArray first = file_bytes(backup(1));
  ASSERT_TRUE(QFile::copy(backup(1), backup(3)));
  // Backups 2 and 4 cannot be written: a folder stands where each file belongs.
  ASSERT_TRUE(QDir(dir.path()).mkdir("澜川2.mdb"));
  ASSERT_TRUE(QDir(dir.path()).mkpath("澜川4.mdb/inside"));
  write_state(2);

  EXPECT_EQ(exit_with({Yes, Yes}), ExitDecision::End);
  ASSERT_EQ(prompts->shown().size(), 3u);
  const Prompt& report = prompts->shown()[2];
  EXPECT_EQ(report.text, "备份失败，无法写入：\n" + QDir::toNativeSeparators(backup(4)) + "\n" +
                             QDir::toNativeSeparators(backup(2)));
  EXPECT_EQ(report.title, kBackupTitle);
  EXPECT_EQ(report.icon, PromptIcon::Exclamation);
  EXPECT_EQ(report.buttons, PromptButtons::Ok);
  // Backup 1 was still renewed; the folders are untouched; backup 3 had no source (the
  // folder 2) and keeps what it held.
  EXPECT_EQ(file_bytes(backup(1)), file_bytes(session.main_db_path));
  EXPECT_NE(file_bytes(backup(1)), first);
  EXPECT_EQ(file_bytes(backup(3)), first);
  EXPECT_TRUE(QFileInfo(backup(2)).isDir());
  EXPECT_TRUE(QFileInfo::exists(backup(4) + "/inside"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

TEST_F(Shutdown, AMissingMainFileMakesNoBackupAndNoFailure) {
  session.main_conn = DbConn{};
  ASSERT_TRUE(QFile::remove(session.main_db_path));
  EXPECT_TRUE(backup_main_db(session).isEmpty());
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

}  // namespace
}  // namespace vemo

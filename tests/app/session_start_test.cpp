// The session start and the re-login on a real station folder: connections, the tree from
// the catalog, the protected waybill page, the menus, the file forms on disk.
#include "app/session_start.h"

#include "app/login.h"
#include "app/relogin.h"
#include "app/shutdown.h"
#include "document/catalog.h"
#include "document/open_document.h"
#include "platform/scramble_layout.h"
#include "session/window_commands.h"
#include "station/station_builder.h"
#include "support/raw_db.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace vemo {
namespace {

FileForm form_on_disk(const QString& path) {
  const QByteArray bytes = test::file_bytes(path);
  return head_form(std::span(reinterpret_cast<const unsigned char*>(bytes.constData()),
                             static_cast<size_t>(bytes.size())));
}

QStringList tree_of(const Session& session) {
  QStringList nodes;
  for (const TreeNode& node : session.form1.TreeView1) nodes << node.text + "/" + node.key;
  return nodes;
}

// One station for the suite; the tests change only connections and file forms.
class SessionStart : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<QTemporaryDir>();
    StationSetup setup;
    setup.station_name = QStringLiteral("昆明");
    QString error;
    built_ = build_station(folder(), setup, &error);
    if (!built_) ADD_FAILURE() << error.toStdString();
  }
  static void TearDownTestSuite() { dir_.reset(); }
  static QString folder() { return dir_->filePath(QStringLiteral("station")); }

  void SetUp() override {
    ASSERT_TRUE(built_);
    session.set_station_folder(folder());
    session.prompts = prompts;
    ASSERT_TRUE(user_list.load(folder() + "/" + kUserListName));
  }

  void log_in_and_start(const QString& user, const QString& password) {
    LoginInput input;
    input.user_name = user;
    input.password = password;
    ASSERT_TRUE(log_in(session, input).succeeded);
    start_session(session, user_list);
    prepare_main_window(session);
  }

  // The catalog in bh order, each row as its tree node should read: text/key.
  QStringList catalog_nodes() {
    test::RawDb settings(session.set_db_path);
    QStringList nodes;
    for (const QString& row : settings.rows("select bbm, lx from bb order by bh")) {
      const QString name = row.section('|', 0, 0);
      const bool flagged = row.section('|', 1).compare("a", Qt::CaseInsensitive) == 0;
      nodes << name + "/" + (flagged ? name : QString());
    }
    return nodes;
  }

  Sheet& page() { return session.Spreadsheet1; }
  // A1 heads the page's merged title area, which the grid reports whole.
  bool a1_active() {
    const CellArea active = page().active_cell().area();
    return active.top == 1 && active.left == 1;
  }

  Session session;
  UserList user_list;
  std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();

 private:
  static inline std::unique_ptr<QTemporaryDir> dir_;
  static inline bool built_ = false;
};

TEST_F(SessionStart, ReadyWindowHasConnectionsTreeAndTheProtectedWaybillPage) {
  log_in_and_start("admin", "admin2026");

  EXPECT_EQ(session.start_station, "昆明");
  EXPECT_TRUE(session.main_conn.is_open());
  EXPECT_TRUE(session.set_conn.is_open());

  const QStringList tree = tree_of(session);
  EXPECT_EQ(tree, catalog_nodes());
  EXPECT_EQ(tree.first(), "货物运单/");
  EXPECT_TRUE(tree.contains("澜川物流货物运输日报表/澜川物流货物运输日报表"));
  EXPECT_EQ(tree.last(), "客户登记表/");

  EXPECT_EQ(page().name(), "货物运单");
  EXPECT_EQ(session.active_sheet_name(), "货物运单");
  EXPECT_TRUE(a1_active());
  EXPECT_TRUE(page().is_protected());
  const auto catalog = read_catalog_row(session, session.main_conn, "货物运单");
  ASSERT_TRUE(catalog.has_value());
  const CellPos key_cell = {page().range(catalog->ysthdz).area().top,
                            page().range(catalog->ysthdz).area().left};
  EXPECT_TRUE(page().user_can_edit(key_cell));  // the waybill number is typed in
  EXPECT_FALSE(page().user_can_edit({1, 1}));
  EXPECT_TRUE(session.current_ysth.isEmpty());

  EXPECT_FALSE(session.form1.menu.enabled("closedz"));
  EXPECT_FALSE(session.form1.menu.enabled("xs"));
  EXPECT_TRUE(session.form1.menu.enabled("yc"));
  EXPECT_EQ(session.sheet_edit_mode, kEditGuardArmed);
  EXPECT_EQ(std::pair(session.logo_x, session.logo_y), std::pair(600, 240));
  const MainWindowModel& form = session.form1;
  EXPECT_EQ(form.grid.height, form.form.height - 1300 - form.form.top);
  EXPECT_EQ(form.buttons_top, form.form.height - 1200);
  EXPECT_EQ(form.tree.height, form.grid.height);

  // Outside developer mode both files stay scrambled on disk while they are in use.
  EXPECT_EQ(form_on_disk(session.main_db_path), FileForm::Scrambled);
  EXPECT_EQ(form_on_disk(session.set_db_path), FileForm::Scrambled);
}

TEST_F(SessionStart, PreparingTheWindowBringsTheWaybillPageBackWhateverWasOpen) {
  log_in_and_start("admin", "admin2026");
  ASSERT_TRUE(open_document(session, "运输货票"));
  page().select({3, 3, 3, 3});
  session.logo_x = 90;
  session.sheet_edit_mode = kEditGuardDisarmed;
  prepare_main_window(session);
  EXPECT_EQ(page().name(), "货物运单");
  EXPECT_TRUE(a1_active());
  EXPECT_TRUE(page().is_protected());
  EXPECT_EQ(session.logo_x, 600);
  EXPECT_EQ(session.sheet_edit_mode, kEditGuardArmed);
}

TEST_F(SessionStart, ReloginForgetsTheUserScramblesTheFilesAndStartsAfresh) {
  log_in_and_start("任何人", kDeveloperPassPhrase);
  ASSERT_EQ(session.dev_marker, kDeveloperMarker);
  ASSERT_EQ(form_on_disk(session.main_db_path), FileForm::Plain);
  const QStringList tree = tree_of(session);
  ASSERT_TRUE(open_document(session, "运输货票"));
  hide_tree(session.form1);
  hide_bottom_row(session.form1);

  begin_relogin(session);
  EXPECT_FALSE(session.main_conn.is_open());
  EXPECT_TRUE(session.user_right.isEmpty());
  EXPECT_TRUE(session.current_ysth.isEmpty());
  EXPECT_TRUE(session.user_scope.isEmpty());
  EXPECT_EQ(session.dev_marker, kNormalMarker);
  for (const char* item : {"user_gl", "preprint", "xs"})
    EXPECT_FALSE(session.form1.menu.enabled(item)) << item;
  EXPECT_EQ(form_on_disk(session.main_db_path), FileForm::Scrambled);
  EXPECT_EQ(form_on_disk(session.set_db_path), FileForm::Scrambled);

  // The main window unloads without a question; the program goes on.
  EXPECT_EQ(exit_dialogue(session, ExitSource::MainWindow), ExitDecision::Relogin);
  EXPECT_TRUE(prompts->shown().empty());
  finish_relogin(session);
  EXPECT_TRUE(session.form1.TreeView1.empty());
  EXPECT_TRUE(session.form1.tree_visible);
  EXPECT_TRUE(session.form1.Check2_visible);
  EXPECT_TRUE(session.form1.menu.enabled("preprint"));

  log_in_and_start("admin", "admin2026");
  EXPECT_EQ(tree_of(session), tree);
  EXPECT_EQ(page().name(), "货物运单");
  EXPECT_TRUE(a1_active());
  EXPECT_EQ(session.form1.grid.left, 2880);
  EXPECT_EQ(form_on_disk(session.main_db_path), FileForm::Scrambled);
}

TEST(SessionStartEmptyFolder, MissingFilesLeaveAnEmptyPageAndTreeAndCreateNothing) {
  test::TempDir dir;
  Session session;
  session.set_station_folder(dir.path());
  UserList no_list;
  no_list.load(dir.file("userlist.xlsx"));
  start_session(session, no_list);
  prepare_main_window(session);
  EXPECT_TRUE(session.start_station.isEmpty());
  EXPECT_FALSE(session.main_conn.is_open());
  EXPECT_TRUE(session.form1.TreeView1.empty());
  EXPECT_EQ(session.Spreadsheet1.name(), "货物运单");
  EXPECT_EQ(session.Spreadsheet1.used_rows(), 0);
  EXPECT_EQ(session.sheet_edit_mode, kEditGuardArmed);
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

}  // namespace
}  // namespace vemo

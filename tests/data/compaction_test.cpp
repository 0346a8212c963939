// Compaction of the main database: smaller file, same data, mode's form, nothing lost on failure.
#include "data/compaction.h"
#include "data/scramble.h"
#include "platform/scramble_layout.h"
#include "support/raw_db.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::file_bytes;
using test::RawDb;

DataState station(const test::TempDir& dir, const QString& marker,
                  const QString& folder = QString()) {
  const QString base = folder.isEmpty() ? dir.path() : dir.file(folder);
  QDir().mkpath(base);
  DataState state;
  state.main_db_path = base + QString::fromUtf8("/澜川.mdb");
  state.set_db_path = base + "/nb_set.mdb";
  state.dev_marker = marker;
  return state;
}

// A main database that lost most of its rows, in the marker's form.
void make_grown_db(const DataState& state) {
  {
    RawDb db(state.main_db_path);
    ASSERT_EQ(db.exec("PRAGMA page_size=1024; CREATE TABLE t(id INTEGER, note TEXT)"), SQLITE_OK);
    ASSERT_EQ(db.exec(test::insert_rows_sql("t", 1, 2000)), SQLITE_OK);
    ASSERT_EQ(db.exec("DELETE FROM t WHERE id % 20 <> 0"), SQLITE_OK);
  }
  sync_file_scramble(state.dev_marker, state.main_db_path);
}

QStringList all_rows(const QString& path, const QString& table = "t") {
  RawDb db(path, scramble_vfs_name(), SQLITE_OPEN_READONLY);
  return db.rows("SELECT * FROM " + table + " ORDER BY id");
}

TEST(CompactMainDb, LeavesASmallerFileWithTheSameDataInTheModesForm) {
  const struct {
    const char* name;
    QString marker;
    bool earlier_copy;
    const char* folder;
    FileForm form;
  } cases[] = {
      {"normal mode", kNormalMarker, false, "", FileForm::Scrambled},
      {"developer mode", kDeveloperMarker, false, "", FileForm::Plain},
      {"copy left by an earlier run", kNormalMarker, true, "", FileForm::Scrambled},
      {"folder name with a quote", kNormalMarker, false, "it's 站", FileForm::Scrambled},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    const DataState state = station(dir, c.marker, QString::fromUtf8(c.folder));
    make_grown_db(state);
    ASSERT_EQ(file_form(state.main_db_path), c.form) << c.name;
    const QString copy = compaction_copy_path(state);
    EXPECT_EQ(copy, QFileInfo(state.main_db_path).path() + QString::fromUtf8("/澜川x.mdb"));
    if (c.earlier_copy) {
      ASSERT_TRUE(test::write_file(copy, "left over"));
    }
    const QStringList rows = all_rows(state.main_db_path);
    ASSERT_EQ(rows.size(), 100) << c.name;
    const qint64 size = QFileInfo(state.main_db_path).size();

    EXPECT_EQ(compact_main_db(state), CompactResult::Compacted) << c.name;
    EXPECT_LT(QFileInfo(state.main_db_path).size(), size / 4) << c.name;
    EXPECT_EQ(all_rows(state.main_db_path), rows) << c.name;
    EXPECT_EQ(file_form(state.main_db_path), c.form) << c.name;
    EXPECT_FALSE(QFile::exists(copy)) << c.name;
    RawDb db(state.main_db_path);
    EXPECT_EQ(db.value("PRAGMA integrity_check"), "ok") << c.name;
  }
}

// Table b is damaged, so the engine refuses to compact; table a must survive untouched.
void make_damaged_db(const DataState& state) {
  int root = 0;
  {
    RawDb db(state.main_db_path);
    ASSERT_EQ(db.exec("PRAGMA page_size=1024; CREATE TABLE a(id INTEGER, note TEXT);"
                      "CREATE TABLE b(id INTEGER, note TEXT)"),
              SQLITE_OK);
    ASSERT_EQ(db.exec(test::insert_rows_sql("a", 1, 50)), SQLITE_OK);
    ASSERT_EQ(db.exec(test::insert_rows_sql("b", 1, 300)), SQLITE_OK);
    root = db.value("SELECT rootpage FROM sqlite_master WHERE name = 'b'").toInt();
  }
  ASSERT_GT(root, 1);
  QFile file(state.main_db_path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.seek((root - 1) * 1024));
  ASSERT_EQ(file.write(QByteArray(1024, '\xff')), 1024);
  file.close();
  sync_file_scramble(state.dev_marker, state.main_db_path);
}

TEST(CompactMainDb, FailedCompactionPutsTheOriginalFileBack) {
  for (const QString& marker : {kNormalMarker, kDeveloperMarker}) {
    test::TempDir dir;
    const DataState state = station(dir, marker);
    make_damaged_db(state);
    const QByteArray original = file_bytes(state.main_db_path);
    const QStringList rows = all_rows(state.main_db_path, "a");
    ASSERT_EQ(rows.size(), 50);

    EXPECT_EQ(compact_main_db(state), CompactResult::RolledBack) << marker.toStdString();
    EXPECT_EQ(file_bytes(state.main_db_path), original) << marker.toStdString();
    EXPECT_EQ(all_rows(state.main_db_path, "a"), rows) << marker.toStdString();
    EXPECT_FALSE(QFile::exists(compaction_copy_path(state))) << marker.toStdString();
  }
}

TEST(CompactMainDb, SkipsWhatItCannotRead) {
  const struct {
    const char* name;
    QByteArray content;  // null: no file
  } cases[] = {
      {"missing", QByteArray()},
      {"not a database", QByteArray(8192, 'x')},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    const DataState state = station(dir, kNormalMarker);
    if (!c.content.isNull()) {
      ASSERT_TRUE(test::write_file(state.main_db_path, c.content));
    }
    EXPECT_EQ(compact_main_db(state), CompactResult::Skipped) << c.name;
    EXPECT_EQ(QFile::exists(state.main_db_path), !c.content.isNull()) << c.name;
    EXPECT_EQ(file_bytes(state.main_db_path), c.content.isNull() ? QByteArray() : c.content)
        << c.name;
    EXPECT_FALSE(QFile::exists(compaction_copy_path(state))) << c.name;
  }
}

// A crash left a journal beside the main file. Copying the file alone would compact the
// unfinished transaction and leave the old journal to be played into the new file.
TEST(CompactMainDb, RollsBackAnUnfinishedTransactionBeforeCopying) {
  test::TempDir dir;
  const DataState state = station(dir, kNormalMarker);
  const QString source = dir.file("source.mdb");
  {
    RawDb db(source);
    ASSERT_EQ(db.exec("PRAGMA page_size=1024; CREATE TABLE t(id INTEGER PRIMARY KEY, note TEXT)"),
              SQLITE_OK);
    ASSERT_EQ(db.exec(test::insert_rows_sql("t", 1, 200)), SQLITE_OK);
  }
  ASSERT_EQ(ensure_scrambled(source), ScrambleSync::Scrambled);
  const QStringList committed = all_rows(source);
  ASSERT_TRUE(test::write_crash_snapshot(source, state.main_db_path));

  EXPECT_EQ(compact_main_db(state), CompactResult::Compacted);
  EXPECT_FALSE(QFile::exists(state.main_db_path + "-journal"));
  EXPECT_EQ(file_form(state.main_db_path), FileForm::Scrambled);
  EXPECT_EQ(all_rows(state.main_db_path), committed);
  RawDb db(state.main_db_path);
  EXPECT_EQ(db.value("PRAGMA integrity_check"), "ok");
}

}  // namespace
}  // namespace vemo

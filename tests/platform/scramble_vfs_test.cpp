// The engine on scrambled files through the file layer: reading, writing, form changes
// underneath open connections, and crash recovery.
#include "platform/scramble_vfs.h"
#include "platform/scramble_layout.h"
#include "support/raw_db.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <vector>

namespace vemo {
namespace {

using test::RawDb;

void rotate(Rotation rotation, const QString& path) {
  QString why;
  ASSERT_TRUE(rotate_file(rotation, path, &why)) << why.toStdString();
}

// A small-page database with rows 1..count in t, scrambled on disk.
QString make_scrambled_db(const QString& path, int count) {
  {
    RawDb db(path);
    EXPECT_EQ(db.exec("PRAGMA page_size=1024; CREATE TABLE t(id INTEGER PRIMARY KEY, note TEXT)"),
              SQLITE_OK);
    EXPECT_EQ(db.exec(test::insert_rows_sql("t", 1, count)), SQLITE_OK);
  }
  rotate(Rotation::Scramble, path);
  return path;
}

QString count_and_sum(RawDb& db, const QString& table = "t") {
  return db.value("SELECT count(*), sum(id) FROM " + table);
}

QString expected(int first, int last) {
  const long long count = last - first + 1;
  return QString("%1|%2").arg(count).arg((first + last) * count / 2);
}

TEST(ScrambleVfs, IsRegisteredOnce) {
  ASSERT_NE(scramble_vfs_name(), nullptr);
  EXPECT_STREQ(scramble_vfs_name(), scramble_vfs_name());
  EXPECT_NE(sqlite3_vfs_find(scramble_vfs_name()), nullptr);
  EXPECT_NE(sqlite3_vfs_find(nullptr), sqlite3_vfs_find(scramble_vfs_name()));
}

TEST(ScrambleVfs, EngineReadsAndWritesAScrambledFileThatStaysScrambled) {
  test::TempDir dir;
  const QString path = make_scrambled_db(dir.file("澜川.mdb"), 50);
  {
    RawDb db(path);
    ASSERT_EQ(db.open_rc(), SQLITE_OK);
    EXPECT_EQ(count_and_sum(db), expected(1, 50));
    ASSERT_EQ(db.exec("CREATE TABLE u(id INTEGER, note TEXT)"), SQLITE_OK);
    ASSERT_EQ(db.exec(test::insert_rows_sql("u", 1, 300)), SQLITE_OK);
    ASSERT_EQ(db.exec("DELETE FROM t WHERE id > 40"), SQLITE_OK);
  }
  EXPECT_EQ(file_form(path), FileForm::Scrambled);
  {
    RawDb plain_engine(path, nullptr, SQLITE_OPEN_READONLY);
    EXPECT_EQ(count_and_sum(plain_engine), QString("error: %1").arg(SQLITE_NOTADB));
  }
  RawDb db(path, scramble_vfs_name(), SQLITE_OPEN_READONLY);
  EXPECT_EQ(count_and_sum(db), expected(1, 40));
  EXPECT_EQ(count_and_sum(db, "u"), expected(1, 300));
  EXPECT_EQ(db.value("PRAGMA integrity_check"), "ok");
}

TEST(ScrambleVfs, PlainFilesAndNewFilesStayPlain) {
  test::TempDir dir;
  const QString path = dir.file("new.mdb");
  {
    RawDb db(path);
    ASSERT_EQ(db.exec("CREATE TABLE t(id INTEGER, note TEXT)"), SQLITE_OK);
    ASSERT_EQ(db.exec(test::insert_rows_sql("t", 1, 100)), SQLITE_OK);
  }
  EXPECT_EQ(file_form(path), FileForm::Plain);
  RawDb plain_engine(path, nullptr, SQLITE_OPEN_READONLY);
  EXPECT_EQ(count_and_sum(plain_engine), expected(1, 100));
}

// The engine reads and writes whole pages; reads and writes of parts of the first bytes
// must still see plain bytes and keep the file's form.
TEST(ScrambleVfs, PartialReadsAndWritesSeePlainBytes) {
  test::TempDir dir;
  const QString path = dir.file("part.mdb");
  {
    RawDb db(path);
    ASSERT_EQ(db.exec("CREATE TABLE t(id INTEGER, note TEXT)"), SQLITE_OK);
  }
  const QByteArray plain = test::file_bytes(path);
  rotate(Rotation::Scramble, path);

  sqlite3_vfs* vfs = sqlite3_vfs_find(scramble_vfs_name());
  std::vector<char> storage(vfs->szOsFile);
  auto* file = reinterpret_cast<sqlite3_file*>(storage.data());
  const QByteArray name = path.toUtf8();
  ASSERT_EQ(
      vfs->xOpen(vfs, name.constData(), file, SQLITE_OPEN_MAIN_DB | SQLITE_OPEN_READWRITE, nullptr),
      SQLITE_OK);
  const struct {
    int offset;
    int length;
  } windows[] = {{0, 10}, {5, 20}, {12, 2}, {20, 60}, {72, 3}, {76, 1}, {0, 77}, {0, 200}};
  for (const auto& w : windows) {
    QByteArray read(w.length, '\0');
    ASSERT_EQ(file->pMethods->xRead(file, read.data(), w.length, w.offset), SQLITE_OK);
    EXPECT_EQ(read, plain.mid(w.offset, w.length)) << w.offset << "+" << w.length;
  }
  // Byte 12 ('a' in "SQLite format") rides with byte 74 when scrambled.
  ASSERT_EQ(file->pMethods->xWrite(file, "X", 1, 11), SQLITE_OK);
  char back = 0;
  ASSERT_EQ(file->pMethods->xRead(file, &back, 1, 11), SQLITE_OK);
  file->pMethods->xClose(file);
  EXPECT_EQ(back, 'X');
  const QByteArray disk = test::file_bytes(path);
  EXPECT_EQ(file_form(path), FileForm::Scrambled);
  EXPECT_EQ(disk[73], 'X');
  EXPECT_EQ(disk.mid(kLayoutLength), plain.mid(kLayoutLength));
}

// Developer log-ins and re-logins change the form on disk while connections stay open.
TEST(ScrambleVfs, FollowsTheFormOnDiskWhileConnectionsAreOpen) {
  test::TempDir dir;
  const QString path = make_scrambled_db(dir.file("澜川.mdb"), 100);
  {
    RawDb a(path);
    RawDb b(path);
    ASSERT_EQ(a.exec("PRAGMA cache_size=10"), SQLITE_OK);
    EXPECT_EQ(count_and_sum(b), expected(1, 100));

    rotate(Rotation::Restore, path);
    ASSERT_EQ(a.exec(test::insert_rows_sql("t", 101, 100)), SQLITE_OK);
    EXPECT_EQ(file_form(path), FileForm::Plain);
    EXPECT_EQ(count_and_sum(b), expected(1, 200));

    rotate(Rotation::Scramble, path);
    ASSERT_EQ(b.exec(test::insert_rows_sql("t", 201, 100)), SQLITE_OK);
    EXPECT_EQ(file_form(path), FileForm::Scrambled);
    EXPECT_EQ(count_and_sum(a), expected(1, 300));
    // A schema change rewrites page 1 through the engine.
    ASSERT_EQ(a.exec("CREATE TABLE u(id INTEGER, note TEXT)"), SQLITE_OK);
    ASSERT_EQ(a.exec(test::insert_rows_sql("u", 1, 50)), SQLITE_OK);
    EXPECT_EQ(file_form(path), FileForm::Scrambled);

    rotate(Rotation::Restore, path);
    EXPECT_EQ(count_and_sum(b, "u"), expected(1, 50));
    ASSERT_EQ(b.exec(test::insert_rows_sql("u", 51, 50)), SQLITE_OK);
    rotate(Rotation::Scramble, path);
    EXPECT_EQ(count_and_sum(a, "u"), expected(1, 100));
    ASSERT_EQ(a.exec("DELETE FROM t WHERE id <= 50"), SQLITE_OK);
  }
  EXPECT_EQ(file_form(path), FileForm::Scrambled);
  RawDb db(path);
  EXPECT_EQ(count_and_sum(db), expected(51, 300));
  EXPECT_EQ(count_and_sum(db, "u"), expected(1, 100));
  EXPECT_EQ(db.value("PRAGMA integrity_check"), "ok");
}

// The journal holds page 1 as the engine read it (plain); rolling it back after a crash
// writes it through the layer into whatever form the file has by then.
TEST(ScrambleVfs, HotJournalRollbackKeepsTheFileUsable) {
  const struct {
    const char* name;
    bool restore_before_recovery;
    FileForm form_after;
  } cases[] = {
      {"still scrambled", false, FileForm::Scrambled},
      {"restored by a developer log-in", true, FileForm::Plain},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    const QString path = make_scrambled_db(dir.file("澜川.mdb"), 200);
    const QString crashed = dir.file("crashed.mdb");
    ASSERT_TRUE(test::write_crash_snapshot(path, crashed)) << c.name;
    EXPECT_EQ(file_form(crashed), FileForm::Scrambled) << c.name;
    if (c.restore_before_recovery) rotate(Rotation::Restore, crashed);

    RawDb db(crashed);
    EXPECT_EQ(count_and_sum(db), expected(1, 200)) << c.name;
    EXPECT_EQ(db.value("PRAGMA integrity_check"), "ok") << c.name;
    EXPECT_FALSE(QFile::exists(crashed + "-journal")) << c.name;
    EXPECT_EQ(file_form(crashed), c.form_after) << c.name;
  }
}

}  // namespace
}  // namespace vemo

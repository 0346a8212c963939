// Bringing files into the mode's form: the tests come first, so files are never rotated twice.
#include "data/scramble.h"
#include "platform/scramble_layout.h"
#include "support/raw_db.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::file_bytes;
using test::RawDb;

QString make_db(const QString& path, int rows = 20) {
  RawDb db(path);
  EXPECT_EQ(db.exec("CREATE TABLE t(id INTEGER, note TEXT)"), SQLITE_OK);
  EXPECT_EQ(db.exec(test::insert_rows_sql("t", 1, rows)), SQLITE_OK);
  return path;
}

TEST(SyncFileScramble, ChangesOnlyFilesNotInTheMarkersForm) {
  const struct {
    const char* name;
    bool start_scrambled;
    QString marker;
    ScrambleSync outcome;
    FileForm form_after;
  } cases[] = {
      {"developer on plain", false, kDeveloperMarker, ScrambleSync::Unchanged, FileForm::Plain},
      {"normal on scrambled", true, kNormalMarker, ScrambleSync::Unchanged, FileForm::Scrambled},
      {"developer on scrambled", true, kDeveloperMarker, ScrambleSync::Restored, FileForm::Plain},
      {"normal on plain", false, kNormalMarker, ScrambleSync::Scrambled, FileForm::Scrambled},
      {"upper-case marker is normal", false, "VKR", ScrambleSync::Scrambled, FileForm::Scrambled},
      {"empty marker is normal", true, "", ScrambleSync::Unchanged, FileForm::Scrambled},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    const QString path = make_db(dir.file("澜川.mdb"));
    const QByteArray plain = file_bytes(path);
    if (c.start_scrambled) {
      ASSERT_TRUE(scramble_db_file(path)) << c.name;
    }
    const QByteArray before = file_bytes(path);

    EXPECT_EQ(sync_file_scramble(c.marker, path), c.outcome) << c.name;
    EXPECT_EQ(file_form(path), c.form_after) << c.name;
    if (c.outcome == ScrambleSync::Unchanged) {
      EXPECT_EQ(file_bytes(path), before) << c.name;
    }
    if (c.form_after == FileForm::Plain) {
      EXPECT_EQ(file_bytes(path), plain) << c.name;
    }

    // A second sync finds the file in form: nothing rotates twice.
    const QByteArray synced = file_bytes(path);
    EXPECT_EQ(sync_file_scramble(c.marker, path), ScrambleSync::Unchanged) << c.name;
    EXPECT_EQ(file_bytes(path), synced) << c.name;
    RawDb db(path);
    EXPECT_EQ(db.value("SELECT count(*) FROM t"), "20") << c.name;
  }
}

TEST(SyncFileScramble, LeavesFilesWithoutAFormAlone) {
  const struct {
    const char* name;
    QByteArray content;  // null: no file
    ScrambleSync developer;
  } cases[] = {
      {"missing", QByteArray(), ScrambleSync::Unchanged},
      {"empty", QByteArray(""), ScrambleSync::Unchanged},
      {"short", QByteArray(kLayoutLength - 1, 'S'), ScrambleSync::Unchanged},
      // Sums to less than 921 but is not a scrambled database: restoring would damage it.
      {"not a database", QByteArray(4096, '\x01'), ScrambleSync::Skipped},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    const QString path = dir.file("nb_set.mdb");
    if (!c.content.isNull()) {
      ASSERT_TRUE(test::write_file(path, c.content)) << c.name;
    }
    EXPECT_EQ(sync_file_scramble(kDeveloperMarker, path), c.developer) << c.name;
    EXPECT_EQ(sync_file_scramble(kNormalMarker, path), ScrambleSync::Unchanged) << c.name;
    EXPECT_EQ(ensure_plain(path), c.developer) << c.name;
    EXPECT_EQ(ensure_scrambled(path), ScrambleSync::Unchanged) << c.name;
    EXPECT_EQ(QFile::exists(path), !c.content.isNull()) << c.name;
    EXPECT_EQ(file_bytes(path), c.content.isNull() ? QByteArray() : c.content) << c.name;
  }
}

TEST(SyncDbScramble, BringsBothFilesIntoTheMarkersForm) {
  test::TempDir dir;
  DataState state;
  state.main_db_path = make_db(dir.file("澜川.mdb"));
  state.set_db_path = make_db(dir.file("nb_set.mdb"));
  ASSERT_TRUE(scramble_db_file(state.set_db_path));  // the two files need not agree

  sync_db_scramble(state, kNormalMarker);
  EXPECT_EQ(file_form(state.main_db_path), FileForm::Scrambled);
  EXPECT_EQ(file_form(state.set_db_path), FileForm::Scrambled);

  sync_db_scramble(state, kDeveloperMarker);
  EXPECT_EQ(file_form(state.main_db_path), FileForm::Plain);
  EXPECT_EQ(file_form(state.set_db_path), FileForm::Plain);
  RawDb plain_engine(state.set_db_path, nullptr, SQLITE_OPEN_READONLY);
  EXPECT_EQ(plain_engine.value("SELECT count(*) FROM t"), "20");
}

// A file written while connections are open in normal mode keeps its form; the sync of a
// re-login then finds nothing to do.
TEST(SyncFileScramble, AgreesWithTheFileLayerWhileAConnectionIsOpen) {
  test::TempDir dir;
  const QString path = make_db(dir.file("澜川.mdb"));
  ASSERT_EQ(ensure_scrambled(path), ScrambleSync::Scrambled);
  RawDb db(path);
  ASSERT_EQ(db.exec(test::insert_rows_sql("t", 21, 30)), SQLITE_OK);
  EXPECT_EQ(ensure_scrambled(path), ScrambleSync::Unchanged);
  EXPECT_EQ(ensure_plain(path), ScrambleSync::Restored);
  ASSERT_EQ(db.exec(test::insert_rows_sql("t", 51, 10)), SQLITE_OK);
  EXPECT_EQ(ensure_plain(path), ScrambleSync::Unchanged);
  EXPECT_EQ(ensure_scrambled(path), ScrambleSync::Scrambled);
  EXPECT_EQ(db.value("SELECT count(*), max(id) FROM t"), "60|60");
}

}  // namespace
}  // namespace vemo

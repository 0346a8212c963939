// The scrambled form on real database files: fixed positions, plain test, round trips.
#include "platform/scramble_layout.h"
#include "support/raw_db.h"
#include "support/temp_dir.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::file_bytes;
using test::RawDb;
using test::write_file;

// Database files that differ in every header field the engine lets vary.
struct DbKind {
  const char* name;
  const char* setup;
  int rows;
};

const DbKind kKinds[] = {
    {"page512", "PRAGMA page_size=512", 300},
    {"page4096_empty_table", "PRAGMA page_size=4096", 0},
    {"page65536", "PRAGMA page_size=65536", 50},
    {"wal", "PRAGMA journal_mode=WAL", 200},
    {"utf16_autovacuum", "PRAGMA encoding='UTF-16le'; PRAGMA auto_vacuum=FULL", 100},
    {"user_version_app_id", "PRAGMA user_version=77; PRAGMA application_id=12345", 1000},
};

QString make_db(const test::TempDir& dir, const DbKind& kind) {
  const QString path = dir.file(QString(kind.name) + ".mdb");
  RawDb db(path, nullptr);
  EXPECT_EQ(db.exec(kind.setup), SQLITE_OK) << kind.name;
  EXPECT_EQ(db.exec("CREATE TABLE t(id INTEGER, note TEXT)"), SQLITE_OK);
  if (kind.rows > 0) {
    EXPECT_EQ(db.exec(test::insert_rows_sql("t", 1, kind.rows)), SQLITE_OK);
  }
  return path;
}

TEST(ScrambleLayout, EveryRotatedByteIsTheSameInEveryDatabaseFile) {
  test::TempDir dir;
  QByteArray reference;
  for (const DbKind& kind : kKinds) {
    const QByteArray head = file_bytes(make_db(dir, kind)).left(kLayoutLength);
    ASSERT_EQ(head.size(), kLayoutLength) << kind.name;
    if (reference.isEmpty()) reference = head;
    for (int i = 0; i < kLayoutLength; ++i) {
      if (touches_layout(i, 1)) {
        EXPECT_EQ(head[i], reference[i]) << kind.name << " byte " << i + 1;
      }
    }
  }
}

TEST(ScrambleLayout, ScrambledDatabaseNeverPassesThePlainTestAndRestoresExactly) {
  test::TempDir dir;
  for (const DbKind& kind : kKinds) {
    const QString path = make_db(dir, kind);
    const QByteArray original = file_bytes(path);
    EXPECT_EQ(plain_test_sum(path), kPlainSum) << kind.name;
    EXPECT_EQ(file_form(path), FileForm::Plain) << kind.name;

    QString why;
    ASSERT_TRUE(rotate_file(Rotation::Scramble, path, &why)) << kind.name << why.toStdString();
    EXPECT_NE(plain_test_sum(path), kPlainSum) << kind.name;
    EXPECT_EQ(file_form(path), FileForm::Scrambled) << kind.name;
    const QByteArray scrambled = file_bytes(path);
    EXPECT_EQ(scrambled.mid(kLayoutLength), original.mid(kLayoutLength)) << kind.name;
    {
      RawDb plain_engine(path, nullptr, SQLITE_OPEN_READONLY);
      EXPECT_EQ(plain_engine.value("SELECT count(*) FROM t"),
                QString("error: %1").arg(SQLITE_NOTADB))
          << kind.name;
    }
    ASSERT_TRUE(rotate_file(Rotation::Restore, path, &why)) << kind.name;
    EXPECT_EQ(file_bytes(path), original) << kind.name;
  }
}

TEST(ScrambleLayout, RoundTripsAreTheIdentityOnAnyBytes) {
  auto* random = QRandomGenerator::global();
  for (int size : {kLayoutLength, 100, 4096}) {
    for (int trial = 0; trial < 20; ++trial) {
      QByteArray bytes(size, '\0');
      for (char& byte : bytes) byte = static_cast<char>(random->bounded(256));
      const QByteArray original = bytes;
      std::span<unsigned char> span(reinterpret_cast<unsigned char*>(bytes.data()), size);
      ASSERT_TRUE(rotate_bytes(Rotation::Scramble, span, 0));
      ASSERT_TRUE(rotate_bytes(Rotation::Restore, span, 0));
      EXPECT_EQ(bytes, original) << size;
      ASSERT_TRUE(rotate_bytes(Rotation::Restore, span, 0));
      ASSERT_TRUE(rotate_bytes(Rotation::Scramble, span, 0));
      EXPECT_EQ(bytes, original) << size;
    }
  }
}

TEST(ScrambleLayout, BuffersWithoutEveryPositionAreLeftAlone) {
  QByteArray bytes(200, 'x');
  const QByteArray original = bytes;
  std::span<unsigned char> whole(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  EXPECT_FALSE(rotate_bytes(Rotation::Scramble, whole.first(kLayoutLength - 1), 0));
  EXPECT_FALSE(rotate_bytes(Rotation::Scramble, whole, 1));
  EXPECT_EQ(bytes, original);
}

TEST(ScrambleLayout, ShortAndMissingFilesAreLeftAlone) {
  test::TempDir dir;
  const struct {
    const char* name;
    int size;  // -1: no file
    bool rotated;
  } cases[] = {
      {"missing.mdb", -1, false},
      {"empty.mdb", 0, false},
      {"short.mdb", kLayoutLength - 1, false},
      {"just_long_enough.mdb", kLayoutLength, true},
  };
  for (const auto& c : cases) {
    const QString path = dir.file(c.name);
    if (c.size >= 0) {
      ASSERT_TRUE(write_file(path, QByteArray(c.size, 'S')));
    }
    EXPECT_EQ(file_form(path), c.rotated ? FileForm::Unknown : FileForm::Short) << c.name;
    for (Rotation rotation : {Rotation::Scramble, Rotation::Restore}) {
      QString why;
      const QByteArray before = file_bytes(path);
      EXPECT_EQ(rotate_file(rotation, path, &why), c.rotated) << c.name;
      EXPECT_EQ(c.rotated, why.isEmpty()) << c.name;
      if (!c.rotated) {
        EXPECT_EQ(file_bytes(path), before) << c.name;
      }
    }
    EXPECT_EQ(QFile::exists(path), c.size >= 0) << c.name;
  }
}

TEST(ScrambleLayout, TouchesOnlyTheRotatedPositions) {
  const struct {
    std::int64_t offset;
    std::int64_t length;
    bool touches;
  } cases[] = {
      {0, 100, true},  {0, 1, true},      {3, 7, false},  // bytes 4-10
      {3, 8, true},    {15, 6, false},                    // bytes 16-21
      {24, 16, false},                                    // the change counter the engine re-reads
      {21, 1, true},   {23, 49, false},   {72, 1, true},
      {76, 1, true},   {77, 4096, false}, {4096, 4096, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(touches_layout(c.offset, c.length), c.touches) << c.offset << "+" << c.length;
  }
}

}  // namespace
}  // namespace vemo

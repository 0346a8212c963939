// Plain SQLite access for tests of the file layer, and whole-file helpers.
#pragma once

#include "platform/scramble_vfs.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <sqlite3.h>

#include <ostream>

namespace vemo::test {

// One sqlite3 connection, by default through the scrambling file layer.
class RawDb {
 public:
  explicit RawDb(const QString& path, const char* vfs = scramble_vfs_name(),
                 int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)
      : open_rc_(sqlite3_open_v2(path.toUtf8().constData(), &db_, flags, vfs)) {}
  ~RawDb() { sqlite3_close(db_); }
  RawDb(const RawDb&) = delete;
  RawDb& operator=(const RawDb&) = delete;

  int open_rc() const { return open_rc_; }

  // Result code of running the statements.
  int exec(const QString& sql) {
    return sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
  }

  // Every row, its columns joined with '|'; a failing statement gives "error: <code>".
  QStringList rows(const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &statement, nullptr);
    QStringList result;
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
      rc = sqlite3_step(statement);
      if (rc != SQLITE_ROW) break;
      QStringList columns;
      for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        columns << QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement, i)));
      }
      result << columns.join('|');
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) return {QString("error: %1").arg(rc)};
    return result;
  }

  QString value(const QString& sql) {
    const QStringList all = rows(sql);
    return all.isEmpty() ? QString() : all.first();
  }

 private:
  sqlite3* db_ = nullptr;
  int open_rc_;
};

inline QByteArray file_bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool write_file(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Rows 1..count of table t(id, note), each note long enough that rows fill many pages.
inline QString insert_rows_sql(const QString& table, int first, int count) {
  return QString(
             "WITH RECURSIVE n(i) AS (SELECT %2 UNION ALL SELECT i + 1 FROM n WHERE i < %3) "
             "INSERT INTO %1(id, note) SELECT i, printf('row %d ', i) || hex(zeroblob(60)) FROM n")
      .arg(table)
      .arg(first)
      .arg(first + count - 1);
}

// Leaves at crash_path what a crash in the middle of a large transaction on table t of
// path would leave: uncommitted pages already written to the file, and the hot journal
// holding the original pages. The transaction on path itself is rolled back.
inline bool write_crash_snapshot(const QString& path, const QString& crash_path) {
  RawDb db(path);
  // A tiny cache makes the engine write pages into the file before the commit.
  if (db.exec("PRAGMA cache_size=10") != SQLITE_OK || db.exec("BEGIN") != SQLITE_OK ||
      db.exec(insert_rows_sql("t", 100000, 400)) != SQLITE_OK) {
    return false;
  }
  const QByteArray journal = file_bytes(path + "-journal");
  const bool copied = !journal.isEmpty() && write_file(crash_path, file_bytes(path)) &&
                      write_file(crash_path + "-journal", journal);
  db.exec("ROLLBACK");
  return copied && QFile(crash_path).size() > QFile(path).size();
}

}  // namespace vemo::test

// The SQLite connection shared by a Connection and the recordsets opened on it.
#pragma once

#include <QHash>
#include <QString>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace vemo {

// Closing the Connection closes the file at once; recordsets still holding the handle
// then see a null db() and fail their reads and writes instead of touching a closed file.
class SqliteHandle {
 public:
  explicit SqliteHandle(sqlite3* db);
  ~SqliteHandle();
  SqliteHandle(const SqliteHandle&) = delete;
  SqliteHandle& operator=(const SqliteHandle&) = delete;

  sqlite3* db() const { return db_; }
  void close();
  QString last_error() const;

  // A prepared statement kept for repeated writes, reset and unbound; null on failure.
  sqlite3_stmt* cached(const QString& sql);

 private:
  sqlite3* db_;
  QHash<QString, sqlite3_stmt*> cache_;
};

using SqliteHandlePtr = std::shared_ptr<SqliteHandle>;

// Finalizes a statement when it goes out of scope.
struct StatementDeleter {
  void operator()(sqlite3_stmt* statement) const;
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// Prepares exactly one statement; text after it (other than blanks and ";") is refused,
// so that a value can never smuggle a second statement in.
StatementPtr prepare_one(sqlite3* db, const QString& sql, QString* error);

// "name" with every " doubled, for table and column names.
QString quote_identifier(const QString& name);

}  // namespace vemo

// Fast bulk inserts into one table through a prepared statement: the station builder and the
// demo generator fill hundreds of thousands of rows this way inside one transaction.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vemo {

class Connection;

class TableInserter {
 public:
  // Prepares "insert into "table" ("c1", …) values (?, …)"; ok() tells whether it worked.
  TableInserter(Connection& connection, const QString& table, const QStringList& columns);
  ~TableInserter();
  TableInserter(const TableInserter&) = delete;
  TableInserter& operator=(const TableInserter&) = delete;

  bool ok() const { return statement_ != nullptr; }
  QString error_string() const { return error_; }

  // One row, values in the order of the columns: a null QVariant is NULL, numbers are bound
  // as numbers, everything else as text. False (with error_string()) when the insert failed.
  bool insert(const std::vector<QVariant>& values);

 private:
  sqlite3* db_ = nullptr;
  sqlite3_stmt* statement_ = nullptr;
  QString table_;
  QString error_;
};

}  // namespace vemo

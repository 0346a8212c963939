// A connection to one database file, and the commands run on it.
#pragma once

#include <QString>

#include <memory>

struct sqlite3;

namespace vemo {

class Recordset;

// How open() treats a file that does not exist yet.
enum class OpenMode { ExistingOnly, CreateIfMissing };

class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens the database file through the scrambling file layer. A missing file fails
  // unless CreateIfMissing is given (only station set-up and tests create files).
  bool open(const QString& path, OpenMode mode = OpenMode::ExistingOnly);
  void close();
  bool is_open() const;
  QString path() const;

  // Runs command text (translated from the stored-SQL dialect first). Returns false and
  // keeps error_string() on failure; rows_affected receives the changed-row count.
  bool execute(const QString& sql, int* rows_affected = nullptr);

  // Client-side recordsets. A failed open gives a closed recordset that reads as
  // having no rows; never null.
  std::unique_ptr<Recordset> open_recordset(const QString& sql);
  std::unique_ptr<Recordset> open_table_recordset(const QString& table);

  QString error_string() const;
  sqlite3* handle() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

using ConnectionPtr = std::shared_ptr<Connection>;

// Bulk work in one transaction: begins in the constructor, rolls back in the destructor
// unless commit() succeeded.
class Transaction {
 public:
  explicit Transaction(Connection& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  bool active() const;
  bool commit();

 private:
  Connection& connection_;
  bool active_ = false;
};

}  // namespace vemo

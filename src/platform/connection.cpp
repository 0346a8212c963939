// Connection to one SQLite file: open, dialect-translated commands, recordsets, transactions.
#include "platform/connection.h"

#include "platform/log.h"
#include "platform/recordset.h"
#include "platform/scramble_vfs.h"
#include "platform/sql_dialect.h"
#include "platform/sqlite_handle.h"
#include "platform/sqlite_record_source.h"

#include <QFile>

#include <sqlite3.h>

namespace vemo {
namespace {

constexpr int kBusyTimeoutMs = 5000;

}  // namespace

struct Connection::Impl {
  SqliteHandlePtr handle;
  QString path;
  QString error;

  bool fail(const QString& what, const QString& why) {
    error = why;
    log_skip(QStringLiteral("connection"), what, why);
    return false;
  }
};

Connection::Connection() : impl_(std::make_unique<Impl>()) {}

Connection::~Connection() { close(); }

bool Connection::open(const QString& path, OpenMode mode) {
  close();
  int flags = SQLITE_OPEN_READWRITE;
  if (mode == OpenMode::CreateIfMissing) flags |= SQLITE_OPEN_CREATE;
  sqlite3* db = nullptr;
  const int rc =
      sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, scramble_vfs_name());
  auto handle = std::make_shared<SqliteHandle>(db);
  if (rc != SQLITE_OK) return impl_->fail("open " + path, handle->last_error());
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  // SQLite opens lazily; reading the schema now makes a file that is no database fail here.
  if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
      SQLITE_OK) {
    return impl_->fail("open " + path, handle->last_error());
  }
  impl_->handle = std::move(handle);
  impl_->path = path;
  impl_->error.clear();
  return true;
}

void Connection::close() {
  if (impl_->handle) impl_->handle->close();
  impl_->handle.reset();
  impl_->path.clear();
}

bool Connection::is_open() const { return impl_->handle && impl_->handle->db(); }

QString Connection::path() const { return impl_->path; }

bool Connection::execute(const QString& sql, int* rows_affected) {
  if (rows_affected) *rows_affected = 0;
  if (!is_open()) return impl_->fail(sql, QStringLiteral("connection is not open"));
  QString why;
  const QString translated = translate_sql(sql, &why);
  if (translated.isNull()) return impl_->fail(sql, why);
  sqlite3* db = impl_->handle->db();
  StatementPtr statement = prepare_one(db, translated, &why);
  if (!statement) return impl_->fail(sql, why);
  int rc;
  while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) return impl_->fail(sql, impl_->handle->last_error());
  if (rows_affected) *rows_affected = sqlite3_changes(db);
  impl_->error.clear();
  return true;
}

std::unique_ptr<Recordset> Connection::open_recordset(const QString& sql) {
  if (!is_open()) {
    impl_->fail(sql, QStringLiteral("connection is not open"));
    return std::make_unique<Recordset>();
  }
  QString why;
  const QString translated = translate_sql(sql, &why);
  if (translated.isNull()) {
    impl_->fail(sql, why);
    return std::make_unique<Recordset>();
  }
  bool ran_without_rows = false;
  auto source = SqliteRecordSource::open_query(impl_->handle, translated, &why, &ran_without_rows);
  if (!source) {
    if (ran_without_rows) {
      log_debug(QStringLiteral("connection"), "ran without rows: " + sql);
    } else {
      impl_->fail(sql, why);
    }
    return std::make_unique<Recordset>();
  }
  return std::make_unique<Recordset>(std::move(source));
}

std::unique_ptr<Recordset> Connection::open_table_recordset(const QString& table) {
  if (!is_open()) {
    impl_->fail(table, QStringLiteral("connection is not open"));
    return std::make_unique<Recordset>();
  }
  QString why;
  auto source = SqliteRecordSource::open_table(impl_->handle, table, &why);
  if (!source) {
    impl_->fail("table " + table, why);
    return std::make_unique<Recordset>();
  }
  return std::make_unique<Recordset>(std::move(source));
}

QString Connection::error_string() const { return impl_->error; }

sqlite3* Connection::handle() const { return impl_->handle ? impl_->handle->db() : nullptr; }

Transaction::Transaction(Connection& connection) : connection_(connection) {
  active_ = connection_.execute(QStringLiteral("BEGIN"));
}

Transaction::~Transaction() {
  if (active_) connection_.execute(QStringLiteral("ROLLBACK"));
}

bool Transaction::active() const { return active_; }

bool Transaction::commit() {
  if (!active_) return false;
  if (!connection_.execute(QStringLiteral("COMMIT"))) return false;
  active_ = false;
  return true;
}

}  // namespace vemo

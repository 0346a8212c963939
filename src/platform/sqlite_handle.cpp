// Shared SQLite connection, statement cache and single-statement preparation.
#include "platform/sqlite_handle.h"

#include <sqlite3.h>

namespace vemo {

SqliteHandle::SqliteHandle(sqlite3* db) : db_(db) {}

SqliteHandle::~SqliteHandle() { close(); }

void SqliteHandle::close() {
  for (sqlite3_stmt* statement : std::as_const(cache_)) sqlite3_finalize(statement);
  cache_.clear();
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

QString SqliteHandle::last_error() const {
  return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("connection closed");
}

sqlite3_stmt* SqliteHandle::cached(const QString& sql) {
  if (!db_) return nullptr;
  auto it = cache_.find(sql);
  if (it != cache_.end()) {
    sqlite3_reset(it.value());
    sqlite3_clear_bindings(it.value());
    return it.value();
  }
  QString error;
  StatementPtr statement = prepare_one(db_, sql, &error);
  if (!statement) return nullptr;
  sqlite3_stmt* raw = statement.release();
  cache_.insert(sql, raw);
  return raw;
}

void StatementDeleter::operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }

StatementPtr prepare_one(sqlite3* db, const QString& sql, QString* error) {
  if (!db) {
    if (error) *error = QStringLiteral("connection closed");
    return nullptr;
  }
  const QByteArray text = sql.toUtf8();
  sqlite3_stmt* raw = nullptr;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &raw, &tail) != SQLITE_OK) {
    if (error) *error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(raw);
    return nullptr;
  }
  StatementPtr statement(raw);
  if (!statement) {
    if (error) *error = QStringLiteral("no statement in the text");
    return nullptr;
  }
  for (const char* p = tail; p && *p; ++p) {
    if (*p != ';' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') {
      if (error) *error = QStringLiteral("more than one statement in the text");
      return nullptr;
    }
  }
  return statement;
}

QString quote_identifier(const QString& name) {
  QString doubled = name;
  doubled.replace('"', QStringLiteral("\"\""));
  return '"' + doubled + '"';
}

}  // namespace vemo

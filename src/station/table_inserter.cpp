// Prepared bulk inserts.
#include "station/table_inserter.h"

#include "platform/connection.h"
#include "platform/sql_text.h"

#include <sqlite3.h>

namespace vemo {

TableInserter::TableInserter(Connection& connection, const QString& table,
                             const QStringList& columns)
    : db_(connection.handle()), table_(table) {
  if (db_ == nullptr || columns.isEmpty()) {
    error_ = QStringLiteral("没有打开的数据库或没有列");
    return;
  }
  QStringList names;
  QStringList marks;
  for (const QString& column : columns) {
    names << sql_identifier(column);
    marks << QStringLiteral("?");
  }
  const QByteArray sql = (QStringLiteral("insert into ") + sql_identifier(table) + " (" +
                          names.join(", ") + ") values (" + marks.join(", ") + ")")
                             .toUtf8();
  if (sqlite3_prepare_v2(db_, sql.constData(), int(sql.size()), &statement_, nullptr) !=
      SQLITE_OK) {
    error_ = table + ": " + QString::fromUtf8(sqlite3_errmsg(db_));
    sqlite3_finalize(statement_);
    statement_ = nullptr;
  }
}

TableInserter::~TableInserter() { sqlite3_finalize(statement_); }

bool TableInserter::insert(const std::vector<QVariant>& values) {
  if (statement_ == nullptr) return false;
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
  const int count = sqlite3_bind_parameter_count(statement_);
  for (int i = 0; i < count && i < int(values.size()); ++i) {
    const QVariant& value = values[size_t(i)];
    const int index = i + 1;
    switch (value.typeId()) {
      case QMetaType::UnknownType:
        sqlite3_bind_null(statement_, index);
        break;
      case QMetaType::Int:
      case QMetaType::LongLong:
        sqlite3_bind_int64(statement_, index, value.toLongLong());
        break;
      case QMetaType::Double:
        sqlite3_bind_double(statement_, index, value.toDouble());
        break;
      default: {
        if (value.isNull()) {
          sqlite3_bind_null(statement_, index);
          break;
        }
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(statement_, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
      }
    }
  }
  if (sqlite3_step(statement_) != SQLITE_DONE) {
    error_ = table_ + ": " + QString::fromUtf8(sqlite3_errmsg(db_));
    return false;
  }
  return true;
}

}  // namespace vemo

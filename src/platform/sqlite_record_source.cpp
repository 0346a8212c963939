// SQLite record source: loading rows and writing edits back with bound parameters.
#include "platform/sqlite_record_source.h"

#include "platform/field_value.h"
#include "platform/filter_criteria.h"
#include "platform/log.h"
#include "platform/sql_shape.h"

#include <sqlite3.h>

namespace vemo {
namespace {

QVariant column_value(sqlite3_stmt* statement, int i) {
  switch (sqlite3_column_type(statement, i)) {
    case SQLITE_INTEGER:
      return QVariant(qint64(sqlite3_column_int64(statement, i)));
    case SQLITE_FLOAT:
      return QVariant(sqlite3_column_double(statement, i));
    case SQLITE_TEXT:
      return QVariant(
          QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, i)),
                            sqlite3_column_bytes(statement, i)));
    case SQLITE_BLOB:
      return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, i)),
                                 sqlite3_column_bytes(statement, i)));
    default:
      return QVariant();
  }
}

void bind_value(sqlite3_stmt* statement, int index, const QVariant& value) {
  if (value.isNull()) {
    sqlite3_bind_null(statement, index);
  } else if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
    sqlite3_bind_double(statement, index, value.toDouble());
  } else if (is_number_value(value)) {
    sqlite3_bind_int64(statement, index, value.toLongLong());
  } else if (value.typeId() == QMetaType::QByteArray) {
    const QByteArray bytes = value.toByteArray();
    sqlite3_bind_blob(statement, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
  } else {
    const QByteArray text = value_text(value).toUtf8();
    sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
  }
}

// Column metadata of a prepared statement, from result column `first` on.
std::vector<FieldInfo> statement_fields(sqlite3_stmt* statement, int first, const QString& table) {
  std::vector<FieldInfo> fields;
  const int count = sqlite3_column_count(statement);
  for (int i = first; i < count; ++i) {
    FieldInfo field;
    field.name = QString::fromUtf8(sqlite3_column_name(statement, i));
    field.type = field_type_for_declared(QString::fromUtf8(sqlite3_column_decltype(statement, i)));
    const char* origin = sqlite3_column_origin_name(statement, i);
    const char* origin_table = sqlite3_column_table_name(statement, i);
    if (origin && origin_table &&
        QString::fromUtf8(origin_table).compare(table, Qt::CaseInsensitive) == 0) {
      field.origin = QString::fromUtf8(origin);
    }
    fields.push_back(field);
  }
  return fields;
}

}  // namespace

SqliteRecordSource::SqliteRecordSource(SqliteHandlePtr handle, QString name)
    : handle_(std::move(handle)), name_(std::move(name)) {}

bool SqliteRecordSource::fail(const QString& why) {
  error_ = why;
  log_skip(QStringLiteral("recordset"), name_, why);
  return false;
}

std::unique_ptr<SqliteRecordSource> SqliteRecordSource::open_query(SqliteHandlePtr handle,
                                                                   const QString& sql,
                                                                   QString* error,
                                                                   bool* ran_without_rows) {
  if (ran_without_rows) *ran_without_rows = false;
  std::unique_ptr<SqliteRecordSource> source(new SqliteRecordSource(handle, sql));
  sqlite3* db = handle->db();
  StatementPtr statement;
  const QString table = single_table_of(sql);
  if (!table.isEmpty()) {
    const int select_end = int(sql.indexOf(QLatin1String("select"), 0, Qt::CaseInsensitive)) + 6;
    const QString keyed_sql =
        sql.left(select_end) + QStringLiteral(" rowid,") + sql.mid(select_end);
    statement = prepare_one(db, keyed_sql, nullptr);
    if (statement) {
      source->table_ = table;
      source->keyed_ = true;
    }
  }
  if (!statement) statement = prepare_one(db, sql, error);
  if (!statement) return nullptr;
  const int first = source->keyed_ ? 1 : 0;
  source->fields_ = statement_fields(statement.get(), first, table);
  const int count = sqlite3_column_count(statement.get());
  int rc;
  while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
    Record record;
    if (source->keyed_) record.key = sqlite3_column_int64(statement.get(), 0);
    record.values.reserve(count - first);
    for (int i = first; i < count; ++i) record.values.append(column_value(statement.get(), i));
    source->preloaded_.push_back(std::move(record));
  }
  if (rc != SQLITE_DONE) {
    if (error) *error = handle->last_error();
    return nullptr;
  }
  if (count == 0) {
    if (ran_without_rows) *ran_without_rows = true;
    return nullptr;
  }
  source->has_preloaded_ = true;
  return source;
}

std::unique_ptr<SqliteRecordSource> SqliteRecordSource::open_table(SqliteHandlePtr handle,
                                                                   const QString& table,
                                                                   QString* error) {
  std::unique_ptr<SqliteRecordSource> source(new SqliteRecordSource(handle, table));
  const QString from = QStringLiteral(" FROM ") + quote_identifier(table);
  source->load_sql_ = QStringLiteral("SELECT rowid, *") + from;
  StatementPtr statement = prepare_one(handle->db(), source->load_sql_, nullptr);
  if (statement) {
    source->table_ = table;
    source->keyed_ = true;
  } else {  // a table without rowids can still be read
    source->load_sql_ = QStringLiteral("SELECT *") + from;
    statement = prepare_one(handle->db(), source->load_sql_, error);
    if (!statement) return nullptr;
  }
  source->fields_ = statement_fields(statement.get(), source->keyed_ ? 1 : 0, table);
  return source;
}

bool SqliteRecordSource::read_rows(const QString& sql, const QVariantList& parameters,
                                   std::vector<Record>* rows) {
  QString why;
  StatementPtr statement = prepare_one(handle_->db(), sql, &why);
  if (!statement) return fail(why);
  for (int i = 0; i < parameters.size(); ++i) bind_value(statement.get(), i + 1, parameters[i]);
  const int first = keyed_ ? 1 : 0;
  const int count = sqlite3_column_count(statement.get());
  rows->clear();
  int rc;
  while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
    Record record;
    if (keyed_) record.key = sqlite3_column_int64(statement.get(), 0);
    record.values.reserve(count - first);
    for (int i = first; i < count; ++i) record.values.append(column_value(statement.get(), i));
    rows->push_back(std::move(record));
  }
  if (rc != SQLITE_DONE) return fail(handle_->last_error());
  return true;
}

bool SqliteRecordSource::load(std::vector<Record>* rows) {
  if (has_preloaded_) {
    *rows = std::move(preloaded_);
    preloaded_.clear();
    has_preloaded_ = false;
    return true;
  }
  if (load_sql_.isEmpty()) return fail(QStringLiteral("the statement's rows were already taken"));
  return read_rows(load_sql_, {}, rows);
}

bool SqliteRecordSource::load_matching(const FilterCriteria& criteria, std::vector<Record>* rows) {
  if (has_preloaded_ || load_sql_.isEmpty()) return false;
  QString where;
  QVariantList parameters;
  if (!criteria.to_sql(&where, &parameters)) return false;
  return read_rows(load_sql_ + QStringLiteral(" WHERE ") + where, parameters, rows);
}

bool SqliteRecordSource::refresh(Record* record) {
  if (refresh_sql_.isEmpty()) {
    QStringList columns;
    for (int i = 0; i < int(fields_.size()); ++i) {
      if (fields_[i].origin.isEmpty()) continue;
      columns << quote_identifier(fields_[i].origin);
      refresh_fields_.push_back(i);
    }
    if (columns.isEmpty()) return true;
    refresh_sql_ = QStringLiteral("SELECT ") + columns.join(',') + QStringLiteral(" FROM ") +
                   quote_identifier(table_) + QStringLiteral(" WHERE rowid=?");
  }
  const std::vector<int>& indexes = refresh_fields_;
  sqlite3_stmt* statement = handle_->cached(refresh_sql_);
  if (!statement) return fail(handle_->last_error());
  sqlite3_bind_int64(statement, 1, record->key);
  if (sqlite3_step(statement) != SQLITE_ROW) {
    sqlite3_reset(statement);
    return fail(QStringLiteral("the written row cannot be read back"));
  }
  for (int j = 0; j < int(indexes.size()); ++j) {
    record->values[indexes[j]] = column_value(statement, j);
  }
  sqlite3_reset(statement);
  return true;
}

bool SqliteRecordSource::update(Record* record, const FieldChanges& changes) {
  if (!writable()) return fail(QStringLiteral("read-only recordset"));
  if (changes.empty()) return true;
  std::vector<int> columns;
  for (const auto& change : changes) {
    if (fields_[change.first].origin.isEmpty()) {
      return fail("computed field cannot be written: " + fields_[change.first].name);
    }
    columns.push_back(change.first);
  }
  QString& sql = update_sql_[columns];
  if (sql.isEmpty()) {
    QStringList sets;
    for (const int index : columns) sets << quote_identifier(fields_[index].origin) + "=?";
    sql = "UPDATE " + quote_identifier(table_) + " SET " + sets.join(',') + " WHERE rowid=?";
  }
  sqlite3_stmt* statement = handle_->cached(sql);
  if (!statement) return fail(handle_->last_error());
  int n = 1;
  for (const auto& change : changes) bind_value(statement, n++, change.second);
  sqlite3_bind_int64(statement, n, record->key);
  const int rc = sqlite3_step(statement);
  sqlite3_reset(statement);
  if (rc != SQLITE_DONE) return fail(handle_->last_error());
  if (sqlite3_changes(handle_->db()) != 1) return fail(QStringLiteral("the row no longer exists"));
  return refresh(record);
}

bool SqliteRecordSource::insert(Record* record, const FieldChanges& values) {
  if (!writable()) return fail(QStringLiteral("read-only recordset"));
  std::vector<int> columns;
  for (const auto& value : values) {
    if (fields_[value.first].origin.isEmpty()) {
      return fail("computed field cannot be written: " + fields_[value.first].name);
    }
    columns.push_back(value.first);
  }
  QString& sql = insert_sql_[columns];
  if (sql.isEmpty()) {
    QStringList names, marks;
    for (const int index : columns) {
      names << quote_identifier(fields_[index].origin);
      marks << QStringLiteral("?");
    }
    sql = "INSERT INTO " + quote_identifier(table_) +
          (names.isEmpty() ? QStringLiteral(" DEFAULT VALUES")
                           : " (" + names.join(',') + ") VALUES (" + marks.join(',') + ')');
  }
  sqlite3_stmt* statement = handle_->cached(sql);
  if (!statement) return fail(handle_->last_error());
  int n = 1;
  for (const auto& value : values) bind_value(statement, n++, value.second);
  const int rc = sqlite3_step(statement);
  sqlite3_reset(statement);
  if (rc != SQLITE_DONE) return fail(handle_->last_error());
  record->key = sqlite3_last_insert_rowid(handle_->db());
  record->values = QVariantList(int(fields_.size()));
  for (const auto& [index, value] : values) record->values[index] = value;
  return refresh(record);
}

bool SqliteRecordSource::remove(const Record& record) {
  if (!writable()) return fail(QStringLiteral("read-only recordset"));
  sqlite3_stmt* statement = handle_->cached(
      QStringLiteral("DELETE FROM ") + quote_identifier(table_) + QStringLiteral(" WHERE rowid=?"));
  if (!statement) return fail(handle_->last_error());
  sqlite3_bind_int64(statement, 1, record.key);
  const int rc = sqlite3_step(statement);
  sqlite3_reset(statement);
  if (rc != SQLITE_DONE) return fail(handle_->last_error());
  if (sqlite3_changes(handle_->db()) != 1) return fail(QStringLiteral("the row no longer exists"));
  return true;
}

}  // namespace vemo

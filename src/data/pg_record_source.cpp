// Server rows in memory; pending changes written back by row key with bound parameters.
#include "data/pg_record_source.h"

#include "data/pg_connection.h"
#include "platform/log.h"
#include "platform/sql_text.h"

#include <libpq-fe.h>

namespace vemo {
namespace {

// Whole numbers stay integers, as an integer column of the local database gives them.
QVariant number_value(const QByteArray& text) {
  bool ok = false;
  const qint64 whole = text.toLongLong(&ok);
  if (ok) return QVariant(whole);
  const double number = text.toDouble(&ok);
  if (!ok) return QVariant(QString::fromUtf8(text));
  if (number > -9e15 && number < 9e15 && number == double(qint64(number))) {
    return QVariant(qint64(number));
  }
  return QVariant(number);
}

QVariant cell_value(const pg_result* result, int row, int column, FieldType type) {
  if (PQgetisnull(result, row, column)) return QVariant();
  const QByteArray text(PQgetvalue(result, row, column), PQgetlength(result, row, column));
  switch (type) {
    case FieldType::Integer:
      if (text == "t" || text == "f") return QVariant(qint64(text == "t"));
      return number_value(text);
    case FieldType::Real: {
      bool ok = false;
      const double number = text.toDouble(&ok);
      return ok ? QVariant(number) : QVariant(QString::fromUtf8(text));
    }
    case FieldType::Empty:
      if (PQftype(result, column) == 1700) return number_value(text);  // numeric
      break;
    case FieldType::Date:
    case FieldType::Text:
      break;
  }
  return QVariant(QString::fromUtf8(text));
}

}  // namespace

std::unique_ptr<PgRecordSource> PgRecordSource::from_result(PgConnection& connection,
                                                            const pg_result* result,
                                                            const QString& name, bool keyed) {
  std::unique_ptr<PgRecordSource> source(new PgRecordSource(name));
  const unsigned table_oid = keyed ? PQftable(result, 0) : 0;
  if (table_oid != 0) source->table_ = connection.table_name(table_oid);
  std::vector<int> columns;  // result columns shown as fields
  const int count = PQnfields(result);
  for (int i = keyed ? 1 : 0; i < count; ++i) {
    const unsigned from = PQftable(result, i);
    const QString origin = connection.column_name(from, PQftablecol(result, i));
    if (from != 0 && origin == kServerRowKey) continue;  // the key never shows
    FieldInfo field;
    field.name = QString::fromUtf8(PQfname(result, i));
    field.type = connection.field_type(PQftype(result, i));
    if (!source->table_.isEmpty() && from == table_oid) field.origin = origin;
    source->fields_.push_back(field);
    columns.push_back(i);
  }
  const int rows = PQntuples(result);
  source->rows_.reserve(rows);
  for (int row = 0; row < rows; ++row) {
    Record record;
    if (!source->table_.isEmpty()) record.key = QByteArray(PQgetvalue(result, row, 0)).toLongLong();
    record.values.reserve(int(columns.size()));
    for (int j = 0; j < int(columns.size()); ++j) {
      record.values.append(cell_value(result, row, columns[j], source->fields_[j].type));
    }
    source->rows_.push_back(std::move(record));
  }
  return source;
}

bool PgRecordSource::fail(const QString& why) {
  error_ = why;
  log_skip(QStringLiteral("recordset"), name_, why);
  return false;
}

bool PgRecordSource::load(std::vector<Record>* rows) {
  if (rows_taken_) return fail(QStringLiteral("the statement's rows were already taken"));
  *rows = std::move(rows_);
  rows_.clear();
  rows_taken_ = true;
  return true;
}

bool PgRecordSource::check_writable(const FieldChanges& changes) {
  if (!writable()) return fail(QStringLiteral("read-only recordset"));
  for (const auto& change : changes) {
    if (fields_[change.first].origin.isEmpty()) {
      return fail("computed field cannot be written: " + fields_[change.first].name);
    }
  }
  return true;
}

bool PgRecordSource::update(Record* record, const FieldChanges& changes) {
  if (!check_writable(changes)) return false;
  if (changes.empty()) return true;
  for (const auto& [index, value] : changes) record->values[index] = value;
  pending_.push_back({ChangeKind::Update, record->key, changes});
  return true;
}

bool PgRecordSource::insert(Record* record, const FieldChanges& values) {
  if (!check_writable(values)) return false;
  record->key = next_new_key_--;
  record->values = QVariantList(int(fields_.size()));
  for (const auto& [index, value] : values) record->values[index] = value;
  pending_.push_back({ChangeKind::Insert, record->key, values});
  return true;
}

bool PgRecordSource::remove(const Record& record) {
  if (!writable()) return fail(QStringLiteral("read-only recordset"));
  pending_.push_back({ChangeKind::Delete, record.key, {}});
  return true;
}

bool PgRecordSource::write(PgConnection& connection, const Change& change,
                           QHash<qint64, qint64>* assigned) {
  QVariantList parameters;
  QStringList names;
  for (const auto& [index, value] : change.values) {
    names << sql_identifier(fields_[index].origin);
    parameters << value;
  }
  const QString key_column = sql_identifier(kServerRowKey);
  if (change.kind == ChangeKind::Insert) {
    QStringList marks;
    for (int i = 1; i <= parameters.size(); ++i) marks << '$' + QString::number(i);
    const QString sql =
        "insert into " + table_ +
        (names.isEmpty() ? QStringLiteral(" default values")
                         : " (" + names.join(',') + ") values (" + marks.join(',') + ')') +
        " returning " + key_column;
    PgResultPtr result = connection.exec(sql, parameters, PgExec::InTransaction);
    if (!result) return fail(connection.error());
    assigned->insert(change.key, QByteArray(PQgetvalue(result.get(), 0, 0)).toLongLong());
    return true;
  }
  const qint64 key = change.key < 0 ? assigned->value(change.key, 0) : change.key;
  QString sql;
  if (change.kind == ChangeKind::Update) {
    QStringList sets;
    for (int i = 0; i < names.size(); ++i) sets << names[i] + "=$" + QString::number(i + 1);
    sql = "update " + table_ + " set " + sets.join(',') + " where " + key_column + "=$" +
          QString::number(parameters.size() + 1);
  } else {
    sql = "delete from " + table_ + " where " + key_column + "=$1";
  }
  parameters << QVariant(key);
  PgResultPtr result = connection.exec(sql, parameters, PgExec::InTransaction);
  if (!result) return fail(connection.error());
  if (QByteArray(PQcmdTuples(result.get())) != "1") {
    return fail(QStringLiteral("the row no longer exists on the server"));
  }
  return true;
}

bool PgRecordSource::submit(PgConnection& connection) {
  if (pending_.empty()) return true;
  if (!connection.exec(QStringLiteral("begin"))) return fail(connection.error());
  QHash<qint64, qint64> assigned = assigned_;
  for (const Change& change : pending_) {
    if (!write(connection, change, &assigned)) {
      const QString why = error_;
      connection.exec(QStringLiteral("rollback"), {}, PgExec::InTransaction);
      error_ = why;
      return false;
    }
  }
  if (!connection.exec(QStringLiteral("commit"), {}, PgExec::InTransaction))
    return fail(connection.error());
  assigned_ = std::move(assigned);
  pending_.clear();
  return true;
}

}  // namespace vemo

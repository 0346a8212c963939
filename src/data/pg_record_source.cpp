// Server rows in memory; pending changes written back by row key with bound parameters.
#include "data/pg_record_source.h"

#include "data/pg_connection.h"
#include "platform/filter_criteria.h"
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

void PgRecordSource::read_fields(PgConnection& connection, const pg_result* result, bool keyed) {
  const unsigned table_oid = keyed ? PQftable(result, 0) : 0;
  if (table_oid != 0) table_ = connection.table_name(table_oid);
  const int count = PQnfields(result);
  for (int i = keyed ? 1 : 0; i < count; ++i) {
    const unsigned from = PQftable(result, i);
    const QString origin = connection.column_name(from, PQftablecol(result, i));
    if (from != 0 && origin == kServerRowKey) continue;  // the key never shows
    FieldInfo field;
    field.name = QString::fromUtf8(PQfname(result, i));
    field.type = connection.field_type(PQftype(result, i));
    if (!table_.isEmpty() && from == table_oid) field.origin = origin;
    fields_.push_back(field);
    columns_.push_back(i);
  }
}

void PgRecordSource::read_rows(const pg_result* result, std::vector<Record>* rows) const {
  const int count = PQntuples(result);
  rows->clear();
  rows->reserve(count);
  for (int row = 0; row < count; ++row) {
    Record record;
    if (!table_.isEmpty()) record.key = QByteArray(PQgetvalue(result, row, 0)).toLongLong();
    record.values.reserve(int(columns_.size()));
    for (int j = 0; j < int(columns_.size()); ++j) {
      record.values.append(cell_value(result, row, columns_[j], fields_[j].type));
    }
    rows->push_back(std::move(record));
  }
}

std::unique_ptr<PgRecordSource> PgRecordSource::from_result(PgConnection& connection,
                                                            const pg_result* result,
                                                            const QString& name, bool keyed) {
  std::unique_ptr<PgRecordSource> source(new PgRecordSource(name));
  source->read_fields(connection, result, keyed);
  source->read_rows(result, &source->rows_);
  return source;
}

std::unique_ptr<PgRecordSource> PgRecordSource::for_table(std::shared_ptr<PgConnection> connection,
                                                          const pg_result* empty_result,
                                                          const QString& table_sql) {
  std::unique_ptr<PgRecordSource> source(new PgRecordSource(table_sql));
  source->read_fields(*connection, empty_result, true);
  source->connection_ = std::move(connection);
  source->table_sql_ = table_sql;
  return source;
}

bool PgRecordSource::read_table(const QString& where, const QVariantList& parameters,
                                std::vector<Record>* rows) {
  PgResultPtr result = connection_->exec(table_sql_ + where, parameters, PgExec::Read);
  if (!result) return fail(connection_->error());
  read_rows(result.get(), rows);
  return true;
}

bool PgRecordSource::load_matching(const FilterCriteria& criteria, std::vector<Record>* rows) {
  if (!connection_) return false;
  QString where;
  QVariantList parameters;
  if (!criteria.to_sql(&where, &parameters)) return false;
  // The condition is written for SQLite: numbered parameters, and no collations (text
  // columns on the server compare as the local ones do by their own type).
  where.remove(QStringLiteral(" COLLATE NOCASE")).remove(QStringLiteral(" COLLATE BINARY"));
  QString numbered;
  int n = 0;
  bool quoted = false;
  for (const QChar c : where) {
    if (c == '\'') quoted = !quoted;
    if (c == '?' && !quoted) {
      numbered += '$' + QString::number(++n);
    } else {
      numbered += c;
    }
  }
  log_debug(QStringLiteral("recordset"),
            name_ + QStringLiteral(" filtered on the server: ") + numbered);
  return read_table(QStringLiteral(" where ") + numbered, parameters, rows);
}

bool PgRecordSource::fail(const QString& why) {
  error_ = why;
  log_skip(QStringLiteral("recordset"), name_, why);
  return false;
}

bool PgRecordSource::load(std::vector<Record>* rows) {
  if (connection_) return read_table(QString(), {}, rows);
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
      pending_.clear();
      error_ = why;
      return false;
    }
  }
  if (!connection.exec(QStringLiteral("commit"), {}, PgExec::InTransaction)) {
    pending_.clear();
    return fail(connection.error());
  }
  assigned_ = std::move(assigned);
  pending_.clear();
  return true;
}

}  // namespace vemo

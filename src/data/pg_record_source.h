// Recordset rows from a server result, with edits kept as pending changes until submitted.
#pragma once

#include "platform/record_source.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

struct pg_result;

namespace vemo {

class PgConnection;

class PgRecordSource final : public RecordSource {
 public:
  // Takes the rows of a result at once. With `keyed` the first result column is the
  // table's row key (kServerRowKey) and the rows are editable; otherwise read-only.
  static std::unique_ptr<PgRecordSource> from_result(PgConnection& connection,
                                                     const pg_result* result, const QString& name,
                                                     bool keyed);
  // A whole table whose rows are read when first asked for, so that a filter set at once
  // is answered by the server: `empty_result` is the keyed select of no rows.
  static std::unique_ptr<PgRecordSource> for_table(std::shared_ptr<PgConnection> connection,
                                                   const pg_result* empty_result,
                                                   const QString& table_sql);

  QString name() const override { return name_; }
  const std::vector<FieldInfo>& fields() const override { return fields_; }
  bool load(std::vector<Record>* rows) override;
  bool load_matching(const FilterCriteria& criteria, std::vector<Record>* rows) override;
  bool writable() const override { return !table_.isEmpty(); }
  // Edits change the record at once and wait in the source for submit().
  bool update(Record* record, const FieldChanges& changes) override;
  bool insert(Record* record, const FieldChanges& values) override;
  bool remove(const Record& record) override;
  QString error_string() const override { return error_; }

  bool has_pending() const { return !pending_.empty(); }
  // Writes the pending changes in one transaction: all or nothing. On failure the server is
  // unchanged, error_string() says why and the changes are dropped: writers submit after
  // every record, and a change the server refused must not make every later submit of the
  // same recordset fail with it.
  bool submit(PgConnection& connection);

 private:
  enum class ChangeKind { Update, Insert, Delete };
  struct Change {
    ChangeKind kind;
    qint64 key;  // negative: a row inserted here, its server key known after its insert ran
    FieldChanges values;
  };

  explicit PgRecordSource(QString name) : name_(std::move(name)) {}
  void read_fields(PgConnection& connection, const pg_result* result, bool keyed);
  void read_rows(const pg_result* result, std::vector<Record>* rows) const;
  bool read_table(const QString& where, const QVariantList& parameters, std::vector<Record>* rows);
  bool fail(const QString& why);
  bool check_writable(const FieldChanges& changes);
  bool write(PgConnection& connection, const Change& change, QHash<qint64, qint64>* assigned);

  QString name_;
  QString table_;  // quoted, schema-qualified; empty when read-only
  std::vector<FieldInfo> fields_;
  std::vector<int> columns_;  // the result column of each field
  // Whole-table sources: the keyed select, run at load.
  std::shared_ptr<PgConnection> connection_;
  QString table_sql_;
  std::vector<Record> rows_;
  bool rows_taken_ = false;
  std::vector<Change> pending_;
  QHash<qint64, qint64> assigned_;  // keys of rows inserted here, once submitted
  qint64 next_new_key_ = -1;
  QString error_;
};

}  // namespace vemo

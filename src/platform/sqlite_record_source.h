// Recordset rows from an SQLite statement or table, with edits written back by rowid.
#pragma once

#include "platform/record_source.h"
#include "platform/sqlite_handle.h"

#include <map>
#include <memory>
#include <vector>

namespace vemo {

class SqliteRecordSource final : public RecordSource {
 public:
  // Runs a statement now. A statement over one table (select ... from t [where ...]
  // [order by ...]) is editable; joins, grouping and aggregates are read-only. nullptr
  // on failure, and also for a statement that returns no rows (it has run: *ran_without_rows).
  static std::unique_ptr<SqliteRecordSource> open_query(SqliteHandlePtr handle, const QString& sql,
                                                        QString* error,
                                                        bool* ran_without_rows = nullptr);
  // Checks the table and learns its columns without reading any row.
  static std::unique_ptr<SqliteRecordSource> open_table(SqliteHandlePtr handle,
                                                        const QString& table, QString* error);

  QString name() const override { return name_; }
  const std::vector<FieldInfo>& fields() const override { return fields_; }
  bool load(std::vector<Record>* rows) override;
  bool load_matching(const FilterCriteria& criteria, std::vector<Record>* rows) override;
  bool writable() const override { return !table_.isEmpty(); }
  bool update(Record* record, const FieldChanges& changes) override;
  bool insert(Record* record, const FieldChanges& values) override;
  bool remove(const Record& record) override;
  QString error_string() const override { return error_; }

 private:
  SqliteRecordSource(SqliteHandlePtr handle, QString name);
  bool read_rows(const QString& sql, const QVariantList& parameters, std::vector<Record>* rows);
  bool refresh(Record* record);
  bool fail(const QString& why);

  SqliteHandlePtr handle_;
  QString name_;
  QString table_;       // written to; empty when read-only
  QString load_sql_;    // for table sources; the first column is the rowid
  bool keyed_ = false;  // rows carry their rowid
  std::vector<FieldInfo> fields_;
  std::vector<Record> preloaded_;  // rows of a statement run at open
  bool has_preloaded_ = false;
  QString error_;
  // Write statements by the fields they set, built once.
  std::map<std::vector<int>, QString> update_sql_, insert_sql_;
  QString refresh_sql_;
  std::vector<int> refresh_fields_;
};

}  // namespace vemo

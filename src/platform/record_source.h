// Where a recordset's rows come from and where its edits go: SQLite now, a server later.
#pragma once

#include "platform/recordset.h"

#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

namespace vemo {

class FilterCriteria;

struct FieldInfo {
  QString name;                       // as the statement names the column
  FieldType type = FieldType::Empty;  // from the declared type; Empty: taken from the values
  QString origin;                     // the table column behind it; empty when computed
};

struct Record {
  QVariantList values;
  qint64 key = 0;  // the row's identity in its table, for writing it back
};

using FieldChanges = std::vector<std::pair<int, QVariant>>;  // field index, converted value

class RecordSource {
 public:
  virtual ~RecordSource() = default;

  virtual QString name() const = 0;  // for the log
  virtual const std::vector<FieldInfo>& fields() const = 0;

  // All rows.
  virtual bool load(std::vector<Record>* rows) = 0;
  // Only the rows matching the criteria, when the source can select them itself; false
  // when it cannot (the caller then loads everything and filters in memory).
  virtual bool load_matching(const FilterCriteria& criteria, std::vector<Record>* rows) = 0;

  // Edits: false with error_string() when the source is read-only or the write failed.
  // Successful writes refresh the record from the stored row.
  virtual bool writable() const = 0;
  virtual bool update(Record* record, const FieldChanges& changes) = 0;
  virtual bool insert(Record* record, const FieldChanges& values) = 0;
  virtual bool remove(const Record& record) = 0;

  virtual QString error_string() const = 0;
};

}  // namespace vemo

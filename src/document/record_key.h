// How a page key finds and fills the records of a table: the record filter and the key
// columns with the values they receive.
#pragma once

#include "document/catalog.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vemo {

struct RecordKey {
  QString filter;
  QStringList columns;  // key columns, each receiving the value at the same index
  QStringList values;
  bool from_template = false;
  bool empty_part = false;  // a key part the filter needs is empty

  bool is_key_column(const QString& column) const {
    return columns.contains(column, Qt::CaseInsensitive);
  }
};

// By default the record is found by ysth and the key's first part (the waybill number)
// goes into ysth. A catalog row with gjz, gjz_zdm and sy_bm that names the table fills gjz
// with the key instead, and the columns of gjz_zdm receive the key's parts in order.
RecordKey record_key(const std::optional<CatalogRow>& catalog, const QString& table,
                     const QString& key);

}  // namespace vemo

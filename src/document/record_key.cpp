// Record filters and key columns from the page key.
#include "document/record_key.h"

#include "document/key_template.h"
#include "platform/sql_text.h"

namespace vemo {

RecordKey record_key(const std::optional<CatalogRow>& catalog, const QString& table,
                     const QString& key) {
  RecordKey result;
  const QStringList parts = key.split('*');
  const bool has_template = catalog && catalog->has_key_template();
  result.from_template = has_template && catalog->sy_bm.contains(table, Qt::CaseInsensitive);
  const QString first = parts.value(0);
  int needed = 1;
  if (result.from_template) {
    result.filter = fill_key_template(catalog->gjz, key);
    needed = static_cast<int>(catalog->gjz.count(';'));
  } else {
    result.filter = QStringLiteral("ysth =") + sql_quote(first);
  }
  for (int i = 0; i < needed; ++i) {
    if (parts.value(i).trimmed().isEmpty()) result.empty_part = true;
  }
  if (catalog && !catalog->gjz_zdm.isEmpty()) {
    const QStringList columns = catalog->gjz_zdm.split('*');
    for (int i = 0; i < columns.size() && i < parts.size(); ++i) {
      result.columns << columns[i].trimmed();
      result.values << parts[i];
    }
  } else {
    // The filter looks the record up by the waybill number alone; a composite key stored
    // whole would never be found again.
    result.columns << QStringLiteral("ysth");
    result.values << first;
  }
  return result;
}

}  // namespace vemo

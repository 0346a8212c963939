// Recordset criteria ("ysth = 'A1' and (js > 2 or fz like '成*')"): parsed once, then
// matched against rows in memory or turned into a parameter-bound SQL condition.
#pragma once

#include "platform/record_source.h"

#include <QString>
#include <QVariantList>

#include <memory>
#include <optional>
#include <vector>

namespace vemo {

class FilterCriteria {
 public:
  // Parses and resolves the column names against the fields (any letter case). nullopt
  // with *error for malformed text or an unknown column.
  static std::optional<FilterCriteria> parse(const QString& text,
                                             const std::vector<FieldInfo>& fields, QString* error);

  FilterCriteria(FilterCriteria&&) noexcept;
  FilterCriteria& operator=(FilterCriteria&&) noexcept;
  ~FilterCriteria();

  // Text compares without regard to ASCII letter case (as SQLite's NOCASE), except the
  // password column mm; numbers compare as numbers; null matches nothing.
  bool matches(const QVariantList& values) const;

  // The same condition for SQLite, over the declared column types; false when some part
  // cannot be expressed with the same meaning (the caller then filters in memory).
  bool to_sql(QString* where, QVariantList* parameters) const;

  struct Node;

 private:
  FilterCriteria(std::unique_ptr<Node> root, std::vector<FieldInfo> fields);
  std::unique_ptr<Node> root_;
  std::vector<FieldInfo> fields_;
};

}  // namespace vemo

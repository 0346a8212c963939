// What a statement's text says about its result: whether it reads one table's rows one for one.
#pragma once

#include <QString>

namespace vemo {

// The table of "select ... from t [where ...] [order by ...]", or empty when the statement
// reads anything more than one table's rows one for one (joins, grouping, aggregates).
QString single_table_of(const QString& sql);

// True for a statement that returns rows (select, or values/with queries).
bool returns_rows(const QString& sql);

}  // namespace vemo

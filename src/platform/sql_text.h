// Quoting of values spliced into SQL and filter text: the only way a user's, a cell's
// or a file's value enters a statement, so it can never change the statement's shape.
#pragma once

#include <QString>

namespace vemo {

// 'value' with every ' doubled.
QString sql_quote(const QString& value);

// "name" with every " doubled: table and column names that are document names.
QString sql_identifier(const QString& name);

}  // namespace vemo

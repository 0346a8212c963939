// Field types from declared column types, and field writes converted to the column's type.
#pragma once

#include "platform/recordset.h"

#include <QString>
#include <QVariant>

#include <optional>

namespace vemo {

// TEXT/VARCHAR/CHAR -> Text, INT -> Integer, REAL/DOUBLE/FLOAT/NUMERIC/MONEY/CURRENCY ->
// Real, DATE/DATETIME -> Date; anything else (or no declared type) -> Empty.
FieldType field_type_for_declared(const QString& declared);

// The type a stored value reports when its column has no declared type.
FieldType field_type_of_value(const QVariant& value);

// The value to store in a column of the given type, or nullopt (with *why) when the value
// cannot go into it. Empty text into a number or date column stores NULL.
std::optional<QVariant> convert_for_column(FieldType type, const QVariant& value, QString* why);

// A stored value as text: numbers through number_text(), null as the empty text.
QString value_text(const QVariant& value);

bool is_number_value(const QVariant& value);

}  // namespace vemo

// Declared-type mapping and the write conversions of field values.
#include "platform/field_value.h"

#include "platform/dates.h"
#include "platform/number_text.h"

#include <QDate>
#include <QDateTime>

namespace vemo {

FieldType field_type_for_declared(const QString& declared) {
  const QString t = declared.toUpper();
  if (t.isEmpty()) return FieldType::Empty;
  if (t.contains(QLatin1String("DATE")) || t.contains(QLatin1String("TIME"))) {
    return FieldType::Date;
  }
  if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("TEXT")) ||
      t.contains(QLatin1String("CLOB"))) {
    return FieldType::Text;
  }
  if (t.contains(QLatin1String("INT"))) return FieldType::Integer;
  for (const char* word : {"REAL", "DOUB", "FLOA", "NUMERIC", "DECIMAL", "MONEY", "CURRENCY"}) {
    if (t.contains(QLatin1String(word))) return FieldType::Real;
  }
  return FieldType::Empty;
}

bool is_number_value(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
      return true;
    default:
      return false;
  }
}

FieldType field_type_of_value(const QVariant& value) {
  if (value.isNull()) return FieldType::Empty;
  if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
    return FieldType::Real;
  }
  if (is_number_value(value)) return FieldType::Integer;
  return FieldType::Text;
}

QString value_text(const QVariant& value) {
  if (value.isNull()) return QString();
  if (is_number_value(value)) return number_text(value.toDouble());
  if (value.typeId() == QMetaType::QDate) return date_text(value.toDate());
  if (value.typeId() == QMetaType::QDateTime) {
    return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  }
  return value.toString();
}

namespace {

// Whole numbers stay integers so that an integer column keeps integer storage.
QVariant number_variant(double number) {
  if (number > -9e15 && number < 9e15 && number == double(qint64(number))) {  // NaN fails all
    return QVariant(qint64(number));
  }
  return QVariant(number);
}

std::optional<QVariant> to_number(const QVariant& value, QString* why) {
  if (is_number_value(value)) return number_variant(value.toDouble());
  const QString text = value_text(value);
  if (text.trimmed().isEmpty()) return QVariant();
  if (const auto number = parse_number_text(text)) return number_variant(*number);
  *why = "not a number: " + text;
  return std::nullopt;
}

std::optional<QVariant> to_date(const QVariant& value, QString* why) {
  const QString text = value_text(value);
  if (text.trimmed().isEmpty()) return QVariant();
  if (const auto iso = iso_date_text(text)) return QVariant(*iso);
  *why = "not a date: " + text;
  return std::nullopt;
}

}  // namespace

std::optional<QVariant> convert_for_column(FieldType type, const QVariant& value, QString* why) {
  if (value.isNull()) return QVariant();
  switch (type) {
    case FieldType::Text:
      return QVariant(value_text(value));
    case FieldType::Integer:
    case FieldType::Real:
      return to_number(value, why);
    case FieldType::Date:
      return to_date(value, why);
    case FieldType::Empty:
      break;
  }
  if (is_number_value(value)) return number_variant(value.toDouble());
  return QVariant(value_text(value));
}

}  // namespace vemo

// Statement shapes, read from the text with quoted literals blanked out.
#include "platform/sql_shape.h"

#include <QRegularExpression>

namespace vemo {
namespace {

// The text with the inside of every '...' literal blanked, so values cannot look like keywords.
QString without_literals(const QString& sql) {
  QString out = sql;
  bool inside = false;
  for (QChar& c : out) {
    if (c == '\'') {
      inside = !inside;
    } else if (inside) {
      c = ' ';
    }
  }
  return out;
}

}  // namespace

QString single_table_of(const QString& sql) {
  static const QRegularExpression shape(
      QStringLiteral(R"(^\s*select\s+(.+?)\s+from\s+(\w+)\s*(?:(?:where|order\s+by)\b.*)?$)"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption |
          QRegularExpression::UseUnicodePropertiesOption);
  static const QRegularExpression grouped(
      QStringLiteral(R"(\b(distinct|group\s+by|having|union|join|limit|sum|count|min|max|avg|)"
                     R"(total|group_concat)\b)"),
      QRegularExpression::CaseInsensitiveOption);
  QString text = sql.trimmed();
  while (text.endsWith(';')) text.chop(1);
  const QRegularExpressionMatch m = shape.match(text);
  if (!m.hasMatch() || grouped.match(without_literals(text)).hasMatch()) return QString();
  return m.captured(2);
}

bool returns_rows(const QString& sql) {
  static const QRegularExpression query(QStringLiteral(R"(^\s*\(*\s*(select|with|values)\b)"),
                                        QRegularExpression::CaseInsensitiveOption);
  return query.match(sql).hasMatch();
}

}  // namespace vemo

// SQL literal quoting.
#include "platform/sql_text.h"

namespace vemo {

QString sql_quote(const QString& value) {
  QString doubled = value;
  doubled.replace('\'', QStringLiteral("''"));
  return '\'' + doubled + '\'';
}

QString sql_identifier(const QString& name) {
  QString doubled = name;
  doubled.replace('"', QStringLiteral("\"\""));
  return '"' + doubled + '"';
}

}  // namespace vemo

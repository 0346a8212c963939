// Routing rules. Only the statement's own words count: a waybill number, user name or
// password that happens to contain "bb" or a page name stays with the main database.
#include "data/routing.h"

#include <QRegularExpression>

namespace vemo {
namespace {

bool is_pop_table(const QString& name) {
  return name.trimmed().endsWith(QStringLiteral("_pop"), Qt::CaseInsensitive);
}

bool mentions_pop_table(const QString& lowered_sql) {
  static const QRegularExpression pop(QStringLiteral("\\w_pop\\b"),
                                      QRegularExpression::UseUnicodePropertiesOption);
  return pop.match(lowered_sql).hasMatch();
}

}  // namespace

QString strip_sql_literals(const QString& sql) {
  QString out;
  out.reserve(sql.size());
  QChar open;  // the quote character of the literal we are in, or null
  for (int i = 0; i < sql.size(); ++i) {
    const QChar c = sql[i];
    if (open.isNull()) {
      out += c;
      if (c == '\'' || c == '"' || c == '#') open = c;
      continue;
    }
    if (c != open) continue;
    if (i + 1 < sql.size() && sql[i + 1] == open && open != '#') {
      ++i;  // doubled quote inside the literal
      continue;
    }
    out += c;
    open = QChar();
  }
  return out;
}

Route route_query(const QString& sql, const QString& sheet_name, bool network_mode) {
  const QString t = strip_sql_literals(sql).toLower();
  const QString n = sheet_name.toLower();
  if ((!n.isEmpty() && t.contains(n)) || t.contains(QStringLiteral("sql_查询")) ||
      t.contains(QStringLiteral("cellact")) || t.contains(QStringLiteral("bb")) ||
      mentions_pop_table(t)) {
    return Route::Settings;
  }
  return network_mode ? Route::Remote : Route::Given;
}

Route route_table(const QString& table, const QString& sheet_name, bool network_mode) {
  const QString lowered = table.toLower();
  if ((!sheet_name.isEmpty() && table.contains(sheet_name)) ||
      lowered == QStringLiteral("sql_查询") || lowered == QStringLiteral("cellact") ||
      lowered == QStringLiteral("bb") || is_pop_table(table)) {
    return Route::Settings;
  }
  return network_mode ? Route::Remote : Route::Given;
}

}  // namespace vemo

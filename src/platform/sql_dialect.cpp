// Dialect translation: date literals first (they may sit anywhere), then delete forms.
#include "platform/sql_dialect.h"

#include "platform/dates.h"
#include "platform/log.h"
#include "platform/sql_text.h"

#include <QRegularExpression>

#include <optional>

namespace vemo {
namespace {

// Copies a quoted run starting at text[i] (quote character q, doubled q inside) and
// returns the index after it, or -1 when it is not closed.
int skip_quoted(const QString& text, int i, QChar q, QString* out) {
  const int start = i++;
  while (i < text.size()) {
    if (text[i] == q) {
      if (i + 1 < text.size() && text[i + 1] == q) {
        i += 2;
        continue;
      }
      out->append(text.mid(start, i + 1 - start));
      return i + 1;
    }
    ++i;
  }
  return -1;
}

std::optional<QString> translate_dates(const QString& sql, QString* why) {
  QString out;
  out.reserve(sql.size());
  int i = 0;
  while (i < sql.size()) {
    const QChar c = sql[i];
    if (c == '\'' || c == '"') {
      i = skip_quoted(sql, i, c, &out);
      if (i < 0) {
        *why = QStringLiteral("unclosed quoted text");
        return std::nullopt;
      }
    } else if (c == '[') {  // a bracketed name may hold ' or #
      const int end = sql.indexOf(']', i + 1);
      if (end < 0) {
        *why = QStringLiteral("unclosed [ name");
        return std::nullopt;
      }
      out += sql.mid(i, end + 1 - i);
      i = end + 1;
    } else if (c == '#') {
      const int end = sql.indexOf('#', i + 1);
      if (end < 0) {
        *why = QStringLiteral("unclosed # date literal");
        return std::nullopt;
      }
      const QString inside = sql.mid(i + 1, end - i - 1);
      const std::optional<QString> iso = iso_date_text(inside);
      if (!iso) {
        *why = "date literal not in year-month-day order: #" + inside + '#';
        return std::nullopt;
      }
      out += sql_quote(*iso);
      i = end + 1;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

// "t,u" without t: the other tables of a joined delete, for PostgreSQL's "using".
QString other_tables(const QString& tables, const QString& table) {
  QStringList others;
  for (const QString& part : tables.split(',')) {
    const QString name = part.trimmed();
    if (name.compare(table, Qt::CaseInsensitive) != 0) others << name;
  }
  return others.join(QStringLiteral(", "));
}

QString translate_delete(const QString& sql, SqlTarget target) {
  static const QRegularExpression delete_star(QStringLiteral(R"(^\s*delete\s+\*\s+from\s)"),
                                              QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression delete_joined(
      QStringLiteral(R"(^\s*delete\s+([\w]+)\.\*\s+from\s+(.+?)(?:\s+where\s+(.*))?\s*;?\s*$)"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption |
          QRegularExpression::UseUnicodePropertiesOption);
  if (const auto m = delete_star.match(sql); m.hasMatch()) {
    return QStringLiteral("delete from ") + sql.mid(m.capturedEnd());
  }
  if (const auto m = delete_joined.match(sql); m.hasMatch()) {
    const QString table = m.captured(1);
    if (target == SqlTarget::Postgres) {
      const QString others = other_tables(m.captured(2), table);
      QString out = "delete from " + table;
      if (!others.isEmpty()) out += " using " + others;
      if (m.capturedStart(3) >= 0) out += " where " + m.captured(3);
      return out;
    }
    QString inner = "select " + table + ".rowid from " + m.captured(2).trimmed();
    if (m.capturedStart(3) >= 0) inner += " where " + m.captured(3);
    return "delete from " + table + " where rowid in (" + inner + ')';
  }
  return sql;
}

}  // namespace

QString translate_sql(const QString& sql, QString* reject_reason, SqlTarget target) {
  QString why;
  const std::optional<QString> dated = translate_dates(sql, &why);
  if (!dated) {
    log_skip(QStringLiteral("sql"), sql, why);
    if (reject_reason) *reject_reason = why;
    return QString();
  }
  const QString translated = translate_delete(*dated, target);
  if (translated != sql) log_debug(QStringLiteral("sql"), sql + " -> " + translated);
  return translated;
}

}  // namespace vemo

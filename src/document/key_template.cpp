// Filling key templates.
#include "document/key_template.h"

#include "platform/log.h"
#include "platform/number_text.h"
#include "platform/sql_text.h"

#include <QStringList>

namespace vemo {
namespace {

enum class Context { Bare, Quoted, Date };

// Where the placeholder at `pos` stands: inside a '…' literal, a #…# date, or bare.
Context context_at(const QString& text, int pos) {
  QChar open;
  for (int i = 0; i < pos; ++i) {
    const QChar c = text[i];
    if (open.isNull()) {
      if (c == '\'' || c == '#') open = c;
    } else if (c == open) {
      open = QChar();
    }
  }
  if (open == '\'') return Context::Quoted;
  if (open == '#') return Context::Date;
  return Context::Bare;
}

QString safe_part(const QString& part, Context context) {
  switch (context) {
    case Context::Quoted: {
      QString doubled = part;
      return doubled.replace('\'', QStringLiteral("''"));
    }
    case Context::Date: {
      QString kept;
      for (const QChar c : part) {
        if (c.isDigit() || c == '/' || c == '-' || c == ':' || c == ' ') kept += c;
      }
      if (kept != part) log_skip(QStringLiteral("key"), part, QStringLiteral("not a date"));
      return kept;
    }
    case Context::Bare:
      break;
  }
  return is_number_text(part) ? part.trimmed() : sql_quote(part);
}

}  // namespace

QString fill_key_template(const QString& key_template, const QString& key) {
  const QStringList parts = key.split('*');
  QString result = key_template;
  int search_from = 0;
  for (int i = 0; i < parts.size() && i < kMaxKeyParts; ++i) {
    const int at = result.indexOf(';', search_from);
    if (at < 0) break;
    const QString part = safe_part(parts[i], context_at(result, at));
    result.replace(at, 1, part);
    search_from = at + part.size();
  }
  return result;
}

}  // namespace vemo

// Date conversions between typed or stored forms and ISO text.
#include "platform/dates.h"

#include <QRegularExpression>

namespace vemo {

QString date_text(const QDate& date) { return date.toString(QStringLiteral("yyyy-MM-dd")); }

QString today_text() { return date_text(QDate::currentDate()); }

std::optional<QString> iso_date_text(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral(
      R"(^\s*(\d{4})[/-](\d{1,2})[/-](\d{1,2})(?:[ T](\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
  const QRegularExpressionMatch m = pattern.match(text);
  if (!m.hasMatch()) return std::nullopt;
  const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
  if (!date.isValid()) return std::nullopt;
  if (m.captured(4).isEmpty()) return date_text(date);
  const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
  if (!time.isValid()) return std::nullopt;
  return date_text(date) + ' ' + time.toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace vemo

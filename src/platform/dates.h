// Dates as the system keeps them: ISO text YYYY-MM-DD (with time YYYY-MM-DD HH:MM:SS).
#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace vemo {

// Today's date as a cell and a date column hold it.
QString today_text();
QString date_text(const QDate& date);

// Reads year-month-day dates written with "/" or "-" (2004/1/5, 2004-01-05), with an
// optional time of day, and gives the ISO text; other orders are refused.
std::optional<QString> iso_date_text(const QString& text);

}  // namespace vemo

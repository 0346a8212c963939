// Completes the cell map of the daily transport report with its five parameter cells.
#pragma once

#include "session/session.h"

namespace vemo {

inline const QString kDailyReportPage = QStringLiteral("澜川物流货物运输日报表");

// A map of exactly 16 rows gains the five "wbd" rows; any other map is left alone.
// Returns whether rows were added.
bool correct_daily_report_map(Session& session);

}  // namespace vemo

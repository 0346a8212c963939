// Demo consignments for a station: waybills with goods lines, freight tickets, pick-up and
// delivery vouchers, warehouse slips and confirmations, the same for the same seed.
#pragma once

#include <QDate>
#include <QString>

#include <cstdint>

namespace vemo {

class Connection;

inline const QDate kDemoLastDay = QDate(2026, 12, 11);

struct DemoOptions {
  int waybills = 24;
  std::uint64_t seed = 1;
  QString home_station = QStringLiteral("成都");
  QDate last_day = kDemoLastDay;
};

// The number of days the waybills spread over, ending on the last day: about five
// waybills a day for small stations, at most two years for benchmark-sized ones.
int demo_day_count(int waybills);

// Inserts into the document tables and qr_table of an open main database (the caller
// holds the transaction). False with error on the first failed insert.
bool write_demo_data(Connection& main_db, const DemoOptions& options, QString* error);

}  // namespace vemo

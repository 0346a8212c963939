// The daily-report map correction. It always reaches the settings database, whatever
// page is on screen.
#include "reports/daily_report_correction.h"

#include "data/connections.h"
#include "platform/log.h"
#include "platform/recordset.h"

namespace vemo {

bool correct_daily_report_map(Session& session) {
  auto map = open_local_table(session.set_conn, kDailyReportPage);
  if (!map->IsOpen() || map->RecordCount() != 16) {
    log_skip(QStringLiteral("daily report"), QStringLiteral("correction"),
             QStringLiteral("map is not the 16-row map"));
    return false;
  }
  static const struct {
    const char* zdm;
    const char* address;
  } kRows[] = {{"ch", "c2"}, {"fz", "f2"}, {"dz", "h2"}, {"ysfs", "j2"}, {"rq", "p2"}};
  bool added = true;
  for (const auto& row : kRows) {
    map->AddNew();
    map->SetValue(QStringLiteral("zdm"), QString::fromLatin1(row.zdm));
    map->SetValue(QStringLiteral("exceldz"),
                  kDailyReportPage + '.' + QString::fromLatin1(row.address));
    map->SetValue(QStringLiteral("out_cl"), QStringLiteral("wbd"));
    added = map->Update() && added;
  }
  return added;
}

}  // namespace vemo

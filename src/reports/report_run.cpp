// Run state helpers.
#include "reports/report_run.h"

namespace vemo {

void ReportRun::set_map(std::vector<MapRow> rows) {
  map = std::move(rows);
  map_by_zdm.clear();
  for (int i = 0; i < static_cast<int>(map.size()); ++i) {
    const QString key = map[i].zdm.trimmed().toLower();
    if (!map_by_zdm.contains(key)) map_by_zdm.insert(key, i);
  }
}

const MapRow* ReportRun::find_zdm(const QString& qualified_name) const {
  const auto it = map_by_zdm.constFind(qualified_name.trimmed().toLower());
  return it == map_by_zdm.constEnd() ? nullptr : &map[*it];
}

}  // namespace vemo

// Choosing the next input cell.
#include "document/next_input_cell.h"

#include "document/references.h"
#include "platform/log.h"
#include "platform/sheet.h"

namespace vemo {

QString next_input_cell(Session& session, DbConn& conn, Sheet& sheet, const Range& event_range,
                        const MapRow* matched) {
  if (matched != nullptr && matched->is_block()) {
    const auto last = matched->last_cell();
    if (last && event_range.row() != last->row)
      return cell_address_text({event_range.row() + event_range.rows(), event_range.column()});
  }
  const std::vector<MapRow> rows =
      read_cell_map(session, conn, sheet.name(), QStringLiteral(" order by bh"));
  if (rows.empty()) return QString();
  const QString search = matched != nullptr && matched->is_block()
                             ? matched->exceldz
                             : cell_reference(sheet.name(), event_range.cell(1).address());
  const int count = static_cast<int>(rows.size());
  auto bh = [&](int i) { return rows[static_cast<size_t>(i)].bh.trimmed().toInt(); };
  int found = -1;
  for (int i = 0; i < count && found < 0; ++i) {
    if (rows[static_cast<size_t>(i)].exceldz.startsWith(search, Qt::CaseInsensitive)) found = i;
  }
  int next = 0;
  if (found < 0) {
    // Not an input cell: the last input cell, or the first when the map ends its cycle.
    next = count - 1;
    if (bh(next) == kEndOfInputCycle) next = 0;
    log_debug(QStringLiteral("next input cell"), search + QStringLiteral(" is not mapped"));
  } else {
    next = found + 1;
    if (next < count && bh(next) == kStayOnCell) next = found;
    if (next >= count || bh(next) == kEndOfInputCycle) next = 0;
  }
  return reference_address(rows[static_cast<size_t>(next)].exceldz);
}

}  // namespace vemo

// Where the cursor goes after an edit: down a block line by line, otherwise to the next
// input cell in the map's bh order (888 holds it, 999 closes the cycle).
#pragma once

#include "document/cell_map.h"
#include "session/session.h"

namespace vemo {

inline constexpr int kStayOnCell = 888;
inline constexpr int kEndOfInputCycle = 999;

// The address of the next input cell, or empty when the map has no rows. `matched` is the
// edited cell's map row (nothing for an unmapped cell).
QString next_input_cell(Session& session, DbConn& conn, Sheet& sheet, const Range& event_range,
                        const MapRow* matched);

}  // namespace vemo

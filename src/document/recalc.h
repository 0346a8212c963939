// Propagating an edit through the formula cells of the cell map that depend on it.
#pragma once

#include "session/session.h"

#include <QString>

namespace vemo {

struct recalc_result {
  bool formula_touched = false;  // a formula row mentions the cell, or is the cell
  bool amount_written = false;   // at least one capital amount was written
};

// Rewrites and stores every formula cell that mentions the cell, depth first through
// dependants of dependants, with their capital amounts. A map whose formulas form a cycle
// is cut off once a chain grows longer than the map has formula rows.
recalc_result recalc_dependents(Session& session, Sheet& sheet, const QString& address);

}  // namespace vemo

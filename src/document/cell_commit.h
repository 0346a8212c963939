// What follows a finished edit: the next input cell, the cell's actions, the formulas that
// depend on it and its amount in capital numerals.
#pragma once

#include "session/session.h"

#include <QString>

namespace vemo {

inline const QString kEnterWaybillFirst = QStringLiteral("请先输入委托单号！");
inline const QString kActWriteMdb = QStringLiteral("write_mdb");
inline const QString kActWriteCell = QStringLiteral("write_cell");

// Runs only while the edit guard is armed; leaves the page's events on.
void commit_cell_edit(Session& session, const Range& event_range);

// The cellact action of the cell (reload the page for its key, store the cell) and the
// celldxx capital copy.
void run_cell_actions(Session& session, const Range& event_range);

}  // namespace vemo

// Stepping through the records of the open document by its key cells: the number look-up,
// previous and next buttons.
#pragma once

#include "session/session.h"

namespace vemo {

enum class BrowseStep { Current = 0, Previous = -1, Next = 1 };

// Finds the record of the page's key cells, moves by the step (wrapping around) and writes
// its key values into the key cells; the last one with events on, so that the change
// handling loads the page. Returns the record's position, or 0 when nothing was written.
int browse_record(Session& session, DbConn& conn, Sheet& sheet, BrowseStep step);

// CommandButton2 "查询编号", CommandButton3 "上一个", CommandButton4 "下一个".
void on_browse_button(Session& session, BrowseStep step);

}  // namespace vemo

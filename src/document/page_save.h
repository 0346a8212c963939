// Writing the whole page into its tables: the manual-save mode's store.
#pragma once

#include "session/session.h"

namespace vemo {

// Walks the page's cell map table by table and writes the record (or the detail lines)
// of the page's key cells, creating what is missing. Empty lines are not written.
void save_page(Session& session, DbConn& conn, Sheet& sheet);

// The manual-save box: a click, or setting it from code. A change shows or hides the save
// button and saves the page on screen; setting it to the value it has does nothing.
void set_check2(Session& session, bool ticked);

}  // namespace vemo

// The navigation tree built from the page catalog.
#pragma once

#include "session/session.h"

namespace vemo {

// Rebuilds form1.TreeView1 from "select * from bb order by bh": one root node per row, in
// that order, keyed by the document name when the row's flag is "A" in either case. A row
// whose key is already taken gets no node.
void build_navigation_tree(Session& session);

}  // namespace vemo

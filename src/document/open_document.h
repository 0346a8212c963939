// Opening a document or report page by its name: scope check, template, sheet name,
// company picture, protection.
#pragma once

#include "session/session.h"

#include <QString>

namespace vemo {

enum class OpenFlag { Plain, FromFlaggedNode };

// Opens the page on the session's sheet. Saves a pending page first and puts the page in
// manual-save mode. False when the user may not open the document (nothing is shown; the
// page keeps the previous document).
bool open_document(Session& session, const QString& name, OpenFlag flag = OpenFlag::Plain);

// The page's template beside the databases, loaded on the session's sheet with its events
// off, and the sheet named after the page; no scope check, no save, no picture. False when
// no template was loaded (the page is then empty).
bool load_document_page(Session& session, const QString& name);

// A click on a node of the navigation tree.
void open_tree_node(Session& session, const TreeNode& node);

// Both wrap settings and centred rows on the whole page, rows fitted to their contents.
void vkr(Sheet& sheet);

}  // namespace vemo

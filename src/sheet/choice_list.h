// Choice lists of the page's cells: filling List1 from the document's pop-up table, the
// pick, and copying the open document's lists to every other document by title.
#pragma once

#include "session/session.h"

#include <QString>
#include <QStringList>

namespace vemo {

inline const QString kUpdateAllQuestion = QStringLiteral("你确定更新所有表吗？");
inline const QString kUpdateDone = QStringLiteral("更新完毕！");

// The pop-up table of a document.
QString popup_table(const QString& document);

// The items of a list text: each ends with ","; the text after the last comma is dropped.
QStringList split_list_text(const QString& popnr);

// Fills List1 (cleared first) with the list of the cell; nothing when it has none.
void fill_choice_list(Session& session, const QString& document, const QString& cell);

// A click on a line of List1: writes the text after its first "." into list_cell, stores
// it, and on a report page whose parameters are now complete runs the report.
void pick_choice(Session& session, const QString& line);

// Closing the common-settings grid that showed shown_table: asks, then gives every list of
// the other documents whose title occurs in the open document's lists that list's text.
void copy_lists_to_all(Session& session, const QString& shown_table);

}  // namespace vemo

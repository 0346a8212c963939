// A filled page's used range as text: CSV, or an aligned table for the terminal.
#pragma once

#include "platform/sheet.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vemo::cli {

// The shown text of every cell of the used range, row by row; the cells covered by a merged
// area other than its first stay empty.
std::vector<QStringList> page_cells(const Sheet& sheet);

QString cells_csv(const std::vector<QStringList>& cells);
QString cells_table(const std::vector<QStringList>& cells);

}  // namespace vemo::cli

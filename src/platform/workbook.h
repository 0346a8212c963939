// The first worksheet of an .xlsx workbook as rows of cell texts (columns A, B, …),
// for the user list that clerks may also edit in any spreadsheet program.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vemo {

using SheetRows = std::vector<QStringList>;

// Reads the first worksheet; numbers come back as number_text(). Gaps are empty texts.
std::optional<SheetRows> read_first_worksheet(const QString& path, QString* error = nullptr);

// Writes a workbook with one worksheet holding the rows (texts as inline strings).
// The file is replaced only once the new one is complete.
bool write_first_worksheet(const QString& path, const SheetRows& rows, QString* error = nullptr);

}  // namespace vemo

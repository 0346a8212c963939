// Rewriting the references of a formula text when cells are copied or rows inserted.
#pragma once

#include <QString>

namespace vemo {

// Relative parts of every reference move by (rows, columns), "$" parts stay. A reference
// pushed off the sheet becomes #REF!.
QString offset_formula(const QString& formula, int rows, int columns);

// References to rows at or below `row` move down by `count`, absolute ones too, as a
// spreadsheet's row insert does; areas that span `row` grow.
QString shift_formula_rows(const QString& formula, int row, int count);

}  // namespace vemo

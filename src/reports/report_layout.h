// Report layout: group display while values are placed, and the totals, summary-formula
// columns and border once all statements have run.
#pragma once

#include "reports/report_run.h"

#include <QString>

namespace vemo {

class Sheet;
class Recordset;

// The per-value rules for a value placed at (row, column).
void apply_value_rules(Sheet& sheet, ReportRun& run, int row, int column, int record_index,
                       const QString& marker);

// The row at or below `row` whose group-key cells show the record's key values; may
// insert a row when the record continues a group below another group's label.
int align_to_group_row(Sheet& sheet, Recordset& result, const MapRow& map_row, int row,
                       int bottom_row);

// The values of the listed columns ("3,4") of one row, concatenated.
QString join_row_cells(const QString& columns, int row, Sheet& sheet);

// Totals, summary-formula columns and the border of "AX" pages.
void finish_report_layout(Sheet& sheet, ReportRun& run);

}  // namespace vemo

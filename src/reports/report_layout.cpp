// Layout rules of report pages.
#include "reports/report_layout.h"

#include "document/references.h"
#include "platform/log.h"
#include "platform/number_text.h"
#include "platform/recordset.h"
#include "platform/sheet.h"

#include <QStringList>

namespace vemo {
namespace {

constexpr int kMaxAlignPairs = 50;

QString cell_text(Sheet& sheet, int row, int column) {
  if (row < 1 || column < 1) return QString();
  return sheet.cell(row, column).text();
}

void empty_cell(Sheet& sheet, int row, int column) {
  if (row >= 1 && column >= 1) sheet.cell(row, column).set_value(QString());
}

bool tracked(int column) { return column >= 0 && column <= kTrackedGroupColumns; }

std::optional<CellPos> anchor_of(const MapRow& row) { return row.first_cell(); }

// A summary-formula column collected for the finishing rules.
struct FormulaColumn {
  CellPos anchor;
  QString first_formula;   // fx_zh
  QString second_formula;  // fx_tj
  QString marker;          // out_cl
  QString total;           // hz_sum
  CellPos source;
};

bool is_zero(const Range& cell) {
  const auto number = cell.value().to_number();
  return cell.value().is_number() && number && *number == 0;
}

void write_totals(Sheet& sheet, ReportRun& run) {
  for (const MapRow& row : run.map) {
    const auto anchor = anchor_of(row);
    if (!anchor) continue;
    run.rightmost_column = std::max(run.rightmost_column, anchor->col);
    if (run.bottom_row <= 0 || row.hz_sum.isEmpty() || row.zdm.isEmpty()) continue;
    if (row.hz_sum.toLower() == QLatin1String("hz")) continue;
    // The totals are written with events on, as a clerk's edit would be; the switch is
    // then put back as the caller had it.
    const bool events_were_on = sheet.enable_events();
    sheet.set_enable_events(true);
    sheet.cell(run.bottom_row + 3, anchor->col)
        .set_formula(row.hz_sum + QString::number(run.bottom_row) + ')');
    sheet.cell(run.bottom_row + 3, 1).set_value(QStringLiteral("合计"));
    sheet.set_enable_events(events_were_on);
  }
}

std::vector<FormulaColumn> formula_columns(const ReportRun& run) {
  std::vector<FormulaColumn> columns;
  for (const MapRow& row : run.map) {
    if (row.fx_zh.isEmpty() || row.fx_tj.isEmpty()) continue;
    const auto anchor = anchor_of(row);
    if (!anchor) continue;
    columns.push_back({*anchor, row.fx_zh, row.fx_tj, row.out_cl, row.hz_sum, *anchor});
  }
  return columns;
}

void write_formula_columns(Sheet& sheet, ReportRun& run, std::vector<FormulaColumn>& columns) {
  const int first = columns.front().anchor.row;
  run.first_data_row = first;
  for (int r = first; r <= run.bottom_row; ++r) {
    for (FormulaColumn& m : columns) {
      const int col = m.anchor.col;
      const bool blank_zeros = m.marker.toUpper() == QLatin1String("CL");
      if (r == first || r == first + 1) {
        sheet.cell(r, col).set_formula(r == first ? m.first_formula : m.second_formula);
        m.source = {r, col};
      } else {
        const Range target = sheet.cell(r, col);
        sheet.cell(m.source.row, m.source.col).copy_to(target);
        if (blank_zeros && is_zero(target)) target.set_value(QString());
      }
      if (r == run.bottom_row) {
        if (m.total.toLower() == QLatin1String("hz")) {
          sheet.cell(r + 3, 1).set_value(QStringLiteral("合计"));
          sheet.cell(m.source.row, m.source.col).copy_to(sheet.cell(r + 3, col));
        }
        const Range source = sheet.cell(m.source.row, m.source.col);
        if (blank_zeros && is_zero(source)) source.set_value(QString());
      }
      run.rightmost_column = std::max(run.rightmost_column, col);
    }
  }
}

void draw_ax_border(Sheet& sheet, const ReportRun& run) {
  // The bottom edge follows the data on every "AX" page.
  const int bottom = run.bottom_row + 4;
  if (run.first_data_row < 1 || bottom < run.first_data_row) return;
  const Range body = sheet.range(CellArea{run.first_data_row, 1, bottom, run.rightmost_column});
  body.set_border_color(QStringLiteral("black"));
  body.set_border_weight(2);
  body.set_border_line_style(1);
  body.select();
}

}  // namespace

QString join_row_cells(const QString& columns, int row, Sheet& sheet) {
  QString joined;
  for (const QString& entry : columns.split(',')) {
    bool ok = false;
    const int column = entry.trimmed().toInt(&ok);
    if (!ok || column < 1) {
      log_skip(QStringLiteral("layout"), entry, QStringLiteral("not a column number"));
      continue;
    }
    joined += cell_text(sheet, row, column);
  }
  return joined;
}

void apply_value_rules(Sheet& sheet, ReportRun& run, int row, int column, int record_index,
                       const QString& marker) {
  GroupState& group = run.group;
  const QString upper = marker.toUpper();
  const QString lower = marker.toLower();
  if (run.ax_page && upper.contains(QLatin1String("CL_ZH"))) {
    const int colon = marker.indexOf(':');
    const QString list = colon < 0 ? QString() : marker.mid(colon + 1);
    if (join_row_cells(list, row, sheet).isEmpty()) empty_cell(sheet, row, column);
  }
  if (record_index == 0 && tracked(column)) group.first_row[column] = row;
  if (lower == QLatin1String("base")) {
    group.previous_base = group.current_base;
    group.current_base = cell_text(sheet, row, column);
    group.base_column = column;
    if (group.current_base == group.previous_base) empty_cell(sheet, row, column);
  }
  const bool base_shown = group.base_column && !cell_text(sheet, row, *group.base_column).isEmpty();
  if (lower == QLatin1String("cl") && group.base_column && !base_shown && tracked(column)) {
    QString reference = cell_text(sheet, row - 1, column);
    if (reference.isEmpty()) reference = cell_text(sheet, group.first_row[column], column);
    if (cell_text(sheet, row, column) != reference) {
      group.first_row[column] = row;
    } else {
      empty_cell(sheet, row, column);
    }
  }
  if ((!group.base_column || base_shown) && tracked(column)) group.first_row[column] = row;
}

int align_to_group_row(Sheet& sheet, Recordset& result, const MapRow& map_row, int row,
                       int bottom_row) {
  if (map_row.excel_zhtj.trimmed().isEmpty() || map_row.sql_zhtj.trimmed().isEmpty()) return row;
  const QStringList columns = map_row.excel_zhtj.split('*');
  const QStringList names = map_row.sql_zhtj.split('*');
  if (columns.size() != names.size() || columns.size() > kMaxAlignPairs) {
    log_skip(QStringLiteral("layout"), map_row.excel_zhtj,
             QStringLiteral("group key lists differ"));
    return row;
  }
  // The record before the current one, for every pair.
  QStringList previous;
  QStringList current;
  for (const QString& name : names) current << result.Text(name.trimmed());
  result.MovePrevious();
  for (const QString& name : names)
    previous << (result.Bof() ? QString() : result.Text(name.trimmed()));
  result.MoveNext();

  int r = row;
  while (true) {
    int same = 0;
    int different = 0;
    QString last_address;
    for (int i = 0; i < columns.size(); ++i) {
      const int column = columns[i].trimmed().toInt();
      const Range cell = column >= 1 ? sheet.cell(r, column) : Range();
      last_address = cell.address();
      QString page = cell.text();
      if (page.isEmpty()) page = previous[i];
      if (current[i] == page) {
        ++same;
      } else if (previous[i] == current[i] && !page.isEmpty()) {
        ++different;
      } else {
        break;
      }
    }
    if (different == columns.size()) {
      const Range at = sheet.range(last_address);
      if (at.valid()) sheet.insert_rows(at.row(), 1);
      return r;
    }
    ++r;
    if (same == columns.size() || r > bottom_row) return r - 1;
  }
}

void finish_report_layout(Sheet& sheet, ReportRun& run) {
  write_totals(sheet, run);
  std::vector<FormulaColumn> columns = formula_columns(run);
  if (!columns.empty()) write_formula_columns(sheet, run, columns);
  if (run.ax_page) draw_ax_border(sheet, run);
}

}  // namespace vemo

// Cell-map reading, matching and page protection.
#include "document/cell_map.h"

#include "data/connections.h"
#include "document/references.h"
#include "platform/log.h"
#include "platform/sheet.h"

#include <QStringList>

namespace vemo {
namespace {

std::optional<CellPos> first_cell_of(const QString& reference) {
  const auto area = parse_area_address(reference_address(reference).trimmed());
  if (!area) return std::nullopt;
  return area->first();
}

MapRow read_row(const Recordset& rs) {
  MapRow row;
  row.zdm = rs.Text(QStringLiteral("zdm"));
  row.exceldz = rs.Text(QStringLiteral("exceldz"));
  row.mline = rs.Text(QStringLiteral("mline"));
  row.bh = rs.Text(QStringLiteral("bh"));
  row.jsbds = rs.Text(QStringLiteral("jsbds"));
  row.zhxdz = rs.Text(QStringLiteral("zhxdz"));
  row.dw = rs.Text(QStringLiteral("dw"));
  row.fh_width = rs.Text(QStringLiteral("fh_width"));
  row.out_cl = rs.Text(QStringLiteral("out_cl"));
  row.ifout = rs.Text(QStringLiteral("ifout"));
  row.hz_sum = rs.Text(QStringLiteral("hz_sum"));
  row.fx_zh = rs.Text(QStringLiteral("fx_zh"));
  row.fx_tj = rs.Text(QStringLiteral("fx_tj"));
  row.excel_zhtj = rs.Text(QStringLiteral("excel_zhtj"));
  row.sql_zhtj = rs.Text(QStringLiteral("sql_zhtj"));
  return row;
}

}  // namespace

std::optional<CellPos> MapRow::first_cell() const { return first_cell_of(exceldz); }
std::optional<CellPos> MapRow::last_cell() const { return first_cell_of(mline); }

QString MapRow::table() const {
  const int dot = zdm.indexOf('.');
  return dot < 0 ? QString() : zdm.left(dot);
}

QString MapRow::column() const {
  const int dot = zdm.indexOf('.');
  return dot < 0 ? zdm : zdm.mid(dot + 1);
}

std::vector<MapRow> read_cell_map(Session& session, DbConn& conn, const QString& document,
                                  const QString& suffix) {
  std::vector<MapRow> rows;
  auto rs = open_query(session, conn, QStringLiteral("select * from ") + document + suffix);
  if (!rs->IsOpen()) {
    log_skip(QStringLiteral("cell map"), document, QStringLiteral("no cell-map table"));
    return rows;
  }
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) rows.push_back(read_row(*rs));
  return rows;
}

bool map_row_matches(const MapRow& row, CellPos cell, MatchRule rule) {
  const auto first = row.first_cell();
  if (!first || first->col != cell.col) return false;
  if (row.is_block()) {
    const auto last = row.last_cell();
    if (last && last->col == cell.col && first->row <= cell.row && cell.row <= last->row)
      return true;
    if (rule == MatchRule::SingleOrBlock) return false;
  }
  return first->row == cell.row;
}

const MapRow* match_map_row(const std::vector<MapRow>& rows, CellPos cell, MatchRule rule) {
  for (const MapRow& row : rows) {
    if (map_row_matches(row, cell, rule)) return &row;
  }
  return nullptr;
}

map_row_info find_map_row(Session& session, DbConn& conn, Sheet& sheet, const QString& address) {
  const auto area = parse_area_address(address);
  if (!area) return {};
  const auto rows = read_cell_map(session, conn, sheet.name());
  const MapRow* row = match_map_row(rows, area->first());
  if (row == nullptr) return {};
  return {row->exceldz, row->mline, row->jsbds, row->zhxdz, row->dw};
}

std::vector<int> block_line_rows(const MapRow& row) {
  std::vector<int> result;
  if (row.fh_width.trimmed().isEmpty()) return result;
  for (const QString& part : row.fh_width.split('*')) {
    bool ok = false;
    const int value = part.trimmed().toInt(&ok);
    if (ok) result.push_back(value);
  }
  return result;
}

int block_line_of_row(const MapRow& row, int sheet_row) {
  const auto first = row.first_cell();
  if (!first || !row.is_block()) return 0;
  const std::vector<int> rows = block_line_rows(row);
  if (rows.empty()) {
    const auto last = row.last_cell();
    if (!last || sheet_row < first->row || sheet_row > last->row) return 0;
    return sheet_row - first->row + 1;
  }
  int previous = 1;
  for (size_t n = 0; n < rows.size(); ++n) {
    if (previous < sheet_row && sheet_row <= rows[n]) return static_cast<int>(n) + 1;
    previous = rows[n];
  }
  return 0;
}

int block_row_of_line(const MapRow& row, int line) {
  if (line < 1) return 0;
  const std::vector<int> rows = block_line_rows(row);
  if (!rows.empty()) return line <= static_cast<int>(rows.size()) ? rows[line - 1] : 0;
  const auto first = row.first_cell();
  return first ? first->row + line - 1 : 0;
}

void protect_page(Session& session, DbConn& conn, Sheet& sheet) {
  sheet.set_protected(true);
  auto rs = open_table(session, conn, sheet.name());
  if (!rs->IsOpen()) {
    log_skip(QStringLiteral("protect"), sheet.name(), QStringLiteral("no cell-map table"));
    return;
  }
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
    const MapRow row = read_row(*rs);
    QString address = reference_address(row.exceldz);
    if (row.is_block()) address += ':' + reference_address(row.mline);
    if (address.contains(QStringLiteral("999"))) {
      sheet.set_protected(false);
      continue;
    }
    const Range range = sheet.range(address);
    if (!range.valid()) {
      log_skip(QStringLiteral("protect"), address, QStringLiteral("bad address"));
      continue;
    }
    range.set_locked(false);
  }
}

}  // namespace vemo

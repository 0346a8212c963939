// The cell map of a page: which cell holds which column, blocks of detail lines,
// formulas, capital-amount targets and the order of input cells.
#pragma once

#include "platform/cell_address.h"
#include "session/session.h"

#include <QString>

#include <optional>
#include <vector>

namespace vemo {

class Sheet;

struct MapRow {
  QString zdm;
  QString exceldz;
  QString mline;
  QString bh;
  QString jsbds;
  QString zhxdz;
  QString dw;
  QString fh_width;
  QString out_cl;
  QString ifout;
  QString hz_sum;
  QString fx_zh;
  QString fx_tj;
  QString excel_zhtj;
  QString sql_zhtj;

  bool is_block() const { return !mline.isEmpty(); }
  // First cells (row, column) of exceldz and mline; nothing when unreadable.
  std::optional<CellPos> first_cell() const;
  std::optional<CellPos> last_cell() const;
  // zdm split at its first ".".
  QString table() const;
  QString column() const;
};

// The five texts find_map_row gives back.
struct map_row_info {
  QString exceldz;
  QString mline;
  QString jsbds;
  QString zhxdz;
  QString dw;
};

// The rows of a page's map in the order asked for (" order by bh", or natural order).
std::vector<MapRow> read_cell_map(Session& session, DbConn& conn, const QString& document,
                                  const QString& suffix = QString());

enum class MatchRule {
  BlockOrFirstCell,  // a cell of a block, or the first cell of any row
  SingleOrBlock,     // the first-cell rule only for rows without mline
};

bool map_row_matches(const MapRow& row, CellPos cell, MatchRule rule = MatchRule::BlockOrFirstCell);
const MapRow* match_map_row(const std::vector<MapRow>& rows, CellPos cell,
                            MatchRule rule = MatchRule::BlockOrFirstCell);

map_row_info find_map_row(Session& session, DbConn& conn, Sheet& sheet, const QString& address);

// Line geometry of a block: the line (from 1) a row belongs to, 0 for none; the row of a line.
int block_line_of_row(const MapRow& row, int sheet_row);
int block_row_of_line(const MapRow& row, int line);
// fh_width's row numbers; empty when it has none.
std::vector<int> block_line_rows(const MapRow& row);

// Protects the page and unlocks the mapped cells; a row addressed on a "999" row leaves
// the page unprotected.
void protect_page(Session& session, DbConn& conn, Sheet& sheet);

}  // namespace vemo

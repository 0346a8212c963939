// A1 addresses: cells and rectangular areas by row and column, both 1-based.
#pragma once

#include <QString>

#include <optional>

namespace vemo {

inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

struct CellPos {
  int row = 1;
  int col = 1;
  friend bool operator==(const CellPos&, const CellPos&) = default;
};

// A rectangle of cells, corners included.
struct CellArea {
  int top = 1;
  int left = 1;
  int bottom = 1;
  int right = 1;

  static CellArea of(CellPos p) { return {p.row, p.col, p.row, p.col}; }
  int rows() const { return bottom - top + 1; }
  int columns() const { return right - left + 1; }
  bool single() const { return top == bottom && left == right; }
  bool contains(CellPos p) const {
    return p.row >= top && p.row <= bottom && p.col >= left && p.col <= right;
  }
  bool intersects(const CellArea& o) const {
    return top <= o.bottom && o.top <= bottom && left <= o.right && o.left <= right;
  }
  CellPos first() const { return {top, left}; }
  friend bool operator==(const CellArea&, const CellArea&) = default;
};

bool is_valid_pos(CellPos p);

// "A", "Z", "AA" for columns 1, 26, 27.
QString column_name(int col);

// "M2"; an area of one cell is "M2" too, otherwise "D6:H6". Upper case, no "$".
QString cell_address_text(CellPos p);
QString area_address_text(const CellArea& area);

// Reads "m2", "$M$2", "D6:h6"; letters in either case. Corners given in any order are
// normalised. Nothing on anything else (or outside the sheet).
std::optional<CellPos> parse_cell_address(const QString& text);
std::optional<CellArea> parse_area_address(const QString& text);

}  // namespace vemo

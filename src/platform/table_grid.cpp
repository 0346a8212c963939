// Places table cells with row and column spans on grid positions, the way HTML tables do.
#include "platform/table_grid.h"

#include <algorithm>

namespace vemo {

TableGrid::TableGrid(int row_count, int column_limit)
    : row_count_(row_count), column_limit_(column_limit), taken_(std::max(row_count, 0)) {}

bool TableGrid::taken(int row, int column) const {
  const auto& slots = taken_[row - 1];
  return column <= static_cast<int>(slots.size()) && slots[column - 1];
}

std::optional<GridSlot> TableGrid::place(int row, int from, int row_span, int column_span) {
  if (row < 1 || row > row_count_) return std::nullopt;
  int column = std::max(from, 1);
  while (column <= column_limit_ && taken(row, column)) ++column;
  if (column > column_limit_) return std::nullopt;
  // A span stops at the first slot an earlier cell holds, so merged areas never overlap.
  const int last_row = std::min(row + std::max(row_span, 1) - 1, row_count_);
  int last_column = std::min(column + std::max(column_span, 1) - 1, column_limit_);
  for (int c = column + 1; c <= last_column; ++c) {
    if (taken(row, c)) {
      last_column = c - 1;
      break;
    }
  }
  for (int r = row; r <= last_row; ++r) {
    auto& slots = taken_[r - 1];
    if (static_cast<int>(slots.size()) < last_column) slots.resize(last_column, false);
    std::fill(slots.begin() + (column - 1), slots.begin() + last_column, true);
  }
  used_columns_ = std::max(used_columns_, last_column);
  return GridSlot{row, column, last_row - row + 1, last_column - column + 1};
}

}  // namespace vemo

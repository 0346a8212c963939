// Places table cells with row and column spans on grid positions, the way HTML tables do.
#pragma once

#include <optional>
#include <vector>

namespace vemo {

struct GridSlot {
  int row;
  int column;
  int row_span;
  int column_span;
};

class TableGrid {
 public:
  // row_count rows of at most column_limit columns each.
  TableGrid(int row_count, int column_limit);

  // Puts the next cell of a row (from 1) on the first free column from column `from`; spans are
  // clipped to the grid. Nothing when the row has no free column left.
  std::optional<GridSlot> place(int row, int from, int row_span, int column_span);

  int used_columns() const { return used_columns_; }

 private:
  bool taken(int row, int column) const;

  int row_count_;
  int column_limit_;
  int used_columns_ = 0;
  std::vector<std::vector<bool>> taken_;  // by row, grown as columns are used
};

}  // namespace vemo

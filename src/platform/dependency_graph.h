// Which formula cells read which cells, and the order in which to recompute them.
#pragma once

#include "platform/cell_address.h"

#include <QHash>

#include <cstdint>
#include <utility>
#include <vector>

namespace vemo {

inline std::uint64_t cell_key(CellPos p) {
  return (static_cast<std::uint64_t>(p.row) << 32) | static_cast<std::uint32_t>(p.col);
}
inline CellPos cell_of_key(std::uint64_t key) {
  return {static_cast<int>(key >> 32), static_cast<int>(key & 0xffffffffu)};
}

class DependencyGraph {
 public:
  // Replaces what the formula in `formula_cell` reads.
  void set(CellPos formula_cell, const std::vector<CellArea>& references);
  void remove(CellPos formula_cell);
  void clear();

  // Formula cells that read `p` directly.
  void readers(CellPos p, std::vector<std::uint64_t>& out) const;

  struct Order {
    std::vector<CellPos> ordered;  // every cell after all cells it reads, cycles aside
    std::vector<CellPos> cyclic;   // cells on a cycle
  };
  // The formula cells to recompute after `changed` changed: the formula cells among them
  // and everything that reads them, directly or not. No recursion: chains may be long.
  Order recalc_order(const std::vector<CellPos>& changed) const;

 private:
  // Areas larger than this are scanned instead of indexed cell by cell.
  static constexpr std::int64_t kIndexedAreaLimit = 256;

  QHash<std::uint64_t, std::vector<std::uint64_t>> readers_;
  std::vector<std::pair<CellArea, std::uint64_t>> wide_;
  QHash<std::uint64_t, std::vector<CellArea>> references_;
};

}  // namespace vemo

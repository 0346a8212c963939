// Formats shared between cells: each distinct format is stored once and cells keep its number.
#pragma once

#include "platform/cell_format.h"

#include <QHash>

#include <cstdint>
#include <vector>

namespace vemo {

class FormatTable {
 public:
  FormatTable();
  // Number 0 is always the default format.
  std::uint32_t intern(const CellFormat& format);
  const CellFormat& get(std::uint32_t id) const;
  void clear();

 private:
  std::vector<CellFormat> formats_;
  QMultiHash<std::size_t, std::uint32_t> by_hash_;
};

}  // namespace vemo

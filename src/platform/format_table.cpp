// Interning of cell formats.
#include "platform/format_table.h"

namespace vemo {

namespace {

std::size_t hash_of(const CellFormat& f) {
  std::size_t h = qHashMulti(0, f.font.family, f.font.size, f.font.bold, f.font.italic,
                             f.font.color, static_cast<int>(f.halign), static_cast<int>(f.valign),
                             f.wrap, f.background, f.number_format, f.locked);
  for (const Border& b : f.borders) h = qHashMulti(h, b.color, b.weight, b.line_style);
  return h;
}

}  // namespace

FormatTable::FormatTable() { clear(); }

void FormatTable::clear() {
  formats_.assign(1, CellFormat());
  by_hash_.clear();
  by_hash_.insert(hash_of(formats_[0]), 0);
}

std::uint32_t FormatTable::intern(const CellFormat& format) {
  const std::size_t h = hash_of(format);
  for (auto it = by_hash_.constFind(h); it != by_hash_.constEnd() && it.key() == h; ++it)
    if (formats_[*it] == format) return *it;
  const auto id = static_cast<std::uint32_t>(formats_.size());
  formats_.push_back(format);
  by_hash_.insert(h, id);
  return id;
}

const CellFormat& FormatTable::get(std::uint32_t id) const {
  return id < formats_.size() ? formats_[id] : formats_[0];
}

}  // namespace vemo

// Reading and writing A1 addresses.
#include "platform/cell_address.h"

#include "platform/number_text.h"

#include <algorithm>

namespace vemo {

bool is_valid_pos(CellPos p) {
  return p.row >= 1 && p.row <= kMaxRows && p.col >= 1 && p.col <= kMaxColumns;
}

QString column_name(int col) {
  QString name;
  for (int c = col; c > 0; c = (c - 1) / 26) name.prepend(QChar('A' + (c - 1) % 26));
  return name;
}

QString cell_address_text(CellPos p) { return column_name(p.col) + number_text(p.row); }

QString area_address_text(const CellArea& area) {
  if (area.single()) return cell_address_text(area.first());
  return cell_address_text(area.first()) + ':' + cell_address_text({area.bottom, area.right});
}

std::optional<CellPos> parse_cell_address(const QString& text) {
  const QString t = text.trimmed();
  int i = 0;
  if (i < t.size() && t[i] == '$') ++i;
  long col = 0;
  const int letters_start = i;
  while (i < t.size() && i - letters_start < 4) {
    const QChar c = t[i].toUpper();
    if (c < 'A' || c > 'Z') break;
    col = col * 26 + (c.unicode() - 'A' + 1);
    ++i;
  }
  if (i == letters_start) return std::nullopt;
  if (i < t.size() && t[i] == '$') ++i;
  long row = 0;
  const int digits_start = i;
  while (i < t.size() && t[i].isDigit() && i - digits_start < 8) {
    row = row * 10 + t[i].digitValue();
    ++i;
  }
  if (i == digits_start || i != t.size()) return std::nullopt;
  const CellPos p{static_cast<int>(row), static_cast<int>(col)};
  if (col > kMaxColumns || row > kMaxRows || !is_valid_pos(p)) return std::nullopt;
  return p;
}

std::optional<CellArea> parse_area_address(const QString& text) {
  const int colon = text.indexOf(':');
  if (colon < 0) {
    const auto p = parse_cell_address(text);
    if (!p) return std::nullopt;
    return CellArea::of(*p);
  }
  const auto a = parse_cell_address(text.left(colon));
  const auto b = parse_cell_address(text.mid(colon + 1));
  if (!a || !b) return std::nullopt;
  return CellArea{std::min(a->row, b->row), std::min(a->col, b->col), std::max(a->row, b->row),
                  std::max(a->col, b->col)};
}

}  // namespace vemo

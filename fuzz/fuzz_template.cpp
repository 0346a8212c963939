// Fuzz entry for the page template reader: any bytes must give a page or nothing, never a fault.
#include "platform/template_parser.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray html(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (const auto page = vemo::parse_page_template(html)) {
    // Every placed cell must lie inside the page it reports.
    for (const auto& cell : page->cells) {
      if (cell.row < 1 || cell.column < 1 || cell.row + cell.row_span - 1 > page->row_count ||
          cell.column + cell.column_span - 1 > page->column_count) {
        __builtin_trap();
      }
    }
  }
  return 0;
}

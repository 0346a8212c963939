// Fuzz entry for the page template loader: any bytes must give a page or an empty one, never a
// fault, and every cell must stay inside the table the template declares.
#include "platform/page_template.h"
#include "platform/sheet.h"
#include "platform/template_parser.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray html(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (const auto page = vemo::parse_page_template(html)) {
    for (const auto& cell : page->cells) {
      if (cell.row < 1 || cell.column < 1 || cell.row + cell.row_span - 1 > page->row_count ||
          cell.column + cell.column_span - 1 > page->column_count) {
        __builtin_trap();
      }
    }
  }
  vemo::Sheet sheet;
  vemo::load_template_text(sheet, html);
  for (int row = 1; row <= 3; ++row) {
    for (int col = 1; col <= 3; ++col) (void)sheet.display_text({row, col});
  }
  return 0;
}

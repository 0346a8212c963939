// A page template read into plain cells on grid positions, and its loading into a sheet.
#pragma once

#include "platform/cell_format.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <vector>

namespace vemo {

class Sheet;

// Rows and columns count from 1, as in A1 addresses.
struct TemplateCell {
  int row = 1;
  int column = 1;
  int row_span = 1;
  int column_span = 1;
  QString text;
  QString formula;    // "" or a text starting with "="
  CellFormat format;  // with the number format and the lock
};

struct PageTemplate {
  QString title;
  int row_count = 0;
  int column_count = 0;
  std::vector<TemplateCell> cells;
  std::map<int, double> column_widths_px;  // by column, only those the template gives
  std::map<int, double> row_heights_px;    // by row, only those the template gives
};

// Limits that keep a broken or hostile template from taking the machine.
inline constexpr qsizetype kMaxTemplateBytes = 32 * 1024 * 1024;
inline constexpr int kMaxTemplateRows = 65536;
inline constexpr int kMaxTemplateColumns = 256;

// Clears the sheet and fills it from the template file. A missing, empty or unusable file leaves
// an empty page; the reason goes to the log. Returns whether a table was loaded.
bool load_template(Sheet& sheet, const QString& path);
bool load_template_text(Sheet& sheet, const QByteArray& html);

}  // namespace vemo

// Page text output.
#include "cli/page_text.h"

#include <algorithm>

namespace vemo::cli {
namespace {

// Columns a text takes in a terminal: CJK characters take two.
int display_width(const QString& text) {
  int width = 0;
  for (const QChar ch : text) width += ch.unicode() >= 0x1100 ? 2 : 1;
  return width;
}

QString csv_field(const QString& text) {
  if (!text.contains(',') && !text.contains('"') && !text.contains('\n') && !text.contains('\r')) {
    return text;
  }
  QString quoted = text;
  quoted.replace('"', QStringLiteral("\"\""));
  return '"' + quoted + '"';
}

}  // namespace

std::vector<QStringList> page_cells(const Sheet& sheet) {
  std::vector<QStringList> rows;
  const int row_count = sheet.used_rows();
  const int column_count = sheet.used_columns();
  for (int r = 1; r <= row_count; ++r) {
    QStringList row;
    for (int c = 1; c <= column_count; ++c) {
      const CellPos pos{r, c};
      const auto merged = sheet.merged_area(pos);
      const bool covered = merged && !(merged->top == r && merged->left == c);
      row << (covered ? QString() : sheet.display_text(pos));
    }
    rows.push_back(row);
  }
  return rows;
}

QString cells_csv(const std::vector<QStringList>& cells) {
  QString out;
  for (const QStringList& row : cells) {
    QStringList fields;
    for (const QString& text : row) fields << csv_field(text);
    out += fields.join(',') + '\n';
  }
  return out;
}

QString cells_table(const std::vector<QStringList>& cells) {
  std::vector<int> widths;
  for (const QStringList& row : cells) {
    widths.resize(std::max(widths.size(), size_t(row.size())), 0);
    for (qsizetype c = 0; c < row.size(); ++c) {
      widths[size_t(c)] = std::max(widths[size_t(c)], display_width(row[c]));
    }
  }
  QString out;
  for (const QStringList& row : cells) {
    QString line;
    for (qsizetype c = 0; c < row.size(); ++c) {
      const QString text = QString(row[c]).replace('\n', ' ');
      line += text + QString(widths[size_t(c)] - display_width(text) + 2, ' ');
    }
    while (line.endsWith(' ')) line.chop(1);
    out += line + '\n';
  }
  return out;
}

}  // namespace vemo::cli

// TSV reading.
#include "station/tsv.h"

#include "platform/number_text.h"

namespace vemo {

TsvField unescape_tsv_field(const QString& field) {
  if (field.isEmpty()) return std::nullopt;
  if (field == QLatin1String("\\e")) return QString(QLatin1String(""));
  QString out;
  out.reserve(field.size());
  for (qsizetype i = 0; i < field.size(); ++i) {
    const QChar ch = field[i];
    if (ch == '\\' && i + 1 < field.size()) {
      const QChar next = field[i + 1];
      if (next == 't') {
        out += '\t';
      } else if (next == 'n') {
        out += '\n';
      } else if (next == '\\') {
        out += '\\';
      } else {
        out += ch;
        out += next;
      }
      ++i;
      continue;
    }
    out += ch;
  }
  return out;
}

std::optional<TsvTable> parse_tsv(const QByteArray& text, QString* error) {
  QStringList lines = QString::fromUtf8(text).split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  if (lines.isEmpty()) {
    if (error) *error = QStringLiteral("文件没有表头");
    return std::nullopt;
  }
  TsvTable table;
  table.header = lines.first().split('\t');
  for (qsizetype n = 1; n < lines.size(); ++n) {
    const QStringList fields = lines[n].split('\t');
    if (fields.size() != table.header.size()) {
      if (error) {
        *error = QStringLiteral("第 %1 行有 %2 个字段，表头有 %3 个")
                     .arg(number_text(double(n + 1)), number_text(double(fields.size())),
                          number_text(double(table.header.size())));
      }
      return std::nullopt;
    }
    std::vector<TsvField> row;
    row.reserve(fields.size());
    for (const QString& field : fields) row.push_back(unescape_tsv_field(field));
    table.rows.push_back(std::move(row));
  }
  return table;
}

}  // namespace vemo

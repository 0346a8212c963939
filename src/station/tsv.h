// The TSV files of the shipped station content: a header of column names, then one row a line.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vemo {

// A field: nothing for NULL (an empty field), otherwise its text (`\e` gives the empty text).
using TsvField = std::optional<QString>;

struct TsvTable {
  QStringList header;
  std::vector<std::vector<TsvField>> rows;
};

// Reads UTF-8 TSV text; \t, \n and \\ inside a field are unescaped, any other backslash is kept.
// A line whose field count differs from the header's makes the whole file unusable.
std::optional<TsvTable> parse_tsv(const QByteArray& text, QString* error = nullptr);

TsvField unescape_tsv_field(const QString& field);

}  // namespace vemo

// Minimal .xlsx reading and writing with libzip and pugixml: enough of the format for
// texts and numbers in the first worksheet, shared strings included.
#include "platform/workbook.h"

#include "platform/cell_address.h"
#include "platform/number_text.h"

#include <QFile>

#include <zip.h>
#include <pugixml.hpp>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace vemo {
namespace {

struct ZipCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};
using ZipPtr = std::unique_ptr<zip_t, ZipCloser>;

std::optional<QByteArray> read_entry(zip_t* archive, const char* name) {
  zip_stat_t stat;
  if (zip_stat(archive, name, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) return std::nullopt;
  if (stat.size > 64u * 1024 * 1024) return std::nullopt;  // not a user list
  zip_file_t* file = zip_fopen(archive, name, 0);
  if (file == nullptr) return std::nullopt;
  QByteArray data(static_cast<qsizetype>(stat.size), '\0');
  const zip_int64_t got = zip_fread(file, data.data(), stat.size);
  zip_fclose(file);
  if (got != static_cast<zip_int64_t>(stat.size)) return std::nullopt;
  return data;
}

// "B12" -> column index 1 (0-based); -1 when unreadable.
int column_of(const char* ref) {
  int column = 0;
  int letters = 0;
  for (; *ref >= 'A' && *ref <= 'Z'; ++ref, ++letters) column = column * 26 + (*ref - 'A' + 1);
  return letters == 0 || letters > 3 ? -1 : column - 1;
}

QString text_of(const pugi::xml_node& node) {
  // <si> and <is> hold either <t> or rich-text runs <r><t>.
  QString text;
  for (const pugi::xpath_node& t : node.select_nodes(".//t")) {
    text += QString::fromUtf8(t.node().child_value());
  }
  return text;
}

// The first worksheet's part name, found through the workbook's relationships.
QString first_sheet_part(zip_t* archive) {
  const auto workbook = read_entry(archive, "xl/workbook.xml");
  const auto rels = read_entry(archive, "xl/_rels/workbook.xml.rels");
  if (workbook && rels) {
    pugi::xml_document wb;
    pugi::xml_document rel;
    if (wb.load_buffer(workbook->constData(), workbook->size()) &&
        rel.load_buffer(rels->constData(), rels->size())) {
      const pugi::xml_node sheet = wb.child("workbook").child("sheets").child("sheet");
      const char* id = sheet.attribute("r:id").value();
      for (const pugi::xml_node& r : rel.child("Relationships").children("Relationship")) {
        if (qstrcmp(r.attribute("Id").value(), id) != 0) continue;
        QString target = QString::fromUtf8(r.attribute("Target").value());
        if (target.startsWith('/')) return target.mid(1);
        return QStringLiteral("xl/") + target;
      }
    }
  }
  return QStringLiteral("xl/worksheets/sheet1.xml");
}

QString xml_escape(const QString& text) { return text.toHtmlEscaped(); }

bool add_entry(zip_t* archive, const char* name, const QByteArray& data) {
  // libzip reads the buffer at zip_close time, so it must own a copy.
  void* copy = std::malloc(static_cast<size_t>(data.size()));
  if (copy == nullptr) return false;
  std::memcpy(copy, data.constData(), static_cast<size_t>(data.size()));
  zip_source_t* source =
      zip_source_buffer(archive, copy, static_cast<zip_uint64_t>(data.size()), 1);
  if (source == nullptr) {
    std::free(copy);
    return false;
  }
  if (zip_file_add(archive, name, source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
    zip_source_free(source);
    return false;
  }
  return true;
}

void set_error(QString* error, const QString& text) {
  if (error != nullptr) *error = text;
}

}  // namespace

std::optional<SheetRows> read_first_worksheet(const QString& path, QString* error) {
  int code = 0;
  ZipPtr archive(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code));
  if (!archive) {
    set_error(error, QStringLiteral("not a readable workbook: ") + path);
    return std::nullopt;
  }
  QStringList shared;
  if (const auto strings = read_entry(archive.get(), "xl/sharedStrings.xml")) {
    pugi::xml_document doc;
    if (doc.load_buffer(strings->constData(), strings->size())) {
      for (const pugi::xml_node& si : doc.child("sst").children("si")) shared << text_of(si);
    }
  }
  const auto sheet_xml = read_entry(archive.get(), first_sheet_part(archive.get()).toUtf8());
  pugi::xml_document doc;
  if (!sheet_xml || !doc.load_buffer(sheet_xml->constData(), sheet_xml->size())) {
    set_error(error, QStringLiteral("no readable first worksheet in ") + path);
    return std::nullopt;
  }
  SheetRows rows;
  for (const pugi::xml_node& row : doc.child("worksheet").child("sheetData").children("row")) {
    const int number = row.attribute("r").as_int(static_cast<int>(rows.size()) + 1);
    if (number < 1 || number > 1'000'000) continue;
    if (static_cast<int>(rows.size()) < number) rows.resize(number);
    QStringList& cells = rows[number - 1];
    int next_column = 0;
    for (const pugi::xml_node& c : row.children("c")) {
      int column = c.attribute("r") ? column_of(c.attribute("r").value()) : next_column;
      if (column < 0 || column > 16383) continue;
      next_column = column + 1;
      const QString type = QString::fromUtf8(c.attribute("t").value());
      QString value;
      if (type == QLatin1String("s")) {
        const int index = QString::fromUtf8(c.child_value("v")).toInt();
        value = index >= 0 && index < shared.size() ? shared[index] : QString();
      } else if (type == QLatin1String("inlineStr")) {
        value = text_of(c.child("is"));
      } else {
        value = QString::fromUtf8(c.child_value("v"));
        if (type.isEmpty() || type == QLatin1String("n")) {
          if (const auto number_value = parse_number_text(value))
            value = number_text(*number_value);
        }
      }
      while (cells.size() <= column) cells << QString();
      cells[column] = value;
    }
  }
  return rows;
}

bool write_first_worksheet(const QString& path, const SheetRows& rows, QString* error) {
  QString sheet = QStringLiteral(
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>");
  for (size_t r = 0; r < rows.size(); ++r) {
    const QString number = QString::number(r + 1);
    sheet += QStringLiteral("<row r=\"") + number + QStringLiteral("\">");
    for (int c = 0; c < rows[r].size(); ++c) {
      if (rows[r][c].isEmpty()) continue;
      sheet += QStringLiteral("<c r=\"") + column_name(c + 1) + number +
               QStringLiteral("\" t=\"inlineStr\"><is><t xml:space=\"preserve\">") +
               xml_escape(rows[r][c]) + QStringLiteral("</t></is></c>");
    }
    sheet += QStringLiteral("</row>");
  }
  sheet += QStringLiteral("</sheetData></worksheet>");

  const QByteArray content_types =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" "
      "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/xl/workbook.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
      "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
      "</Types>";
  const QByteArray root_rels =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
      "Target=\"xl/workbook.xml\"/></Relationships>";
  const QByteArray workbook =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
      "<sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
  const QByteArray workbook_rels =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
      "Target=\"worksheets/sheet1.xml\"/></Relationships>";

  const QString temp_path = path + QStringLiteral(".new");
  QFile::remove(temp_path);
  int code = 0;
  zip_t* archive =
      zip_open(QFile::encodeName(temp_path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (archive == nullptr) {
    set_error(error, QStringLiteral("cannot create ") + temp_path);
    return false;
  }
  const bool added = add_entry(archive, "[Content_Types].xml", content_types) &&
                     add_entry(archive, "_rels/.rels", root_rels) &&
                     add_entry(archive, "xl/workbook.xml", workbook) &&
                     add_entry(archive, "xl/_rels/workbook.xml.rels", workbook_rels) &&
                     add_entry(archive, "xl/worksheets/sheet1.xml", sheet.toUtf8());
  if (!added || zip_close(archive) != 0) {
    zip_discard(archive);  // a failed zip_close leaves the archive to be freed
    QFile::remove(temp_path);
    set_error(error, QStringLiteral("cannot write ") + path);
    return false;
  }
  // rename() replaces the old file in one step: a crash leaves the old or the new list.
  if (std::rename(QFile::encodeName(temp_path).constData(), QFile::encodeName(path).constData()) !=
      0) {
    set_error(error, QStringLiteral("cannot replace ") + path);
    return false;
  }
  return true;
}

}  // namespace vemo

// The user-list workbook: what we write reads back, and files written by spreadsheet
// programs (shared strings, numbers, gaps) read as their texts.
#include "platform/workbook.h"
#include "support/temp_dir.h"

#include <QFile>

#include <gtest/gtest.h>
#include <zip.h>

namespace vemo {
namespace {

TEST(Workbook, WrittenRowsReadBack) {
  test::TempDir dir;
  const QString path = dir.file("userlist.xlsx");
  const SheetRows rows = {{QString::fromUtf8("张三"), QString::fromUtf8("成都")},
                          {QString::fromUtf8("a<&>'\"b")},
                          {},
                          {QString(), QString::fromUtf8("只有B列")}};
  ASSERT_TRUE(write_first_worksheet(path, rows));
  const auto back = read_first_worksheet(path);
  ASSERT_TRUE(back.has_value());
  ASSERT_EQ(back->size(), 4u);
  EXPECT_EQ((*back)[0], rows[0]);
  EXPECT_EQ((*back)[1], rows[1]);
  EXPECT_TRUE((*back)[2].isEmpty());
  EXPECT_EQ((*back)[3], rows[3]);
  EXPECT_FALSE(QFile::exists(path + ".new"));
}

TEST(Workbook, ReadsSharedStringsAndNumbersOfOtherPrograms) {
  test::TempDir dir;
  const QString path = dir.file("other.xlsx");
  int code = 0;
  zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  ASSERT_NE(z, nullptr);
  auto add = [&](const char* name, const char* text) {
    zip_source_t* s = zip_source_buffer(z, text, strlen(text), 0);
    ASSERT_GE(zip_file_add(z, name, s, ZIP_FL_OVERWRITE), 0);
  };
  add("xl/sharedStrings.xml",
      "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
      "<si><t>admin</t></si><si><r><t>昆</t></r><r><t>明</t></r></si></sst>");
  add("xl/worksheets/sheet1.xml",
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
      "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c></row>"
      "<row r=\"3\"><c r=\"A3\"><v>1001.0</v></c><c r=\"C3\" t=\"s\"><v>99</v></c></row>"
      "</sheetData></worksheet>");
  ASSERT_EQ(zip_close(z), 0);
  const auto rows = read_first_worksheet(path);
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 3u);
  EXPECT_EQ((*rows)[0], QStringList({"admin", QString::fromUtf8("昆明")}));
  EXPECT_TRUE((*rows)[1].isEmpty());
  EXPECT_EQ((*rows)[2], QStringList({"1001", "", ""}));
}

TEST(Workbook, BrokenFilesAreRefused) {
  test::TempDir dir;
  EXPECT_FALSE(read_first_worksheet(dir.file("missing.xlsx")).has_value());
  QFile garbage(dir.file("garbage.xlsx"));
  ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
  garbage.write("PK\x03\x04 not really a zip");
  garbage.close();
  QString error;
  EXPECT_FALSE(read_first_worksheet(garbage.fileName(), &error).has_value());
  EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace vemo

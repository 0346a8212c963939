// Addresses, typed-input rules, formula text of plain cells, merged areas, range handles.
#include "platform/number_format.h"
#include "platform/sheet.h"
#include "support/qstring_print.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(CellAddress, ReadsEitherCaseAndDollarsAndReportsPlainUpperCase) {
  const struct {
    const char* text;
    const char* reported;  // nullptr: not an address
  } cases[] = {
      {"m2", "M2"},           {"$M$2", "M2"},
      {"d6:h6", "D6:H6"},     {"H6:D6", "D6:H6"},
      {"$a$1:$b$2", "A1:B2"}, {" C5 ", "C5"},
      {"AA10", "AA10"},       {"XFD1048576", "XFD1048576"},
      {"A1:A1", "A1"},        {"XFE1", nullptr},
      {"A0", nullptr},        {"A1048577", nullptr},
      {"1A", nullptr},        {"", nullptr},
      {"A1:", nullptr},       {"货物运单.M2", nullptr},
      {"A1;B2", nullptr},     {"'; drop table bb", nullptr},
  };
  for (const auto& c : cases) {
    const auto area = parse_area_address(c.text);
    if (!c.reported) {
      EXPECT_FALSE(area.has_value()) << c.text;
      continue;
    }
    ASSERT_TRUE(area.has_value()) << c.text;
    EXPECT_EQ(area_address_text(*area), QString(c.reported)) << c.text;
  }
}

TEST(SheetValues, TypedInputRules) {
  const struct {
    const char* input;
    bool text_format;
    CellValue::Kind kind;
    const char* value;
    const char* formula;
  } cases[] = {
      {"1001", false, CellValue::Kind::Number, "1001", "1001"},
      {" -12.50 ", false, CellValue::Kind::Number, "-12.5", "-12.5"},
      {"0012", false, CellValue::Kind::Number, "12", "12"},
      {"'0012", false, CellValue::Kind::Text, "0012", "'0012"},  // the quote keeps the text
      {"0871-5551234", false, CellValue::Kind::Text, "0871-5551234", "0871-5551234"},
      {"1e5", false, CellValue::Kind::Text, "1e5", "1e5"},
      {"昆明", false, CellValue::Kind::Text, "昆明", "昆明"},
      {"a=b", false, CellValue::Kind::Text, "a=b", "a=b"},
      {"=", false, CellValue::Kind::Text, "=", "'="},
      {"'=1+1", false, CellValue::Kind::Text, "=1+1", "'=1+1"},
      {"=1+1", false, CellValue::Kind::Number, "2", "=1+1"},
      {"", false, CellValue::Kind::Empty, "", ""},
      {"00123", true, CellValue::Kind::Text, "00123", "00123"},  // "@" keeps text
      {"'00123", true, CellValue::Kind::Text, "00123", "00123"},
      {"=1+1", true, CellValue::Kind::Text, "=1+1", "=1+1"},
  };
  for (const auto& c : cases) {
    Sheet sheet;
    const Range cell = sheet.range("B2");
    if (c.text_format) cell.set_number_format("@");
    cell.set_value(QString::fromUtf8(c.input));
    EXPECT_EQ(cell.value().kind(), c.kind) << c.input;
    EXPECT_EQ(cell.text(), QString::fromUtf8(c.value)) << c.input;
    EXPECT_EQ(cell.formula(), QString::fromUtf8(c.formula)) << c.input;
    // Writing a cell's formula back never changes it.
    const CellValue before = cell.value();
    cell.set_formula(cell.formula());
    EXPECT_EQ(cell.value(), before) << c.input;
  }
}

TEST(SheetValues, NumberFormatsGiveTheShownText) {
  const struct {
    double value;
    const char* format;
    const char* shown;
  } cases[] = {
      {1234.5, "", "1234.5"},
      {1234.5, "0", "1235"},
      {1234.5, "0.00", "1234.50"},
      {1234567.891, "#,##0.00", "1,234,567.89"},
      {-1234.5, "#,##0", "-1,235"},
      {0.125, "0.0%", "12.5%"},
      {2.5, "0", "3"},
      {-0.001, "0.00", "0.00"},
      {1001, "@", "1001"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(display_text(CellValue::number(c.value), c.format), QString(c.shown))
        << c.value << " " << c.format;
  EXPECT_EQ(display_text(CellValue::text("abc"), "0.00"), "abc");
}

TEST(CellFormats, ColourTextsAndBorderSettings) {
  const struct {
    const char* text;
    const char* rgb;  // nullptr: refused
  } cases[] = {{"black", "#000000"},   {" Red ", "#FF0000"}, {"#abc", "#AABBCC"},
               {"#12aBef", "#12ABEF"}, {"#12345", nullptr},  {"#ggg", nullptr},
               {"burgundy", nullptr},  {"", nullptr}};
  for (const auto& c : cases) {
    const auto rgb = color_text(c.text);
    EXPECT_EQ(rgb.has_value(), c.rgb != nullptr) << c.text;
    if (rgb && c.rgb) {
      EXPECT_EQ(*rgb, QString(c.rgb)) << c.text;
    }
  }
  Sheet sheet;
  const Range body = sheet.range("A5:C9");
  body.set_border_color("black");
  body.set_border_weight(2);
  body.set_border_line_style(1);
  body.set_border_weight(99);         // refused, logged
  body.set_border_color("burgundy");  // refused, logged
  for (const BorderEdge edge :
       {BorderEdge::Left, BorderEdge::Top, BorderEdge::Right, BorderEdge::Bottom}) {
    const Border& b = sheet.range("B7").format().border(edge);
    EXPECT_EQ(b.color, "#000000");
    EXPECT_EQ(b.weight, kBorderThin);
    EXPECT_EQ(b.line_style, kLineContinuous);
  }
  EXPECT_FALSE(sheet.range("D7").format().border(BorderEdge::Left).visible());
  body.set_border_line_style(-4142);  // the office constant for no line
  EXPECT_FALSE(sheet.range("B7").format().border(BorderEdge::Top).visible());
}

// D6:H6 and G4:H5 merged; a value in D6.
class MergedAreas : public ::testing::Test {
 protected:
  void SetUp() override {
    sheet.range("D6:H6").merge();
    sheet.range("G4:H5").merge();
    sheet.range("D6").set_value("上海公司");
  }
  Sheet sheet;
};

TEST_F(MergedAreas, AMergedAreaIsOneCell) {
  for (const char* address : {"D6", "e6", "H6", "$D$6:$H$6"}) {
    const Range r = sheet.range(address);
    EXPECT_EQ(r.address(), "D6:H6") << address;
    EXPECT_EQ(r.count(), 1) << address;
    EXPECT_EQ(r.row(), 6);
    EXPECT_EQ(r.column(), 4);
    EXPECT_EQ(r.rows(), 1);
    EXPECT_EQ(r.columns(), 5);
    EXPECT_EQ(r.text(), QString::fromUtf8("上海公司")) << address;
  }
  EXPECT_EQ(sheet.cell(5, 8).address(), "G4:H5");
  EXPECT_EQ(sheet.cell(5, 8).rows(), 2);
  // Writing the area stores the value once, in its top-left cell.
  sheet.range("G4:H5").set_value(7);
  EXPECT_EQ(sheet.range("H5").value().as_number(), 7);
  EXPECT_EQ(sheet.range("A1").formula(), "");
  EXPECT_EQ(sheet.evaluate("=G4+H5", {1, 1}).to_text(), "7");
}

TEST_F(MergedAreas, CountsAndNthCellsOfARange) {
  const Range block = sheet.range("C4:H6");  // 18 cells, two merged areas among them
  EXPECT_EQ(block.count(), 18 - 4 - 3);
  EXPECT_EQ(block.cell(1).address(), "C4");
  EXPECT_EQ(block.cell(5).address(), "G4:H5");
  EXPECT_EQ(block.cell(6).address(), "C5");
  EXPECT_EQ(block.cell(10).address(), "C6");
  EXPECT_EQ(block.cell(11).address(), "D6:H6");
  EXPECT_FALSE(block.cell(12).valid());
  EXPECT_FALSE(block.cell(0).valid());
  // A range touching part of a merged area takes it whole.
  EXPECT_EQ(sheet.range("F6:G6").address(), "D6:H6");
  EXPECT_EQ(sheet.range("A1:B3").count(), 6);
  EXPECT_EQ(sheet.range("A1:B3").cell(4).address(), "B2");
}

TEST_F(MergedAreas, ValueAndLockOfTheTopLeftCell) {
  sheet.range("D6:H6").set_locked(false);
  sheet.set_protected(true);
  EXPECT_FALSE(sheet.range("F6").locked());
  EXPECT_TRUE(sheet.user_edit({6, 8}, "北京公司"));
  EXPECT_EQ(sheet.range("D6").text(), QString::fromUtf8("北京公司"));
  // The value of a multi-cell range is that of its first cell.
  sheet.range("A1").set_value(1);
  sheet.range("A2").set_value(2);
  EXPECT_EQ(sheet.range("A1:A2").text(), "1");
}

TEST(SheetValues, BadAddressesAreSkippedNotCrashes) {
  Sheet sheet;
  const Range bad = sheet.range("货物运单");
  EXPECT_FALSE(bad.valid());
  bad.set_value("x");
  bad.set_formula("=1");
  bad.copy_to(sheet.range("A1"));
  bad.insert_shift_down();
  EXPECT_EQ(bad.text(), "");
  EXPECT_EQ(bad.count(), 0);
  EXPECT_FALSE(sheet.cell(0, 1).valid());
  EXPECT_FALSE(sheet.cell(1, kMaxColumns + 1).valid());
  EXPECT_EQ(sheet.used_rows(), 0);
  // Areas the size of the whole sheet neither hang nor fill memory.
  sheet.range("A1:XFD1048576").merge();
  EXPECT_EQ(sheet.range("B2").address(), "B2");
  sheet.range("A1").set_value(3);
  sheet.range("A1").copy_to(sheet.range("A1:XFD1048576"));
  sheet.range("A1:XFD1048576").set_value("x");
  EXPECT_EQ(sheet.used_rows(), 1);
  EXPECT_EQ(sheet.range("A1").text(), "x");
}

TEST(SheetValues, ClearEmptiesEverything) {
  Sheet sheet;
  sheet.set_name(QString::fromUtf8("货物运单"));
  sheet.range("B2:C2").merge();
  sheet.range("B2").set_value(5);
  sheet.range("D2").set_formula("=B2*2");
  sheet.range("D2").set_border_line_style(1);
  sheet.set_column_width(2, 150);
  sheet.set_protected(true);
  sheet.clear();
  EXPECT_EQ(sheet.used_rows(), 0);
  EXPECT_EQ(sheet.used_columns(), 0);
  EXPECT_EQ(sheet.range("C2").address(), "C2");
  EXPECT_FALSE(sheet.has_formula({2, 4}));
  EXPECT_FALSE(sheet.range("D2").format().border(BorderEdge::Top).visible());
  EXPECT_EQ(sheet.column_width(2), kDefaultColumnWidth);
  EXPECT_FALSE(sheet.is_protected());
  EXPECT_EQ(sheet.name(), QString::fromUtf8("货物运单"));
  // A formula written after a clear does not see old dependencies.
  sheet.range("B2").set_value(1);
  EXPECT_EQ(sheet.range("D2").text(), "");
}

}  // namespace
}  // namespace vemo

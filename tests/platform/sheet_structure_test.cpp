// Copy with references following the cells, row insertion, row heights and positions.
#include "platform/sheet.h"
#include "support/qstring_print.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(Copy, RelativeReferencesFollowAbsoluteOnesStay) {
  Sheet sheet;
  for (int r = 6; r <= 9; ++r) sheet.cell(r, 7).set_value(r);  // G6..G9
  sheet.range("H6").set_formula("=G6");
  sheet.range("H7").set_formula("=H6+G7");
  sheet.range("H7").copy_to(sheet.range("H8"));
  sheet.range("H7").copy_to(sheet.range("H9"));
  EXPECT_EQ(sheet.range("H8").formula(), "=H7+G8");
  EXPECT_EQ(sheet.range("H9").formula(), "=H8+G9");
  EXPECT_EQ(sheet.range("H9").text(), "30");  // running total 6+7+8+9

  sheet.range("J1").set_formula("=$G$6+G$6+$G6+G6");
  sheet.range("J1").copy_to(sheet.range("K3"));
  EXPECT_EQ(sheet.range("K3").formula(), "=$G$6+H$6+$G8+H8");
}

TEST(Copy, CarriesValuesFormatsAndMergesAndTilesTheDestination) {
  Sheet sheet;
  sheet.range("A1:B1").merge();
  sheet.range("A1").set_value(QString::fromUtf8("合计"));
  sheet.range("A1").set_border_line_style(kLineContinuous);
  sheet.range("C1").set_formula("=D1*2");
  sheet.range("D1").set_value(4);
  sheet.range("A1:D1").copy_to(sheet.range("A3:D4"));  // two rows: the source twice
  for (const char* row : {"3", "4"}) {
    const QString r = QString::fromLatin1(row);
    EXPECT_EQ(sheet.range("B" + r).address(), "A" + r + ":B" + r);
    EXPECT_EQ(sheet.range("A" + r).text(), QString::fromUtf8("合计"));
    EXPECT_TRUE(sheet.range("A" + r).format().border(BorderEdge::Left).visible());
    EXPECT_EQ(sheet.range("C" + r).formula(), "=D" + r + "*2");
    EXPECT_EQ(sheet.range("C" + r).text(), "8");
  }
  // Overlapping source and destination.
  sheet.range("D1:D2").copy_to(sheet.range("D2"));
  EXPECT_EQ(sheet.range("D2").text(), "4");
}

// Rows 1..6: A = 1..6, B6 = SUM(A1:A5), B7 = A6*$A$6, D3:E4 merged, row 4 formatted and tall.
class InsertRows : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int r = 1; r <= 6; ++r) sheet.cell(r, 1).set_value(r);
    sheet.range("B6").set_formula("=SUM(A1:A5)");
    sheet.range("B7").set_formula("=A6*$A$6");
    sheet.range("D3:E4").merge();
    sheet.range("A4").set_number_format("0.00");
    sheet.set_row_height(4, 40);
  }
  Sheet sheet;
};

TEST_F(InsertRows, ShiftsCellsFormulasMergesFormatsAndHeights) {
  sheet.range("C4").insert_shift_down();  // a whole row at row 4
  EXPECT_EQ(sheet.range("A5").text(), "4");
  EXPECT_EQ(sheet.range("A4").text(), "");
  EXPECT_EQ(sheet.range("B7").formula(), "=SUM(A1:A6)");
  EXPECT_EQ(sheet.range("B7").text(), "15");
  EXPECT_EQ(sheet.range("B8").formula(), "=A7*$A$7");
  EXPECT_EQ(sheet.range("B8").text(), "36");
  EXPECT_EQ(sheet.range("D3").address(), "D3:E5");  // the merged area spanning row 4 grows
  EXPECT_EQ(sheet.range("A5").format().number_format, "0.00");
  EXPECT_EQ(sheet.row_height(5), 40);
  // The new row looks like the one above it.
  EXPECT_EQ(sheet.range("A4").format().number_format, "");
  EXPECT_EQ(sheet.row_height(4), kDefaultRowHeight);
  // The inserted line takes part in the sum.
  sheet.range("A4").set_value(100);
  EXPECT_EQ(sheet.range("B7").text(), "115");
}

TEST_F(InsertRows, BelowAMergedAreaMovesItWhole) {
  sheet.cell(2, 1).entire_rows().insert_shift_down();
  EXPECT_EQ(sheet.range("D4").address(), "D4:E5");
  EXPECT_EQ(sheet.range("B8").formula(), "=A7*$A$7");
  EXPECT_EQ(sheet.range("A5").format().number_format, "0.00");
}

TEST(Geometry, WholeRowsAreCutToTheUsedColumns) {
  Sheet sheet;
  sheet.range("C2").set_value(1);
  const Range rows = sheet.range("A1:A50").entire_rows();
  EXPECT_EQ(rows.address(), "A1:XFD50");
  rows.set_border_line_style(kLineContinuous);
  EXPECT_TRUE(sheet.range("C50").format().border(BorderEdge::Top).visible());
  EXPECT_EQ(sheet.used_columns(), 3);  // not a cell in each of the 16,384 columns
}

TEST(Geometry, PositionsAreSumsOfWidthsAndHeights) {
  Sheet sheet;
  sheet.set_column_width(1, 100);
  sheet.set_row_height(2, 35);
  EXPECT_EQ(sheet.range("A1").left(), 0);
  EXPECT_EQ(sheet.range("C3").left(), 100 + kDefaultColumnWidth);
  EXPECT_EQ(sheet.range("C3").top(), kDefaultRowHeight + 35);
  sheet.set_scroll_position(50, 10);
  EXPECT_EQ(sheet.view_left({1, 3}), 100 + kDefaultColumnWidth - 50);
  EXPECT_EQ(sheet.view_top({1, 1}), -10);
}

TEST(Geometry, AutoFitGrowsWrappedRowsByTheirText) {
  Sheet sheet;
  sheet.set_column_width(1, 80);
  sheet.range("A1").set_value(QString::fromUtf8("短"));
  const QString long_text = QString::fromUtf8("托运人详细地址在昆明市官渡区某某路一百号");
  sheet.range("A2").set_value(long_text);
  sheet.range("A3").set_value(long_text);
  sheet.update_format(sheet.range("A2").area(), [](CellFormat& f) { f.wrap = true; });
  sheet.update_format(sheet.range("A4").area(), [](CellFormat& f) { f.font.size = 28; });
  sheet.range("A4").set_value("X");
  sheet.set_row_height(5, 90);  // an empty row falls back to the default height
  sheet.range("A1:A5").entire_rows().auto_fit_rows();
  EXPECT_EQ(sheet.row_height(1), kDefaultRowHeight);
  EXPECT_GT(sheet.row_height(2), 2 * kDefaultRowHeight);  // wrapped over several lines
  EXPECT_EQ(sheet.row_height(3), kDefaultRowHeight);      // not wrapped: one line
  EXPECT_GT(sheet.row_height(4), kDefaultRowHeight);      // large font
  EXPECT_EQ(sheet.row_height(5), kDefaultRowHeight);
  // Twice as wide, about half the lines.
  const int narrow = sheet.row_height(2);
  sheet.set_column_width(1, 160);
  sheet.range("A2").auto_fit_rows();
  EXPECT_LT(sheet.row_height(2), narrow);
}

}  // namespace
}  // namespace vemo

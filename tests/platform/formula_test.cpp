// Formula results on a small fixture sheet, errors instead of crashes, reference rewriting.
#include "platform/dates.h"
#include "platform/formula_refs.h"
#include "platform/sheet.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

// A1..A3 = 10, 20, 30; B1 = text "5"; B2 = text "abc"; C1 = -2.5; D1 empty.
class FormulaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sheet.range("A1").set_value(10);
    sheet.range("A2").set_value(20);
    sheet.range("A3").set_value(30);
    sheet.range("B1").set_value("'5");
    sheet.range("B2").set_value("abc");
    sheet.range("C1").set_value(-2.5);
  }
  QString result(const QString& formula) {
    sheet.range("Z1").set_formula(formula);
    return sheet.range("Z1").text();
  }
  Sheet sheet;
};

TEST_F(FormulaTest, ComputesTheExpectedValues) {
  const struct {
    const char* formula;
    const char* expected;
  } cases[] = {
      // operators and precedence
      {"=1+2*3", "7"},
      {"=(1+2)*3", "9"},
      {"=2^3^2", "64"},  // left to right, as spreadsheets do
      {"=-2^2", "4"},    // unary minus binds tighter than ^
      {"=10-2-3", "5"},
      {"=7/2", "3.5"},
      {"=50%", "0.5"},
      {"=A1*10%", "1"},
      {"=--A1", "10"},
      {"=\"ab\"&\"cd\"", "abcd"},
      {"=A1&\"元\"", "10元"},
      {"=\"say \"\"hi\"\"\"", "say \"hi\""},
      {"=0.1+0.2", "0.3"},
      // references, relative or absolute, any letter case
      {"=a1+$A$2+A$3", "60"},
      {"=D1", "0"},
      {"=D1&\"x\"", "x"},
      {"=B1*2", "10"},  // text that reads as a number counts as one
      // comparisons give TRUE or FALSE
      {"=A1=10", "TRUE"},
      {"=A1<>10", "FALSE"},
      {"=A1<A2", "TRUE"},
      {"=A3>=30", "TRUE"},
      {"=\"abc\"=\"ABC\"", "TRUE"},
      {"=D1=\"\"", "TRUE"},
      {"=D1=0", "TRUE"},
      {"=B1=5", "TRUE"},
      // functions in any letter case
      {"=SUM(A1:A3)", "60"},
      {"=sum(A1:A3,5,B1)", "70"},
      {"=SUM(A1:B3)", "65"},  // "abc" in an area is passed over
      {"=SUM(B2,A1)", "10"},  // and in a single referenced cell
      {"=IF(A1>5,D1)", "0"},
      {"=MIN(A1:A3)+A1", "20"},
      {"=Sum(A1:A3)/COUNT(A1:A3)", "20"},
      {"=AVERAGE(A1:A3)", "20"},
      {"=MIN(A1:A3,C1)", "-2.5"},
      {"=MAX(A1:A3)", "30"},
      {"=MAX(D1:D5)", "0"},
      {"=COUNT(A1:D3)", "5"},
      {"=COUNT(A1,1/0,\"x\")", "1"},
      {"=ROUND(2.345,2)", "2.35"},
      {"=ROUND(1.005,2)", "1.01"},
      {"=ROUND(-2.5,0)", "-3"},
      {"=ROUND(1234,-2)", "1200"},
      {"=ROUND(C1)", "-3"},
      {"=INT(-2.5)", "-3"},
      {"=INT(2.9)", "2"},
      {"=ABS(C1)", "2.5"},
      {"=IF(A1>5,\"big\",\"small\")", "big"},
      {"=IF(A1>50,\"big\",\"small\")", "small"},
      {"=IF(A1>50,1)", "FALSE"},
      {"=IF(D1=\"\",\"\",1/D1)", ""},  // the branch not taken is not evaluated
      {"=AND(A1>5,A2>5)", "TRUE"},
      {"=AND(A1>5,A2>50)", "FALSE"},
      {"=OR(A1>50,A2>5)", "TRUE"},
      {"=OR(FALSE,0)", "FALSE"},
      {"=IF(TRUE,1,2)", "1"},
      {"=SUM(A1:A3)*(1+10%)", "66"},
      // errors instead of crashes
      {"=1/0", "#DIV/0!"},
      {"=A1/D1", "#DIV/0!"},
      {"=AVERAGE(D1:D3)", "#DIV/0!"},
      {"=B2+1", "#VALUE!"},
      {"=-B2", "#VALUE!"},
      {"=NOSUCH(1)", "#NAME?"},
      {"=abc+1", "#NAME?"},
      {"=1+", "#VALUE!"},
      {"=(1+2", "#VALUE!"},
      {"=1+2)", "#VALUE!"},
      {"=SUM(1,", "#VALUE!"},
      {"=\"open", "#VALUE!"},
      {"=1 ? 2", "#VALUE!"},
      {"=#REF!+1", "#REF!"},
      {"=SUM(A1:#REF!)", "#REF!"},
      {"=ROUND()", "#VALUE!"},
      {"=IF(1)", "#VALUE!"},
      {"=ABS(1,2)", "#VALUE!"},
      {"=TODAY(1)", "#VALUE!"},
      {"=1/0+B2", "#DIV/0!"},  // the first error wins
      {"=SUM(A1,1/0)", "#DIV/0!"},
      {"=10^400", "#NUM!"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(result(c.formula), QString::fromUtf8(c.expected)) << c.formula;
}

TEST_F(FormulaTest, TodayIsTheDateText) {
  EXPECT_EQ(result("=today()"), today_text());
  EXPECT_EQ(result("=TODAY()&\"\""), today_text());
}

TEST_F(FormulaTest, AbsurdInputStaysAnErrorValue) {
  const QString deep = "=" + QString(5000, '(') + "1" + QString(5000, ')');
  EXPECT_TRUE(sheet.evaluate(deep, {50, 50}).is_error());
  QString long_sum = "=1";
  for (int i = 0; i < 5000; ++i) long_sum += "+1";
  EXPECT_TRUE(sheet.evaluate(long_sum, {50, 50}).is_error());
  EXPECT_TRUE(sheet.evaluate("=" + QString(20000, 'A'), {50, 50}).is_error());
  EXPECT_TRUE(
      sheet.evaluate(QString::fromUtf8("=\xff\xfe\x01+'\";DROP TABLE x"), {50, 50}).is_error());
  EXPECT_EQ(sheet.evaluate("=XFD1048576+1", {1, 1}).to_text(), "1");
  EXPECT_EQ(sheet.evaluate("=XFE1+1", {1, 1}).to_text(), "#NAME?");
  EXPECT_EQ(sheet.evaluate("=A1+1", {1, 1}).to_text(), "#CIRC!");
}

TEST(FormulaReferences, OffsetMovesOnlyRelativeParts) {
  const struct {
    const char* formula;
    int rows;
    int columns;
    const char* expected;
  } cases[] = {
      {"=A1+$B$2+C$3+$D4", 2, 1, "=B3+$B$2+D$3+$D6"},
      {"=SUM(g6:g9)", 1, 0, "=SUM(G7:G10)"},
      {"=\"A1\"&A1", 1, 0, "=\"A1\"&A2"},  // text that looks like a reference stays
      {"=A2-B2", -1, 0, "=A1-B1"},
      {"=A1+1", -1, 0, "=#REF!+1"},  // pushed off the sheet
      {"=SUM(A1:A3)", 0, -1, "=SUM(#REF!:#REF!)"},
      {"plain", 5, 5, "plain"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(offset_formula(c.formula, c.rows, c.columns), QString(c.expected)) << c.formula;
}

TEST(FormulaReferences, RowInsertMovesEverythingBelow) {
  const struct {
    const char* formula;
    const char* expected;
  } cases[] = {
      {"=A4+A5+$A$6+A$7", "=A4+A7+$A$8+A$9"},
      {"=SUM(B2:B10)", "=SUM(B2:B12)"},  // an area spanning the insert grows
      {"=SUM(B5:B10)", "=SUM(B7:B12)"},
      {"=SUM(B1:B4)", "=SUM(B1:B4)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(shift_formula_rows(c.formula, 5, 2), QString(c.expected)) << c.formula;
}

}  // namespace
}  // namespace vemo

// Automatic recalculation: dependents only, in dependency order, cycles, long chains.
#include "platform/sheet.h"
#include "support/qstring_print.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(Recalc, DependentsFollowAChangeThroughChainsAndAreas) {
  Sheet sheet;
  sheet.range("A1").set_value(2);
  sheet.range("B1").set_formula("=A1*10");
  sheet.range("C1").set_formula("=B1+A1");  // reads A1 directly and through B1
  sheet.range("D1").set_formula("=SUM(A1:C1)");
  EXPECT_EQ(sheet.range("D1").text(), "44");
  sheet.range("A1").set_value(3);
  EXPECT_EQ(sheet.range("B1").text(), "30");
  EXPECT_EQ(sheet.range("C1").text(), "33");
  EXPECT_EQ(sheet.range("D1").text(), "66");
  // Replacing a formula drops its old dependency.
  sheet.range("B1").set_formula("=5");
  sheet.range("A1").set_value(100);
  EXPECT_EQ(sheet.range("B1").text(), "5");
  EXPECT_EQ(sheet.range("C1").text(), "105");
  // A formula overwritten by a value stops being recomputed.
  sheet.range("C1").set_value(1);
  sheet.range("A1").set_value(0);
  EXPECT_EQ(sheet.range("C1").text(), "1");
  EXPECT_EQ(sheet.range("D1").text(), "6");
}

TEST(Recalc, FormulasWrittenBeforeTheirInputsCatchUp) {
  Sheet sheet;
  sheet.range("C1").set_formula("=B1*2");
  sheet.range("B1").set_formula("=A1+1");
  EXPECT_EQ(sheet.range("C1").text(), "2");
  sheet.range("A1").set_value("4");
  EXPECT_EQ(sheet.range("C1").text(), "10");
}

TEST(Recalc, WideAreasAreWatchedToo) {
  Sheet sheet;
  sheet.range("Z1").set_formula("=SUM(A1:A10000)");
  sheet.range("A9999").set_value(5);
  EXPECT_EQ(sheet.range("Z1").text(), "5");
  sheet.range("A9999").clear_contents();
  EXPECT_EQ(sheet.range("Z1").text(), "0");
}

TEST(Recalc, CyclesShowAnErrorAndRecoverWhenBroken) {
  Sheet sheet;
  sheet.range("A1").set_formula("=A1+1");
  EXPECT_EQ(sheet.range("A1").text(), "#CIRC!");

  sheet.range("B1").set_formula("=C1+1");
  sheet.range("C1").set_formula("=B1+1");
  sheet.range("D1").set_formula("=B1*2");
  sheet.range("E1").set_formula("=IF(A2=0,7,B1)");
  EXPECT_EQ(sheet.range("B1").text(), "#CIRC!");
  EXPECT_EQ(sheet.range("C1").text(), "#CIRC!");
  EXPECT_EQ(sheet.range("D1").text(), "#CIRC!");  // fed by the cycle: the error spreads
  EXPECT_EQ(sheet.range("E1").text(), "7");       // unless the formula does not read it
  sheet.range("A2").set_value(1);
  EXPECT_EQ(sheet.range("E1").text(), "#CIRC!");

  sheet.range("C1").set_value(10);
  EXPECT_EQ(sheet.range("B1").text(), "11");
  EXPECT_EQ(sheet.range("D1").text(), "22");
}

TEST(Recalc, LongChainsNeitherOverflowNorLoseOrder) {
  constexpr int kLength = 10000;
  Sheet sheet;
  sheet.cell(1, 1).set_value(1);
  for (int r = 2; r <= kLength; ++r)
    sheet.cell(r, 1).set_formula(QStringLiteral("=A%1+1").arg(r - 1));
  EXPECT_EQ(sheet.cell(kLength, 1).text(), QString::number(kLength));
  sheet.cell(1, 1).set_value(-kLength);
  EXPECT_EQ(sheet.cell(kLength, 1).text(), "-1");
  // Closing the chain into a loop.
  sheet.cell(1, 1).set_formula(QStringLiteral("=A%1").arg(kLength));
  EXPECT_EQ(sheet.cell(kLength, 1).text(), "#CIRC!");
}

}  // namespace
}  // namespace vemo

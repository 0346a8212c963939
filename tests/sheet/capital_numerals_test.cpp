// Capital numerals: the worked examples printed bills are compared with, and the ends
// of the range.
#include "platform/capital_numerals.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

struct Case {
  double amount;
  const char* unit_template;
  const char* capitals;
};

TEST(CapitalAmount, TemplateConversion) {
  const Case cases[] = {
      {1005.30, "元#角#分;2", "壹仟零伍元叁角整"},
      {5.30, "元#角#分;2", "伍元叁角整"},
      {5, "元#角#分;2", "伍元整"},
      {100, "元#角#分;2", "壹佰元整"},
      {0.5, "元#角#分;2", "零元伍角整"},
      {0.05, "元#角#分;2", "零元零角伍分"},
      {0.29, "元#角#分;2", "零元贰角玖分"},
      {1010.01, "元#角#分;2", "壹仟零壹拾元零角壹分"},
      {20000.08, "元#角#分;2", "贰万元零角捌分"},
      {100000, "元#角#分;2", "壹拾万零元整"},
      {105000, "元#角#分;2", "壹拾万零伍仟元整"},
      {10010000, "元#角#分;2", "壹仟零壹万元整"},
      {100000000, "元#角#分;2", "壹亿万元整"},
      {123456789.12, "元#角#分;2", "壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖元壹角贰分"},
      {0, "元#角#分;2", "/"},
      {5.309, "元#角#分;2", "伍元叁角整"},  // cut off, not rounded
      {1005.309, "元#角#分;2", "壹仟零伍元叁角整"},
      {1005.30, "元;0", "壹仟零伍元"},
      {12.5, "点#;1", "壹拾贰点伍"},
      {12, "点#;1", "壹拾贰"},
      {0.5, "点#;1", "零点伍"},
      {0, "元;0", "/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(capital_amount(c.amount, QString::fromUtf8(c.unit_template)),
              QString::fromUtf8(c.capitals))
        << c.amount << " " << c.unit_template;
  }
}

TEST(CapitalAmount, FixedConversion) {
  const Case cases[] = {
      {1005.30, "", "壹仟零佰零拾伍圆叁角"},
      {5.30, "", "伍圆叁角"},
      {100, "", "壹佰零拾零圆"},
      {0.5, "", "伍角"},
      {0.05, "", "伍分"},
      {1010.01, "", "壹仟零佰壹拾零圆零角壹分"},
      {105000, "", "壹拾零万伍仟零佰零拾零圆"},
      {123456789.12, "", "壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖圆壹角贰分"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(capital_amount_fixed(c.amount), QString::fromUtf8(c.capitals)) << c.amount;
  }
}

TEST(CapitalAmount, OutsideTheDefinedRangeStaysSensible) {
  EXPECT_EQ(capital_amount(-5.3, "元#角#分;2"), QString::fromUtf8("负伍元叁角整"));
  EXPECT_EQ(capital_amount_fixed(-100), QString::fromUtf8("负壹佰零拾零圆"));
  EXPECT_EQ(capital_amount_fixed(0), QString::fromUtf8("零圆"));
  // 10^13 and above: surplus digits stay in the first place; nothing crashes.
  EXPECT_FALSE(capital_amount(12345678901234.5, "元#角#分;2").isEmpty());
  EXPECT_FALSE(capital_amount_fixed(1e16).isEmpty());
  // Odd templates never crash either.
  for (const char* t : {"", ";", "#", ";9", "元#角#分;-3", "###;2", "点"}) {
    capital_amount(1234.56, QString::fromUtf8(t));
    capital_amount(0.5, QString::fromUtf8(t));
  }
}

TEST(CapitalCleanup, InsertsZeroAfterTenThousandsAndCollapsesRuns) {
  EXPECT_EQ(capital_cleanup(QString::fromUtf8("壹拾万元整")), QString::fromUtf8("壹拾万零元整"));
  EXPECT_EQ(capital_cleanup(QString::fromUtf8("壹零零零贰")), QString::fromUtf8("壹零贰"));
}

}  // namespace
}  // namespace vemo

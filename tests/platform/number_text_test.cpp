// number_text(), the strict number test, quoting and date conversion.
#include "platform/number_text.h"
#include "platform/dates.h"
#include "platform/sql_text.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(NumberText, FormatsWithoutTrailingZerosOrExponent) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {1001, "1001"},
      {1001.0, "1001"},
      {12.5, "12.5"},
      {-0.25, "-0.25"},
      {0.1 + 0.2, "0.3"},
      {-0.0, "0"},
      {1e14, "100000000000000"},
      {123456789012.34, "123456789012.34"},
      {0.0000001, "0.0000001"},
      {1e15, "1e+15"},
  };
  for (const auto& c : cases) EXPECT_EQ(number_text(c.value), QString(c.text)) << c.value;
}

TEST(NumberText, AcceptsOnlySignDigitsAndFraction) {
  const struct {
    const char* text;
    bool is_number;
    double value;
  } cases[] = {
      {"1001", true, 1001}, {" -12.5 ", true, -12.5}, {"+3", true, 3},  {"0012", true, 12},
      {"1e3", false, 0},    {"12.", false, 0},        {".5", false, 0}, {"", false, 0},
      {"1,000", false, 0},  {"abc", false, 0},        {"-", false, 0},  {"1 2", false, 0},
  };
  for (const auto& c : cases) {
    const auto parsed = parse_number_text(QString::fromUtf8(c.text));
    EXPECT_EQ(parsed.has_value(), c.is_number) << c.text;
    if (parsed) {
      EXPECT_DOUBLE_EQ(*parsed, c.value) << c.text;
    }
  }
}

TEST(SqlQuote, DoublesEveryQuote) {
  EXPECT_EQ(sql_quote("abc"), "'abc'");
  EXPECT_EQ(sql_quote("x' or 'a'='a"), "'x'' or ''a''=''a'");
  EXPECT_EQ(sql_quote(""), "''");
}

TEST(Dates, ReadsYearMonthDayForms) {
  const struct {
    const char* text;
    const char* iso;
  } cases[] = {
      {"2004/1/5", "2004-01-05"},  {"2004-1-5", "2004-01-05"},
      {"2003/4/16", "2003-04-16"}, {"2004-01-05 8:05", "2004-01-05 08:05:00"},
      {"2004-02-30", nullptr},     {"5/1/2004", nullptr},
      {"yesterday", nullptr},
  };
  for (const auto& c : cases) {
    const auto iso = iso_date_text(QString::fromUtf8(c.text));
    if (c.iso == nullptr) {
      EXPECT_FALSE(iso.has_value()) << c.text;
    } else {
      ASSERT_TRUE(iso.has_value()) << c.text;
      EXPECT_EQ(*iso, QString(c.iso));
    }
  }
}

}  // namespace
}  // namespace vemo

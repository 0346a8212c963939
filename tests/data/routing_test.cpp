// Which database answers a statement or a table name.
#include "data/routing.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

const QString kPage = QStringLiteral("货物运单");

TEST(Routing, StatementsGoWhereTheirWordsSay) {
  const struct {
    const char* sql;
    bool network;
    Route expected;
  } cases[] = {
      {"select * from bb where bbm='货物运单'", false, Route::Settings},
      {"select * from 货物运单 order by bh ", false, Route::Settings},
      {"SELECT * FROM SQL_查询 where excel_table_name='x'", false, Route::Settings},
      {"select * from CellAct", false, Route::Settings},
      {"select * from yswtd1 where ysth='1001'", false, Route::Given},
      {"select * from yswtd1 where ysth='1001'", true, Route::Remote},
      {"select * from bb", true, Route::Settings},
      // Pop-up tables always live with the settings.
      {"select * from 运输货票_pop", false, Route::Settings},
      {"delete * from 货物运单_pop where lb='x'", true, Route::Settings},
      // Values never steer the statement: user names, passwords, numbers, page names.
      {"select * from ws_gxq where username='bb' and mm='abba'", false, Route::Given},
      {"select * from ws_gxq where username='x'' bb ''' and mm='y'", false, Route::Given},
      {"select * from yswtd1 where ysth='货物运单'", false, Route::Given},
      {"select * from yswtd1 where hpbh=\"bb\"", false, Route::Given},
      {"select * from yswtd1 where tyrq=#2004/1/5#", true, Route::Remote},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(route_query(QString::fromUtf8(c.sql), kPage, c.network), c.expected) << c.sql;
  }
}

TEST(Routing, TableNamesMatchExactly) {
  const struct {
    const char* table;
    const char* page;
    Route expected;
  } cases[] = {
      {"BB", "货物运单", Route::Settings},
      {"celldxx", "货物运单", Route::Given},
      {"cellact ", "货物运单", Route::Given},
      {"cellact", "货物运单", Route::Settings},
      {"sql_查询", "货物运单", Route::Settings},
      {"货物运单", "货物运单", Route::Settings},
      {"yswtd1", "货物运单", Route::Given},
      {"货物运单_pop", "运输货票", Route::Settings},
      {"old_yswtd1", "yswtd1", Route::Settings},
      {"YSWTD1", "yswtd1", Route::Given},  // the page-name test keeps letter case
      {"yswtd1", "", Route::Given},        // no page yet: nothing matches it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(route_table(QString::fromUtf8(c.table), QString::fromUtf8(c.page), false), c.expected)
        << c.table << " on " << c.page;
  }
  EXPECT_EQ(route_table("yswtd1", kPage, true), Route::Remote);
}

TEST(Routing, StripsOnlyLiterals) {
  EXPECT_EQ(strip_sql_literals("a='b''c' and d=\"e\" and f=#2004/1/5# or g"),
            "a='' and d=\"\" and f=## or g");
  EXPECT_EQ(strip_sql_literals("x='unclosed bb"), "x='");
}

}  // namespace
}  // namespace vemo

// The stored-SQL engine: statements, parameters, placement and the not-found messages.
#include "reports/report_engine.h"
#include "report_fixture.h"

namespace vemo {
namespace {

using test::ReportFixture;

class ReportEngine : public ReportFixture {
 protected:
  void SetUp() override {
    ReportFixture::SetUp();
    main_db(
        {"create table yswtd1 (ysth text collate nocase, tyrq date, fz text, js integer, "
         "je real, hm text)",
         "create table yswtd2 (ysth text, fh_wz integer, hm text, js integer)"});
  }
  void waybills(int count) {
    for (int i = 1; i <= count; ++i) {
      main_db({QString("insert into yswtd1 values ('%1', '2004-01-%2', '成都', %3, %4, '00%5')")
                   .arg(1000 + i)
                   .arg(i, 2, 10, QChar('0'))
                   .arg(i)
                   .arg(i * 1.5)
                   .arg(i)});
    }
  }
};

TEST_F(ReportEngine, FillsABlockAndKeepsTextAsText) {
  waybills(3);
  map("yswtd1.ysth", "A5", "mline", "'测试报表.A9'");
  map("yswtd1.js", "B5", "mline", "'测试报表.B9'");
  map("yswtd1.hm", "C5", "mline", "'测试报表.C9'");
  statement("yswtd1", "select ysth, js, hm from yswtd1 order by ysth");
  run_sheet_queries(session, session.main_conn, "", sheet);
  EXPECT_EQ(text("A5"), "1001");
  EXPECT_TRUE(sheet.range("A7").value().is_text());  // text column: written as text
  EXPECT_EQ(text("A7"), "1003");
  EXPECT_TRUE(sheet.range("B6").value().is_number());
  EXPECT_EQ(sheet.range("B6").value().as_number(), 2);
  EXPECT_EQ(text("C5"), "001");  // 001 stays 001
  EXPECT_TRUE(prompts->shown().empty());
}

TEST_F(ReportEngine, ParametersFillDatesAndQuotedTexts) {
  waybills(5);
  map("yswtd1.ysth", "A5", "mline", "'测试报表.A20'");
  statement("yswtd1", "select ysth from yswtd1 where tyrq>=#;# and tyrq<=#;# order by ysth");
  run_sheet_queries(session, session.main_conn, "2004-01-02*2004-01-04", sheet);
  EXPECT_EQ(text("A5"), "1002");
  EXPECT_EQ(text("A7"), "1004");
  EXPECT_EQ(text("A8"), "");
}

TEST_F(ReportEngine, AQuoteInTheParametersIsOnlyAValue) {
  waybills(3);
  map("yswtd1.ysth", "A5", "mline", "'测试报表.A20'");
  statement("yswtd1", "select ysth from yswtd1 where ysth=';'");
  run_sheet_queries(session, session.main_conn, "x' or '1'='1", sheet);
  EXPECT_EQ(text("A5"), "");
  EXPECT_EQ(prompts->texts(), QStringList{kWaybillNotFound});
}

TEST_F(ReportEngine, MissingWaybillShowsTheMessageAndEndsTheRun) {
  waybills(2);
  map("yswtd1.ysth", "A5");
  map("yswtd1.js", "B5", "hz_sum", "'=SUM(B5:B'");
  statement("yswtd1", "select ysth from yswtd1 where ysth=';'");
  statement("yswtd2", "select js from yswtd1");
  run_sheet_queries(session, session.main_conn, "9999", sheet);
  ASSERT_EQ(prompts->shown().size(), 1u);
  EXPECT_EQ(prompts->shown()[0].text, kWaybillNotFound);
  EXPECT_EQ(prompts->shown()[0].title, kWaybillTitle);
  EXPECT_EQ(prompts->shown()[0].icon, PromptIcon::Critical);
  EXPECT_EQ(text("B5"), "");  // the later statement never ran
  EXPECT_EQ(text("A4"), "");  // no totals either

  prompts->clear_shown();
  run_sheet_queries(session, session.main_conn, "2004-02-01*2004-02-02", sheet);
  ASSERT_EQ(prompts->shown().size(), 1u);
  EXPECT_EQ(prompts->shown()[0].text, kNothingFound);
}

TEST_F(ReportEngine, AddStacksTheStatementsThatFollow) {
  waybills(10);
  map("yswtd1.ysth", "A5", "mline", "'测试报表.A40'");
  statement("yswtd1", "select ysth from yswtd1 order by ysth", true);
  statement("yswtd1", "select ysth from yswtd1 where js<=2 order by ysth");
  run_sheet_queries(session, session.main_conn, "", sheet);
  EXPECT_EQ(text("A14"), "1010");
  EXPECT_EQ(text("A15"), "1001");
  EXPECT_EQ(text("A16"), "1002");
  EXPECT_EQ(text("A17"), "");
}

TEST_F(ReportEngine, SumStatementLandsAtAnchorPlusLongestListPlusOne) {
  waybills(10);
  map("yswtd1.ysth", "A5", "mline", "'测试报表.A40'");
  map("yswtd1.js", "B5");
  statement("yswtd1", "select ysth from yswtd1 order by ysth");
  statement("yswtd1_sum", "select sum(js) as \"yswtd1.js\" from yswtd1");
  run_sheet_queries(session, session.main_conn, "", sheet);
  EXPECT_EQ(sheet.range("B16").value().as_number(), 55);
}

TEST_F(ReportEngine, BlockOverflowIsNotWrittenButCountsForTheBottomRow) {
  waybills(3);
  map("yswtd1.ysth", "A5", "mline", "'测试报表.A6'");
  map("yswtd1.js", "B5", "mline, hz_sum", "'测试报表.B6', '=SUM(B5:B'");
  statement("yswtd1", "select ysth, js from yswtd1 order by ysth");
  run_sheet_queries(session, session.main_conn, "", sheet);
  EXPECT_EQ(text("A5"), "1001");
  EXPECT_EQ(text("A6"), "1002");
  EXPECT_EQ(text("A7"), "");
  EXPECT_EQ(sheet.range("B10").formula(), "=SUM(B5:B7)");  // bottom row 7, totals 3 below
  EXPECT_EQ(text("A10"), QString::fromUtf8("合计"));
  EXPECT_EQ(sheet.range("B10").value().as_number(), 3);
}

TEST_F(ReportEngine, FhWzPicksTheLineRowFromFhWidth) {
  main_db({"insert into yswtd2 values ('1001', 1, '钢材', 5)",
           "insert into yswtd2 values ('1001', 3, '水泥', 7)",
           "insert into yswtd2 values ('1001', 2, '木材', 9)"});
  map("yswtd2.hm", "C10", "mline, fh_width", "'测试报表.C14', '10*12*14'");
  statement("yswtd2", "select hm, fh_wz from yswtd2 where ysth=';'");
  run_sheet_queries(session, session.main_conn, "1001", sheet);
  EXPECT_EQ(text("C10"), QString::fromUtf8("钢材"));
  EXPECT_EQ(text("C12"), QString::fromUtf8("木材"));
  EXPECT_EQ(text("C14"), QString::fromUtf8("水泥"));
}

TEST_F(ReportEngine, KindTestAndEventSwitch) {
  waybills(2);
  map("yswtd1.ysth", "A5", "mline", "'测试报表.A9'");
  // "update" alone still passes and is filled.
  statement("yswtd1", "select ysth as update_marker, ysth from yswtd1 where ysth=';'");
  for (const bool events_on : {false, true}) {
    sheet.set_enable_events(events_on);
    run_sheet_queries(session, session.main_conn, "1002", sheet);
    EXPECT_EQ(text("A5"), "1002");
    EXPECT_EQ(sheet.enable_events(), events_on);
  }
}

TEST_F(ReportEngine, ClearingKeepsKeyAndKeptCells) {
  map("yswtd1.ysth", "A2", "out_cl", "'wbd'");
  map("yswtd1.fz", "B2", "out_cl", "'BAO_CI'");
  map("yswtd1.js", "C5", "mline", "'测试报表.C8'");
  map("yswtd1.je", "D5");
  for (const char* a : {"A2", "B2", "C5", "C8", "D5", "E5"}) sheet.range(a).set_value("x");
  clear_output_cells(session, session.main_conn, sheet);
  EXPECT_EQ(text("A2"), "x");
  EXPECT_EQ(text("B2"), "x");
  EXPECT_EQ(text("C5"), "");
  EXPECT_EQ(text("C8"), "");
  EXPECT_EQ(text("D5"), "");
  EXPECT_EQ(text("E5"), "x");
}

}  // namespace
}  // namespace vemo

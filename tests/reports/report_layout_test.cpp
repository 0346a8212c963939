// Report layout: groups, CL_ZH, summary-formula columns, group-row alignment, and the
// daily-report map correction.
#include "platform/recordset.h"
#include "report_fixture.h"
#include "reports/daily_report_correction.h"
#include "reports/report_engine.h"

namespace vemo {
namespace {

using test::ReportFixture;

class ReportLayout : public ReportFixture {
 protected:
  void SetUp() override {
    ReportFixture::SetUp();
    main_db({"create table yswtd1 (ysth text, dz text, hm text, js integer, px integer)",
             "create table zd (mc text, px integer)"});
  }
  void rows(const char* table, std::initializer_list<const char*> values) {
    for (const char* v : values) {
      main_db({QString("insert into %1 values (%2)").arg(table, QString::fromUtf8(v))});
    }
  }
  void run() { run_sheet_queries(session, session.main_conn, "", sheet); }
};

TEST_F(ReportLayout, BaseShowsTheGroupOnceAndClShowsChangesOnly) {
  rows("yswtd1", {"'1', '成都', 'A', 1, 1", "'2', '成都', 'A', 2, 2", "'3', '成都', 'B', 3, 3",
                  "'4', '昆明', 'B', 4, 4"});
  map("yswtd1.dz", "A5", "mline, out_cl", "'测试报表.A20', 'BASE'");
  map("yswtd1.hm", "B5", "mline, out_cl", "'测试报表.B20', 'cl'");
  statement("yswtd1", "select dz, hm from yswtd1 order by px");
  run();
  const char* expected[][2] = {{"成都", "A"}, {"", ""}, {"", "B"}, {"昆明", "B"}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(sheet.cell(5 + i, 1).text(), QString::fromUtf8(expected[i][0])) << i;
    EXPECT_EQ(sheet.cell(5 + i, 2).text(), QString::fromUtf8(expected[i][1])) << i;
  }
}

TEST_F(ReportLayout, ClZhBlanksAValueWhoseCompanionsAreEmptyOnAxPages) {
  settings({"update bb set key='ax'"});
  rows("yswtd1", {"'1', null, null, 5, 1", "'2', '昆明', null, 6, 2"});
  map("yswtd1.dz", "C5", "mline", "'测试报表.C20'");
  map("yswtd1.hm", "D5", "mline", "'测试报表.D20'");
  map("yswtd1.js", "E5", "mline, out_cl", "'测试报表.E20', 'CL_ZH:3,4'");
  statement("yswtd1", "select dz, hm, js from yswtd1 order by px");
  run();
  EXPECT_EQ(text("E5"), "");
  EXPECT_EQ(text("E6"), "6");
  // The "AX" border runs from the first data row to four rows below the bottom row.
  EXPECT_EQ(sheet.selection().address(), "A5:E10");
}

TEST_F(ReportLayout, SummaryFormulaColumnsCopyTheirSecondFormulaDown) {
  rows("yswtd1",
       {"'1', '', '', 1, 1", "'2', '', '', 2, 2", "'3', '', '', 3, 3", "'4', '', '', 4, 4"});
  map("yswtd1.js", "G6", "mline", "'测试报表.G20'");
  map("run.total", "H6", "fx_zh, fx_tj, hz_sum", "'=G6', '=H6+G7', 'hz'");
  map("run.double", "I6", "fx_zh, fx_tj, out_cl", "'=G6*2', '=G7*2', 'CL'");
  statement("yswtd1", "select js from yswtd1 order by px");
  main_db({"update yswtd1 set js=0 where px=4"});
  run();
  EXPECT_EQ(sheet.range("H6").formula(), "=G6");
  EXPECT_EQ(sheet.range("H7").formula(), "=H6+G7");
  EXPECT_EQ(sheet.range("H8").formula(), "=H7+G8");
  EXPECT_EQ(sheet.range("H9").formula(), "=H8+G9");
  EXPECT_EQ(sheet.range("H9").value().as_number(), 6);
  EXPECT_EQ(sheet.range("I8").formula(), "=G8*2");
  EXPECT_EQ(text("I9"), "");  // "CL": a zero result is blanked
  EXPECT_EQ(text("A12"), QString::fromUtf8("合计"));
  EXPECT_EQ(sheet.range("H12").formula(), "=H11+G12");  // the source copied three below
}

TEST_F(ReportLayout, ValuesFindTheirGroupRowAndInsertWhenAGroupContinues) {
  rows("zd", {"'成都', 1", "'昆明', 2", "'重庆', 3", "'贵阳', 4"});
  rows("yswtd1", {"'1', '贵阳', '', 5, 1", "'2', '贵阳', '', 7, 2"});
  map("zd.mc", "A5", "mline", "'测试报表.A30'");
  map("yswtd1.js", "B5", "mline, excel_zhtj, sql_zhtj", "'测试报表.B30', '1', 'dz'");
  statement("zd", "select mc from zd order by px");
  statement("yswtd1", "select dz, js from yswtd1 order by px");
  run();
  EXPECT_EQ(text("B5"), "");
  EXPECT_EQ(text("B8"), "5");  // on the 贵阳 row
  EXPECT_EQ(text("B9"), "7");  // and the next value moves with it

  sheet.clear();
  settings({"delete from sql_查询"});
  main_db({"delete from zd", "delete from yswtd1"});
  rows("zd", {"'成都', 1", "'昆明', 2"});
  rows("yswtd1", {"'1', '成都', '', 1, 1", "'2', '成都', '', 2, 2"});
  statement("zd", "select mc from zd order by px");
  statement("yswtd1", "select dz, js from yswtd1 order by px");
  run();
  EXPECT_EQ(text("B5"), "1");
  EXPECT_EQ(text("B6"), "2");  // a fresh line for 成都 ...
  EXPECT_EQ(text("A6"), "");
  EXPECT_EQ(text("A7"), QString::fromUtf8("昆明"));  // ... pushed 昆明 down
}

class DailyReportCorrection : public ReportFixture {
 protected:
  int rows_in_map() {
    auto rs = session.set_conn.jet->open_recordset("select * from " + kDailyReportPage);
    return rs->RecordCount();
  }
  void map_with(int rows) {
    settings({"create table " + kDailyReportPage +
              " (zdm text, exceldz text, mline text, out_cl text)"});
    for (int i = 0; i < rows; ++i) {
      settings(
          {"insert into " + kDailyReportPage + " (zdm) values ('x" + QString::number(i) + "')"});
    }
  }
};

TEST_F(DailyReportCorrection, SixteenRowsGainTheFiveParameterCellsOnce) {
  map_with(16);
  sheet.set_name(QString::fromUtf8("货物运单"));  // whatever page is on screen
  EXPECT_TRUE(correct_daily_report_map(session));
  EXPECT_EQ(rows_in_map(), 21);
  auto rs = session.set_conn.jet->open_recordset("select zdm, exceldz, out_cl from " +
                                                 kDailyReportPage + " where out_cl='wbd'");
  QStringList added;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
    added << rs->Text("zdm") + "@" + rs->Text("exceldz");
  }
  EXPECT_EQ(added,
            QStringList({"ch@" + kDailyReportPage + ".c2", "fz@" + kDailyReportPage + ".f2",
                         "dz@" + kDailyReportPage + ".h2", "ysfs@" + kDailyReportPage + ".j2",
                         "rq@" + kDailyReportPage + ".p2"}));
  EXPECT_FALSE(correct_daily_report_map(session));
  EXPECT_EQ(rows_in_map(), 21);
}

TEST_F(DailyReportCorrection, OtherSizesAreLeftAlone) {
  for (const int size : {15, 17}) {
    settings({"drop table if exists " + kDailyReportPage});
    map_with(size);
    EXPECT_FALSE(correct_daily_report_map(session));
    EXPECT_EQ(rows_in_map(), size);
  }
}

}  // namespace
}  // namespace vemo

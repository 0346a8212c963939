// A clerk's day on the demo pages, driven only through the page's events and answers to
// message boxes; each step checks the database and the page.

#include "document/page_save.h"
#include "document/record_browse.h"
#include "platform/dates.h"
#include "sheet/choice_list.h"
#include "sheet/page_fixture.h"

namespace vemo::test {
namespace {

class Clerk : public PageFixture {};

TEST_F(Clerk, EntersAWaybillAndItsFreightTicket) {
  main_db(
      {"insert into yswtd1 (ysth, fhdwmc, fhdwdz, fhdwdh, fhdwsj) values ('900', '甲公司', "
       "'昆明北路1号', '08715550001', '13900000001')"});
  open(kWaybillDocument);
  session.form1.Check2 = false;      // cell by cell
  prompts->push(PromptAnswer::Yes);  // 你确定增加新的运输托号？
  type("M2", "1001");
  EXPECT_EQ(text("C4:D4"), today_text());
  EXPECT_EQ(rows("select ysth, rq from yswtd1 where ysth='1001'"),
            QStringList{"1001|" + today_text()});

  type("D6:H6", "甲公司");
  EXPECT_EQ(text("C5:D5"), "昆明");
  EXPECT_EQ(text("D7:H7"), "昆明北路1号");
  EXPECT_EQ(text("K6:M6"), "08715550001");
  EXPECT_TRUE(sheet().range("K6:M6").value().is_text());
  EXPECT_TRUE(session.form1.Check2);  // the look-up and the station rule tick manual save

  type("B12", "规格=10kg");
  type("C12", "3");
  type("F16", "1234.5");
  EXPECT_EQ(text("G16:M16"), "壹仟贰佰叁拾肆元伍角整");
  save_page(session, session.main_conn, sheet());  // the clerk presses 存盘
  EXPECT_EQ(rows("select fhdwmc, fhdwdh, fz, zje from yswtd1 where ysth='1001'"),
            QStringList{"甲公司|08715550001|昆明|1234.5"});
  EXPECT_EQ(rows("select fh_wz, hm, js from yswtd2 where ysth='1001'"),
            QStringList{"1|规格=10kg|3"});

  // Alt: the freight ticket of this waybill, events on and ready for typing.
  select("M2");
  key(kKeyAlt);
  EXPECT_EQ(sheet().name(), kTicketDocument);
  EXPECT_TRUE(sheet().enable_events());
  EXPECT_EQ(text("G4:H4"), "1001");
  EXPECT_TRUE(session.form1.Check2);
  EXPECT_TRUE(session.form1.CommandButton1.visible);

  session.form1.Check2 = false;
  prompts->clear_shown();
  type("T2", "P-01");
  EXPECT_EQ(text("J4:L4"), today_text());
  type("D18:L18", "0.3");
  type("M19:O19", "0.1");
  type("P19:R19", "0.2");
  prompts->clear_shown();
  type("S19:U19", "0");
  EXPECT_FALSE(prompts->texts().contains(kTicketSumMismatch))
      << prompts->texts().join('/').toStdString();
  type("S19:U19", "5");
  EXPECT_TRUE(prompts->texts().contains(kTicketSumMismatch));
  EXPECT_EQ(sheet().selection().address(), "S19:U19");
  EXPECT_EQ(rows("select hpbh, rq, hj, jz, xj, ds from yshp1 where ysth='1001'"),
            QStringList{"P-01|" + today_text() + "|0.3|0.1|0.2|5"});

  // Alt back to the waybill: filled, manual save off, and the next edit is processed.
  select("T2");
  key(kKeyAlt);
  EXPECT_EQ(sheet().name(), kWaybillDocument);
  EXPECT_EQ(text("M2"), "1001");
  EXPECT_EQ(text("B12"), "规格=10kg");
  EXPECT_FALSE(session.form1.Check2);
  type("E12", "250");
  EXPECT_EQ(rows("select zl from yswtd2 where ysth='1001' and fh_wz=1"), QStringList{"250"});
}

TEST_F(Clerk, PicksChoicesDeletesCellsAndBrowses) {
  main_db({"insert into yswtd1 (ysth, fz, zje, dx) values ('1001', '大理', 10, '壹拾元整')",
           "insert into yswtd1 (ysth, fz) values ('1002', '昆明')",
           "insert into yswtd1 (ysth, fz) values ('1003', '昆明')",
           "insert into yswtd2 values ('1002', 1, '日用品', 4, 1.5, 30)",
           "insert into yswtd2 values ('1002', 2, '家具', 2, 3, 80)"});
  open(kWaybillDocument);
  session.form1.Check2 = false;
  type("M2", "1002");
  EXPECT_EQ(text("B12"), "日用品");

  // A pick from the station list is written as text and stored.
  select("C5:D5");
  ASSERT_TRUE(session.form1.List1.visible);
  EXPECT_EQ(session.form1.List1.items, (QStringList{"发站：", "1.昆明", "2.大理"}));
  pick_choice(session, "2.大理");
  EXPECT_FALSE(session.form1.List1.visible);
  EXPECT_EQ(text("C5:D5"), "大理");
  EXPECT_TRUE(sheet().enable_events());
  EXPECT_EQ(rows("select fz from yswtd1 where ysth='1002'"), QStringList{"大理"});

  // Delete over two goods lines' pieces and volumes: each cell cleared and stored.
  session.form1.Check2 = false;
  sheet().user_select(*parse_area_address("C12:D13"));
  key(kKeyDelete);
  EXPECT_EQ(text("C12"), "");
  EXPECT_EQ(text("D13"), "");
  EXPECT_EQ(rows("select fh_wz, hm, js, tj, zl from yswtd2 where ysth='1002' order by fh_wz"),
            (QStringList{"1|日用品|||30", "2|家具|||80"}));
  EXPECT_EQ(session.sheet_edit_mode, kEditGuardArmed);

  // Deleting the amount leaves a stroke in its capital cell.
  type("F16", "10");
  EXPECT_EQ(text("G16:M16"), "壹拾元整");
  sheet().user_select(*parse_area_address("E16:F16"));
  key(kKeyDelete);
  EXPECT_EQ(text("F16"), "");
  EXPECT_EQ(text("G16:M16"), "/");

  // Previous and next, wrapping around at both ends.
  on_browse_button(session, BrowseStep::Next);
  EXPECT_EQ(text("M2"), "1003");
  on_browse_button(session, BrowseStep::Next);
  EXPECT_EQ(text("M2"), "1001");
  EXPECT_EQ(text("C5:D5"), "大理");  // the page was loaded for 1001
  on_browse_button(session, BrowseStep::Previous);
  EXPECT_EQ(text("M2"), "1003");
  on_browse_button(session, BrowseStep::Previous);
  EXPECT_EQ(text("M2"), "1002");
  EXPECT_EQ(text("B13"), "家具");
}

TEST_F(Clerk, WarehouseSlipBeyondItsWaybill) {
  main_db({"insert into yswtd2 values ('1001', 1, '日用品', 10, 2.5, 300)",
           "insert into yswtd2 values ('1001', 2, '家具', 1, 1, 1)"});
  open(kInSlip);
  session.form1.Check2 = false;
  type("I3", "1001");
  prompts->clear_shown();
  type("F8", "12");
  type("G8", "2.5");
  type("H8", "280");
  EXPECT_EQ(rows("select fh_wz, js, tj, zl from rkd2_dd where ysth='1001'"),
            QStringList{"1|12|2.5|280"});
  EXPECT_EQ(prompts->texts().filter("入库数量大于运单的总数量").size(), 3);  // once per change
  EXPECT_TRUE(prompts->texts().contains("项 1 件数 入库数量大于运单的总数量  2！！"));
  EXPECT_TRUE(session.form1.List3.visible);
  EXPECT_EQ(session.form1.List3.items,
            (QStringList{"项 1 件数 -2,体积  0,重量  20", "项 2 件数  1,体积  1,重量  1"}));

  // A change elsewhere on the page clears and hides the lines.
  sheet().user_click(pos("A1"));
  EXPECT_FALSE(session.form1.List3.visible);
}

TEST_F(Clerk, RunsAReportByPickingItsLastParameter) {
  main_db({"insert into yswtd1 (ysth, fz, rq, zje) values ('1001', '昆明', '2024-03-02', 100)",
           "insert into yswtd1 (ysth, fz, rq, zje) values ('1002', '大理', '2024-03-05', 50)",
           "insert into yswtd1 (ysth, fz, rq, zje) values ('1003', '昆明', '2024-03-09', 70)"});
  open(kReport);
  select("D2");
  pick_choice(session, "1.2024-03");
  EXPECT_EQ(text("D2"), "2024-03");
  EXPECT_EQ(text("A5"), "");  // the station is still missing
  select("B2");
  pick_choice(session, "1.昆明");
  EXPECT_EQ(text("A5"), "1001");
  EXPECT_EQ(text("A6"), "1003");
  EXPECT_EQ(text("B6"), "70");
  EXPECT_EQ(rows("select count(*) from yswtd1"), QStringList{"3"});  // a report writes nothing
}

}  // namespace
}  // namespace vemo::test

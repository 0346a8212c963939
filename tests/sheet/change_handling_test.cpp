// The page's change handling: the edit guard, formulas, and the waybill, ticket and slip rules.

#include "platform/dates.h"
#include "sheet/page_fixture.h"

namespace vemo::test {
namespace {

class ChangeHandling : public PageFixture {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    main_db({"insert into yswtd1 (ysth, rq, fz) values ('1001', '2024-03-01', '大理')"});
    open(kWaybillDocument);
    session.form1.Check2 = false;
    type("M2", "1001");
  }
};

TEST_F(ChangeHandling, FormulaIsPutBackOnceAndTextWithEqualsIsStored) {
  int changes = 0;
  auto handler = sheet().events().content_changed;
  sheet().events().content_changed = [&](const Range& r) {
    ASSERT_LT(++changes, 10) << "the change handling raises its own change";
    handler(r);
  };
  type("E12", "=C12*2");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(sheet().range("E12").formula(), "=C12*2");
  EXPECT_TRUE(rows("select zl from yswtd2 where ysth='1001'").isEmpty());

  type("B12", "规格=10kg");
  EXPECT_EQ(rows("select hm from yswtd2 where ysth='1001'"), QStringList{"规格=10kg"});
}

TEST_F(ChangeHandling, DisarmedGuardOnlyHidesTheLists) {
  session.form1.List1.visible = session.form1.List2.visible = true;
  session.sheet_edit_mode = kEditGuardDisarmed;
  sheet().user_edit(pos("D6:H6"), "乙公司");
  EXPECT_FALSE(session.form1.List1.visible);
  EXPECT_FALSE(session.form1.List2.visible);
  EXPECT_EQ(text("C5:D5"), "大理");  // no station rule either
  EXPECT_EQ(rows("select fhdwmc from yswtd1"), QStringList{""});
}

TEST_F(ChangeHandling, WaybillStationAndDateRules) {
  EXPECT_EQ(text("C4:D4"), "2024-03-01");  // a date already there stays
  EXPECT_EQ(text("C5:D5"), "大理");        // the number itself does not rewrite the station
  type("C5:D5", "丽江");
  EXPECT_EQ(text("C5:D5"), "丽江");
  type("D6:H6", "乙公司");
  EXPECT_EQ(text("C5:D5"), "昆明");
  EXPECT_TRUE(session.form1.Check2);

  // A new number with the date emptied gets today's date, stored at once.
  session.form1.Check2 = false;
  put("C4:D4", "");
  prompts->push(PromptAnswer::Yes);
  type("M2", "1002");
  EXPECT_EQ(text("C4:D4"), today_text());
  EXPECT_EQ(rows("select rq from yswtd1 where ysth='1002'"), QStringList{today_text()});
}

TEST_F(ChangeHandling, TicketTotalIsComparedToTheFen) {
  open(kTicketDocument);
  struct Case {
    QString total, booked, cash, collected;
    bool warns;
  };
  const Case cases[] = {
      {"150", "100", "50", "0", false}, {"160", "100", "50", "0", true},
      {"0.3", "0.1", "0.2", "", false}, {"0.3", "0.1", "0.2", "0.01", true},
      {"10", "10", "abc", "", false},  // an amount that is no number counts 0
  };
  for (const Case& c : cases) {
    put("D18:L18", c.total);
    put("M19:O19", c.booked);
    put("P19:R19", c.cash);
    prompts->clear_shown();
    session.sheet_edit_mode = kEditGuardArmed;
    sheet().user_edit(pos("S19:U19"), c.collected);
    EXPECT_EQ(prompts->texts().contains(kTicketSumMismatch), c.warns) << c.total.toStdString();
    if (c.warns) {
      EXPECT_EQ(sheet().selection().address(), "S19:U19");
    }
    EXPECT_EQ(text("D18:L18"), c.total);  // nothing is undone
  }
}

TEST_F(ChangeHandling, OnlyQuantityCellsOfSlipsReconcile) {
  open(kInSlip);
  put("I3", "1001");
  for (const char* cell : {"F1", "F11", "I8"}) {
    session.form1.List3.visible = true;
    sheet().range(cell).set_locked(false);
    session.sheet_edit_mode = kEditGuardArmed;
    ASSERT_TRUE(sheet().user_edit(pos(cell), "1"));
    EXPECT_FALSE(session.form1.List3.visible) << cell;
  }
  session.sheet_edit_mode = kEditGuardArmed;
  sheet().user_edit(pos("H10"), "1");
  EXPECT_TRUE(session.form1.List3.visible);
  EXPECT_EQ(session.sheet_edit_mode, kEditGuardDisarmed);
}

}  // namespace
}  // namespace vemo::test

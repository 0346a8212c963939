// Key handling: Delete over several cells, Enter and the guard, Alt on pages without a number.

#include "sheet/page_fixture.h"

namespace vemo::test {
namespace {

class KeyHandling : public PageFixture {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    main_db({"insert into yswtd1 (ysth, zje, dx) values ('1001', 10, '壹拾元整')",
             "insert into yswtd2 values ('1001', 1, '日用品', 4, 1.5, 30)",
             "insert into yswtd2 values ('1001', 2, '家具', 2, 3, 80)"});
    open(kWaybillDocument);
    session.form1.Check2 = false;
    type("M2", "1001");
  }
};

TEST_F(KeyHandling, DeleteOfSeveralCellsSkipsEmptyOnesAndStoresTheRest) {
  EXPECT_EQ(text("B14"), "");  // an empty line: skipped
  sheet().user_select(*parse_area_address("B12:C14"));
  key(kKeyDelete);
  for (const char* cell : {"B12", "C12", "B13", "C13"}) EXPECT_EQ(text(cell), "");
  EXPECT_EQ(rows("select fh_wz, hm, js, tj from yswtd2 order by fh_wz"),
            (QStringList{"1|||1.5", "2|||3"}));
  EXPECT_EQ(session.sheet_edit_mode, kEditGuardArmed);
  EXPECT_TRUE(sheet().enable_events());
}

TEST_F(KeyHandling, DeletedAmountLeavesAStrokeInItsCapitalCell) {
  EXPECT_EQ(text("F16"), "10");
  sheet().user_select(*parse_area_address("E16:F16"));
  key(kKeyDelete);
  EXPECT_EQ(text("F16"), "");
  EXPECT_EQ(text("G16:M16"), "/");
  EXPECT_EQ(rows("select zje from yswtd1"), QStringList{""});
}

TEST_F(KeyHandling, DeleteOfOneCellIsLeftToTheGridAndTheChangeHandling) {
  select("B12");
  key(kKeyDelete);
  EXPECT_EQ(text("B12"), "");
  EXPECT_EQ(rows("select hm from yswtd2 where fh_wz=1"), QStringList{""});
}

TEST_F(KeyHandling, EnterCommitsOnlyWhileArmedAndAlwaysRearms) {
  select("B14");
  put("B14", "床");
  session.sheet_edit_mode = kEditGuardDisarmed;
  key(kKeyEnter);
  EXPECT_EQ(session.sheet_edit_mode, kEditGuardArmed);
  EXPECT_EQ(rows("select count(*) from yswtd2"), QStringList{"2"});
  select("B14");
  key(kKeyEnter);
  EXPECT_EQ(rows("select hm from yswtd2 where fh_wz=3"), QStringList{"床"});
}

TEST_F(KeyHandling, KeysOnAFormulaCellAreIgnored) {
  put("E13", "=C12*2");
  select("E13");
  session.sheet_edit_mode = kEditGuardDisarmed;
  key(kKeyEnter);
  EXPECT_EQ(session.sheet_edit_mode, kEditGuardDisarmed);
}

TEST_F(KeyHandling, AltWithoutANumberStaysOnThePage) {
  put("M2", "");
  key(kKeyAlt);
  EXPECT_EQ(sheet().name(), kWaybillDocument);
  open(kTicketDocument);
  key(kKeyAlt);
  EXPECT_EQ(sheet().name(), kTicketDocument);
  EXPECT_EQ(session.sheet_edit_mode, kEditGuardArmed);
}

}  // namespace
}  // namespace vemo::test

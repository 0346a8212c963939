// The commit after an edit: the cursor rules, the cell actions, formulas and capital amounts.
#include "document/cell_commit.h"

#include "document/page_save.h"
#include "document/recalc.h"
#include "reports/report_engine.h"
#include "support/document_fixture.h"
#include "users/confirmation.h"

namespace vemo {
namespace {

using test::DocumentFixture;

class CellCommit : public DocumentFixture {
 protected:
  // Types into the cell as the grid would and commits it.
  void type(const QString& address, const QString& input) {
    const Range range = sheet().range(address);
    range.select();
    session.form1.edit_ysth = read_key();
    put(address, input);
    session.sheet_edit_mode = kEditGuardArmed;
    commit_cell_edit(session, range);
  }
  QString read_key() { return text("M2").trimmed(); }
  QString cursor() { return sheet().active_cell().address(); }
};

TEST_F(CellCommit, CursorRules) {
  main_db({"insert into yswtd1 (ysth) values ('1001')"});
  put("M2", "1001");
  session.current_ysth = QStringLiteral("1001");
  struct Case {
    const char* cell;
    const char* input;
    const char* next;
  };
  const Case cases[] = {
      {"B3", "某公司", "B4"},                        // next in bh order
      {"B4", "12", "B6"},     {"B6", "钢材", "B7"},  // down the block
      {"B7", "水泥", "B8"},   {"B8", "木材", "C6"},  // last line: the input cell after the block
      {"D8", "5", "F10"},     {"G10", "1", "G10"},   // the next row is 888: the cursor stays
      {"C4", "x", "M2"},     // the next row is 999: back to the first input cell
      {"A20", "x", "M2"},    // unmapped, the map ends with 999: the first input cell
      {"M2", "1001", "M2"},  // the page's own number again: the cursor stays
  };
  for (const Case& c : cases) {
    type(c.cell, c.input);
    EXPECT_EQ(cursor(), c.next) << c.cell;
    EXPECT_TRUE(sheet().enable_events()) << c.cell;
  }
}

TEST_F(CellCommit, UnmappedCellGoesToTheLastInputCellWithoutACycleEnd) {
  settings({"delete from 货物运单 where bh=999"});
  put("M2", "1001");
  type("A20", "x");
  EXPECT_EQ(cursor(), "C4");
}

TEST_F(CellCommit, WaybillCellWithoutNumberAsksForItAndStoresNothing) {
  session.form1.List1.visible = true;
  type("M2", "");
  EXPECT_EQ(prompts->texts(), QStringList{"请先输入委托单号！"});
  EXPECT_FALSE(session.form1.List1.visible);
  type("B3", "某公司");
  EXPECT_EQ(prompts->texts().size(), 2);
  EXPECT_TRUE(rows("select * from yswtd1").isEmpty());
}

TEST_F(CellCommit, DisarmedGuardDoesNothing) {
  put("M2", "1001");
  session.sheet_edit_mode = kEditGuardDisarmed;
  commit_cell_edit(session, sheet().range("M2"));
  EXPECT_TRUE(prompts->shown().empty());
  EXPECT_TRUE(rows("select * from yswtd1").isEmpty());
}

TEST_F(CellCommit, FormulaChainIsRewrittenAndStoredInOrder) {
  main_db({"insert into yswtd1 (ysth) values ('1001')"});
  put("M2", "1001");
  put("D6", "100");
  type("D7", "20.5");
  EXPECT_EQ(text("F10"), "120.5");
  EXPECT_EQ(text("G10"), "241");
  EXPECT_EQ(text("F11"), "壹佰贰拾元伍角整");
  EXPECT_EQ(rows("select zje, zje2 from yswtd1"), QStringList{"120.5|241"});
  EXPECT_EQ(rows("select fh_wz, je from yswtd2"), QStringList{"2|20.5"});
}

TEST_F(CellCommit, TypedAmountGetsItsCapitalCopy) {
  main_db({"insert into yswtd1 (ysth) values ('1001')"});
  put("M2", "1001");
  type("B4", "100");
  EXPECT_EQ(text("C4"), "壹佰零拾零圆");
  EXPECT_EQ(rows("select yf from yswtd1"), QStringList{"100"});
}

TEST_F(CellCommit, AmountOfACellOutsideFormulasIsWrittenByTheCommit) {
  main_db({"insert into yswtd1 (ysth) values ('1001')"});
  settings({"update 货物运单 set zhxdz='C4', dw='元#角#分;2' where zdm='yswtd1.yf'",
            "delete from 货物运单 where zdm='yswtd1.dx'"});
  put("M2", "1001");
  type("B4", "5.3");
  EXPECT_EQ(text("C4"), "伍元叁角整");
}

TEST_F(CellCommit, FormulaCycleStopsAndIsLogged) {
  main_db({"insert into yswtd1 (ysth) values ('1001')"});
  settings({"update 货物运单 set jsbds='=G10+D6' where zdm='yswtd1.zje'"});
  put("M2", "1001");
  const recalc_result result = recalc_dependents(session, sheet(), "D6");
  EXPECT_TRUE(result.formula_touched);
  EXPECT_TRUE(result.amount_written);
  EXPECT_TRUE(sheet().enable_events());
}

// The typical request: a new waybill typed into the number cell, its first goods line,
// formulas and capital amounts following, then the final confirmation.
TEST_F(CellCommit, NewWaybillFromNumberToConfirmation) {
  prompts->push(PromptAnswer::Yes);
  type("M2", "1001");
  EXPECT_EQ(prompts->texts(), (QStringList{kWaybillNotFound, "你确定增加新的运输托号？ yswtd1"}));
  EXPECT_EQ(rows("select ysth, zdr from yswtd1"), QStringList{"1001|张三"});
  EXPECT_EQ(cursor(), "B3");
  session.current_ysth = QStringLiteral("1001");

  type("B6", "钢材");
  type("D6", "250");
  EXPECT_EQ(rows("select ysth, fh_wz, hm, je from yswtd2"), QStringList{"1001|1|钢材|250"});
  EXPECT_EQ(text("F10"), "250");
  EXPECT_EQ(text("F11"), "贰佰伍拾元整");
  EXPECT_EQ(rows("select zje, zje2 from yswtd1"), QStringList{"250|500"});

  prompts->push(PromptAnswer::Yes);
  EXPECT_EQ(confirm_page_waybill(session, session.main_conn, sheet()), ConfirmOutcome::Confirmed);
  type("B3", "改不了");
  EXPECT_EQ(rows("select fhr from yswtd1"), QStringList{""});
  EXPECT_EQ(session.user_right, "R");
  // An administrator's log-in.
  session.user_name = QStringLiteral("管理员");
  session.user_role = QStringLiteral("ADMIN");
  session.user_right = QStringLiteral("W");
  type("B3", "管理员改");
  EXPECT_EQ(rows("select fhr from yswtd1"), QStringList{"管理员改"});
}

}  // namespace
}  // namespace vemo

namespace vemo {
namespace {

class MalformedMap : public test::DocumentFixture {};

TEST_F(MalformedMap, BrokenRowsAreSkippedAndTheRestIsStored) {
  main_db({"insert into yswtd1 (ysth) values ('1001')"});
  waybill_map({{"no_dot_column", "B3", "2"},
               {"yswtd1.dx", "!!", "3"},
               {"nosuchtable.x", "H1", "4", "", "", "=D6+((", "zz top", "元#角#分;2"},
               {"yswtd1.fhr", "B3:", "5"}});
  settings({"insert into cellact values ('货物运单.H2', 'drop table yswtd1')"});
  put("M2", "1001");
  session.current_ysth = QStringLiteral("1001");
  session.form1.edit_ysth = QStringLiteral("1001");
  for (const char* cell : {"B3", "D6", "H2"}) {
    const Range range = sheet().range(QString::fromLatin1(cell));
    put(range.address(), "1'; drop table yswtd1; --");
    session.sheet_edit_mode = kEditGuardArmed;
    commit_cell_edit(session, range);
  }
  EXPECT_TRUE(sheet().enable_events());
  EXPECT_EQ(rows("select fhr from yswtd1"), QStringList{"1'; drop table yswtd1; --"});
  session.form1.Check2 = true;
  save_page(session, session.main_conn, sheet());
  EXPECT_EQ(rows("select count(*) from yswtd1"), QStringList{"1"});
}

}  // namespace
}  // namespace vemo

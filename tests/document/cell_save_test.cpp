// Single-cell saves: creation rules and their messages, lines, the maker, unchanged values.
#include "document/cell_save.h"

#include "support/document_fixture.h"

namespace vemo {
namespace {

using test::DocumentFixture;

class CellSave : public DocumentFixture {
 protected:
  void edit(const QString& address, const QString& input) {
    put(address, input);
    save_edited_cell(session, session.main_conn, sheet(), sheet().range(address),
                     QStringLiteral("1001"));
  }
};

TEST_F(CellSave, NewWaybillAsksAndCreatesOnYes) {
  put("M2", "1001");
  prompts->push(PromptAnswer::Yes);
  save_edited_cell(session, session.main_conn, sheet(), sheet().range("M2"), "1001");
  ASSERT_EQ(prompts->shown().size(), 1u);
  EXPECT_EQ(prompts->shown()[0].text, "你确定增加新的运输托号？ yswtd1");
  EXPECT_EQ(prompts->shown()[0].title, "运输托号");
  EXPECT_EQ(prompts->shown()[0].buttons, PromptButtons::YesNo);
  EXPECT_EQ(rows("select ysth, zdr from yswtd1"), QStringList{"1001|张三"});
  EXPECT_EQ(text("E2"), "张三");
  EXPECT_TRUE(session.sheet_saved);
}

TEST_F(CellSave, DecliningTheNewWaybillEmptiesTheCell) {
  put("B3", "某公司");
  prompts->push(PromptAnswer::No);
  save_edited_cell(session, session.main_conn, sheet(), sheet().range("B3"), "1001");
  EXPECT_TRUE(rows("select * from yswtd1").isEmpty());
  EXPECT_EQ(text("B3"), "");
}

TEST_F(CellSave, LinesAreCreatedSilentlyAndUpdatedByLineNumber) {
  main_db({"insert into yswtd1 (ysth) values ('1001')"});
  edit("B6", "钢材");
  edit("B8", "水泥");
  edit("C8", "3");
  edit("B8", "木材");
  EXPECT_TRUE(prompts->shown().empty());
  EXPECT_EQ(rows("select ysth, fh_wz, hm, js from yswtd2 order by fh_wz"),
            (QStringList{"1001|1|钢材|", "1001|3|木材|3"}));
}

TEST_F(CellSave, SpacedLinesFollowTheirRowNumbers) {
  main_db({"insert into yswtd1 (ysth) values ('1001')"});
  settings({"update 货物运单 set mline='货物运单.B14', fh_width='10*12*14' where zdm='yswtd2.hm'"});
  edit("B11", "钢材");
  EXPECT_EQ(rows("select fh_wz, hm from yswtd2"), QStringList{"2|钢材"});
}

TEST_F(CellSave, ClearingWritesOnlyIntoExistingRecords) {
  main_db({"insert into yswtd1 (ysth, fhr) values ('1001', '旧')",
           "insert into yswtd2 (ysth, fh_wz, hm) values ('1001', 1, '钢材')"});
  edit("B3", "");
  edit("B7", "");  // line 2 has no record: nothing is created
  EXPECT_EQ(rows("select fhr from yswtd1"), QStringList{""});
  EXPECT_EQ(rows("select count(*) from yswtd2"), QStringList{"1"});
}

TEST_F(CellSave, ComputedZeroDoesNotCreateARecord) {
  put("F10", "0");
  save_cell(session, session.main_conn, sheet(), "F10", "1001");
  EXPECT_TRUE(prompts->shown().empty());
  EXPECT_TRUE(rows("select * from yswtd1").isEmpty());
}

TEST_F(CellSave, UnchangedValueWritesNothingAndLeavesTheMaker) {
  main_db({"insert into yswtd1 (ysth, fhr, zdr) values ('1001', '某公司', '李四')"});
  edit("B3", "某公司");
  EXPECT_EQ(rows("select fhr, zdr from yswtd1"), QStringList{"某公司|李四"});
  edit("B3", "新公司");
  EXPECT_EQ(rows("select fhr, zdr from yswtd1"), QStringList{"新公司|张三"});
}

TEST_F(CellSave, ManualModeOnlyMarksThePageUnsaved) {
  session.form1.Check2 = true;
  edit("M2", "1001");
  EXPECT_FALSE(session.sheet_saved);
  EXPECT_TRUE(rows("select * from yswtd1").isEmpty());
}

TEST_F(CellSave, ConfirmedWaybillIsClosedToWriters) {
  main_db({"insert into yswtd1 (ysth, fhr) values ('1001', '旧')",
           "insert into qr_table (ysth, queren) values ('1001', '已确认')"});
  edit("B3", "新");
  EXPECT_EQ(rows("select fhr from yswtd1"), QStringList{"旧"});
  EXPECT_EQ(session.user_right, "R");
  session.user_name = QStringLiteral("管理员");
  session.user_right = QStringLiteral("W");
  edit("B3", "新");
  EXPECT_EQ(rows("select fhr from yswtd1"), QStringList{"新"});
}

TEST_F(CellSave, KeyValueIsStoredTrimmed) {
  put("M2", "  1001 ");
  prompts->push(PromptAnswer::Yes);
  save_edited_cell(session, session.main_conn, sheet(), sheet().range("M2"), "1001");
  EXPECT_EQ(rows("select ysth from yswtd1"), QStringList{"1001"});
  // Found again by the trimmed key: no second waybill.
  edit("B3", "某公司");
  EXPECT_EQ(rows("select ysth, fhr from yswtd1"), QStringList{"1001|某公司"});
}

TEST_F(CellSave, QuotesInValuesAndKeysStayData) {
  main_db({"insert into yswtd1 (ysth) values ('10''01')"});
  put("B3", "O'Brien");
  save_edited_cell(session, session.main_conn, sheet(), sheet().range("B3"), "10'01");
  EXPECT_EQ(rows("select ysth, fhr from yswtd1"), QStringList{"10'01|O'Brien"});
}

// The freight ticket: waybill number and ticket number make the key.
class TicketSave : public DocumentFixture {
 protected:
  void SetUp() override {
    DocumentFixture::SetUp();
    main_db(
        {"create table yshp1 (ysth text collate nocase, hpbh text collate nocase, je real, "
         "zdr text)"});
    settings(
        {"insert into bb (bbm, bh, ysthdz, gjz, gjz_zdm, sy_bm) values ('运输货票', 2, "
         "'G4:H4*T2', 'ysth='';'' and hpbh='';''', 'ysth*hpbh', 'yshp1')"});
    make_map("运输货票");
    map_rows("运输货票", {{"yshp1.ysth", "G4:H4", "1", "wbd"},
                          {"yshp1.hpbh", "T2", "2", "wbd"},
                          {"yshp1.je", "D18", "3"}});
    sheet().set_name("运输货票");
  }
  void type_ticket(const QString& number) {
    put("T2", number);
    save_edited_cell(session, session.main_conn, sheet(), sheet().range("T2"), "1001*" + number);
  }
};

TEST_F(TicketSave, NewTicketNumberAsksAndAtMostTwoTickets) {
  prompts->push(PromptAnswer::Yes);
  type_ticket("A1");
  EXPECT_EQ(prompts->texts(), QStringList{"你确定要增加 yshp1 新编号？"});
  prompts->push(PromptAnswer::Yes);
  type_ticket("A2");
  prompts->clear_shown();
  prompts->push(PromptAnswer::Yes);
  type_ticket("A3");
  EXPECT_EQ(prompts->texts().last(),
            "同一运单号，运输货票只能有发送和到达2个编号，不能再增加编号！！");
  EXPECT_EQ(text("T2"), "A3");  // the cell keeps its text
  EXPECT_EQ(rows("select ysth, hpbh from yshp1 order by hpbh"),
            (QStringList{"1001|A1", "1001|A2"}));
}

TEST_F(TicketSave, EmptyTicketPartIsRefusedAndEmptiesTheCell) {
  put("D18", "100");
  save_edited_cell(session, session.main_conn, sheet(), sheet().range("D18"), "1001*");
  EXPECT_EQ(prompts->texts(), QStringList{"yshp1 编号不能为空！"});
  EXPECT_EQ(text("D18"), "");
  EXPECT_TRUE(rows("select * from yshp1").isEmpty());
}

TEST_F(TicketSave, DecliningANewTicketEmptiesTheCell) {
  prompts->push(PromptAnswer::No);
  type_ticket("A1");
  EXPECT_EQ(text("T2"), "");
  EXPECT_TRUE(rows("select * from yshp1").isEmpty());
}

}  // namespace
}  // namespace vemo

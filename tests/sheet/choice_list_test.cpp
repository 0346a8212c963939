// Choice lists: the list text, List1 on selection and double click, the pick, the copy to
// every document.

#include "sheet/choice_list.h"
#include "platform/dates.h"
#include "sheet/page_fixture.h"

namespace vemo::test {
namespace {

TEST(ListText, ItemsEndWithAComma) {
  struct Case {
    QString popnr;
    QStringList items;
  };
  const Case cases[] = {
      {"运输方式：,1.汽车运输,2.行包快运,", {"运输方式：", "1.汽车运输", "2.行包快运"}},
      {"运输方式：,1.汽车运输,2.行包快运", {"运输方式：", "1.汽车运输"}},
      {"运输方式：,,2.x,", {"运输方式：", "", "2.x"}},
      {"无逗号", {}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(split_list_text(c.popnr), c.items) << c.popnr.toStdString();
}

class ChoiceList : public PageFixture {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    open(kWaybillDocument);
    session.form1.Check2 = false;
    prompts->push(PromptAnswer::Yes);
    type("M2", "1001");
  }
};

TEST_F(ChoiceList, SelectionShowsTheListWithTodayForDate) {
  select("C4:D4");
  EXPECT_TRUE(session.form1.List1.visible);
  EXPECT_EQ(session.form1.List1.items, (QStringList{"日期：", today_text()}));
  EXPECT_EQ(session.form1.List1.geometry.left, session.form1.grid.left + 3000);
  EXPECT_EQ(session.form1.list_cell, "C4:D4");

  select("B13");  // no list for this cell
  EXPECT_FALSE(session.form1.List1.visible);
  select("B3");  // a list text without the closing comma loses its last choice
  EXPECT_EQ(session.form1.List1.items, (QStringList{"运输方式：", "1.汽车运输", "2.行包快运"}));
}

TEST_F(ChoiceList, DoubleClickNeedsTitleAndChoiceAndANumber) {
  sheet().user_double_click(pos("C5:D5"), 10, 20);
  EXPECT_TRUE(session.form1.List1.visible);
  EXPECT_EQ(session.form1.List1.geometry.top, session.form1.grid.top + 300);
  sheet().user_double_click(pos("C4:D4"), 10, 20);
  EXPECT_TRUE(session.form1.List1.visible);
  EXPECT_EQ(session.form1.List1.items.value(1), "date");  // not replaced on a double click

  put("M2", "");
  prompts->clear_shown();
  sheet().user_double_click(pos("C5:D5"), 10, 20);
  EXPECT_FALSE(session.form1.List1.visible);
  EXPECT_EQ(prompts->texts(), QStringList{"请先输入委托单号！"});
}

TEST_F(ChoiceList, PickWritesTheTextAfterTheFirstDotAndStoresIt) {
  struct Case {
    QString cell, line, written;
  };
  const Case cases[] = {
      {"B12", "2.规格=10kg", "规格=10kg"},
      {"B12", "品名：", "品名："},  // the title has no "."
      {"B13", "1.2.5", "2.5"},      // kept as text
  };
  for (const Case& c : cases) {
    session.form1.Check2 = false;
    select(c.cell);
    pick_choice(session, c.line);
    EXPECT_EQ(text(c.cell), c.written);
    EXPECT_TRUE(sheet().range(c.cell).value().is_text());
    EXPECT_TRUE(sheet().enable_events());
  }
  EXPECT_EQ(rows("select fh_wz, hm from yswtd2 order by fh_wz"),
            (QStringList{"1|品名：", "2|2.5"}));
  EXPECT_EQ(text("C5:D5"), "昆明");
}

TEST_F(ChoiceList, PickOfTheShipperCompletesIt) {
  main_db(
      {"insert into yswtd1 (ysth, fhdwmc, fhdwdz, fhdwdh, fhdwsj) values ('900', '甲公司', "
       "'一路', '0871', '139')"});
  select("D6:H6");
  pick_choice(session, "1.甲公司");
  EXPECT_EQ(text("D7:H7"), "一路");
  EXPECT_EQ(text("K6:M6"), "0871");
}

TEST_F(ChoiceList, CopyToAllDocumentsMatchesListsByTitle) {
  settings({"delete from 货物运单_pop where exceldz='E2'",
            "update 货物运单_pop set popnr='运输方式：,1.汽车,2.铁路,' where exceldz='B3'",
            "insert into 货物运单_pop values ('X1', 'it''s：,1.a,', null)",
            "insert into 运输货票_pop values ('X2', 'it''s：,old,', null)"});
  prompts->push(PromptAnswer::Yes);
  copy_lists_to_all(session, "货物运单_pop");
  EXPECT_EQ(prompts->texts().mid(prompts->texts().size() - 2),
            (QStringList{kUpdateAllQuestion, kUpdateDone}));
  auto lists = [&] {
    auto rs = session.set_conn.jet->open_recordset("select exceldz, popnr from 运输货票_pop");
    QStringList out;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) out << rs->Text(0) + "=" + rs->Text(1);
    return out;
  };
  EXPECT_EQ(lists(), (QStringList{"T2=运输方式：,1.汽车,2.铁路,", "J4:L4=结算方式：,1.现结,",
                                  "M19:O19=无标题", "X2=it's：,1.a,"}));

  // No: nothing changes; another grid's table: not even asked.
  settings({"update 货物运单_pop set popnr='运输方式：,9.新,' where exceldz='B3'"});
  const QStringList before = lists();
  copy_lists_to_all(session, "货物运单_pop");
  copy_lists_to_all(session, "运输货票_pop");
  EXPECT_EQ(lists(), before);
}

}  // namespace
}  // namespace vemo::test

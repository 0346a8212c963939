// Whole-page save: groups by table, lines by line number, the maker, the manual-save box.
#include "document/page_save.h"

#include "support/document_fixture.h"

namespace vemo {
namespace {

using test::DocumentFixture;

class PageSave : public DocumentFixture {
 protected:
  void SetUp() override {
    DocumentFixture::SetUp();
    session.form1.Check2 = true;
  }
  void save() { save_page(session, session.main_conn, sheet()); }
};

TEST_F(PageSave, CreatesTheMasterRecordWithEveryMappedCell) {
  put("M2", "1001");
  put("B3", "某公司");
  put("B4", "12.5");
  session.sheet_saved = false;
  save();
  EXPECT_TRUE(session.sheet_saved);
  EXPECT_EQ(rows("select ysth, fhr, yf, zdr from yswtd1"), QStringList{"1001|某公司|12.5|张三"});
  EXPECT_EQ(text("E2"), "张三");
  EXPECT_TRUE(prompts->shown().empty());
}

TEST_F(PageSave, EmptyKeyCellWritesNothing) {
  put("B3", "某公司");
  save();
  EXPECT_TRUE(session.sheet_saved);
  EXPECT_TRUE(rows("select * from yswtd1").isEmpty());
  EXPECT_TRUE(prompts->shown().empty());
}

TEST_F(PageSave, LinesGoToTheRecordsOfTheirLineNumbers) {
  // Stored out of line order: pairing by the table's order would swap them.
  main_db({"insert into yswtd1 (ysth) values ('1001')",
           "insert into yswtd2 (ysth, fh_wz, hm) values ('1001', 2, '旧二')",
           "insert into yswtd2 (ysth, fh_wz, hm) values ('1001', 1, '旧一')",
           "insert into yswtd2 (ysth, fh_wz, hm) values ('1002', 1, '别人的')"});
  put("M2", "1001");
  put("B6", "新一");
  put("C6", "0");  // a 0 alone would not make a line
  put("B8", "新三");
  save();
  EXPECT_EQ(rows("select ysth, fh_wz, hm from yswtd2 order by ysth, fh_wz"),
            (QStringList{"1001|1|新一", "1001|2|旧二", "1001|3|新三", "1002|1|别人的"}));
}

TEST_F(PageSave, SpacedBlockWritesOnlyFilledLines) {
  settings({"update 货物运单 set mline='货物运单.B16', fh_width='12*14*16' where zdm='yswtd2.hm'",
            "delete from 货物运单 where zdm in ('yswtd2.js', 'yswtd2.je')"});
  put("M2", "1001");
  put("B14", "钢材");
  save();
  EXPECT_EQ(rows("select fh_wz, hm from yswtd2"), QStringList{"2|钢材"});
}

TEST_F(PageSave, KeyCellValueIsStoredTrimmed) {
  put("M2", " 1001  ");
  save();
  put("B3", "某公司");
  save();
  EXPECT_EQ(rows("select ysth, fhr from yswtd1"), QStringList{"1001|某公司"});
}

TEST_F(PageSave, ReadOnlyUserWritesNothing) {
  session.user_name = QStringLiteral("只读");
  put("M2", "1001");
  save();
  EXPECT_EQ(session.user_right, "R");
  EXPECT_TRUE(rows("select * from yswtd1").isEmpty());
}

TEST_F(PageSave, TheBoxShowsTheButtonAndSavesOnEveryChange) {
  put("M2", "1001");
  set_check2(session, false);
  EXPECT_FALSE(session.form1.CommandButton1.visible);
  EXPECT_EQ(rows("select ysth from yswtd1"), QStringList{"1001"});
  put("B3", "某公司");
  set_check2(session, true);
  EXPECT_TRUE(session.form1.CommandButton1.visible);
  EXPECT_EQ(rows("select fhr from yswtd1"), QStringList{"某公司"});
  put("B3", "再改");
  set_check2(session, true);  // no change, no save
  EXPECT_EQ(rows("select fhr from yswtd1"), QStringList{"某公司"});
}

}  // namespace
}  // namespace vemo

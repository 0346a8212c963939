// Shipper and consignee look-ups from earlier waybills.

#include "sheet/page_fixture.h"

namespace vemo::test {
namespace {

class PartyLookup : public PageFixture {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    main_db(
        {"insert into yswtd1 (ysth, fhdwmc, fhdwdz, fhdwdh, fhdwsj) values ('1', '甲', "
         "'一路', '0871001', null)",
         "insert into yswtd1 (ysth, fhdwmc, fhdwdz, fhdwdh, fhdwsj) values ('2', '甲', "
         "'二路', '0871002', '139')",
         "insert into yswtd1 (ysth, fhdwmc, fhdwdz, fhdwdh, fhdwsj) values ('3', '乙', "
         "'三路', '0871003', ' ')",
         "insert into yswtd1 (ysth, fhdwmc, fhdwdz, fhdwdh, fhdwsj) values ('4', '乙', "
         "'四路', null, '138')",
         "insert into yswtd1 (ysth, shdwmc, shdwdz, shdwdh, shdwsj) values ('5', '丙', "
         "'五路', '0871005', '137')"});
    open(kWaybillDocument);
    session.form1.Check2 = false;
    prompts->push(PromptAnswer::Yes);
    type("M2", "1001");
    session.form1.Check2 = false;
  }
  QStringList shipper() { return {text("D7:H7"), text("K6:M6"), text("K7:M7")}; }
};

TEST_F(PartyLookup, FirstCompleteRecordWins) {
  type("D6:H6", "甲");
  EXPECT_EQ(shipper(), (QStringList{"二路", "0871002", "139"}));
  EXPECT_TRUE(sheet().range("K6:M6").value().is_text());  // the leading 0 is kept
  EXPECT_TRUE(session.form1.Check2);
}

TEST_F(PartyLookup, WithoutACompleteRecordTheLastOneIsShownEmptyPartsIncluded) {
  // Manual save on: the page's own waybill does not hold the name yet.
  session.form1.Check2 = true;
  type("D6:H6", "乙");
  EXPECT_EQ(shipper(), (QStringList{"四路", "", "138"}));
}

TEST_F(PartyLookup, ConsigneeUsesItsOwnColumnsAndCells) {
  type("D8:H8", "丙");
  EXPECT_EQ(text("D9:H9"), "五路");
  EXPECT_EQ(text("K8:M8"), "0871005");
  EXPECT_EQ(shipper(), (QStringList{"", "", ""}));
}

TEST_F(PartyLookup, UnknownOrHostileNamesChangeNothing) {
  for (const char* name : {"丁", "x' or '1'='1", "甲'; drop table yswtd1; --"}) {
    session.form1.Check2 = false;
    type("D6:H6", name);
    EXPECT_EQ(shipper(), (QStringList{"", "", ""})) << name;
  }
  EXPECT_EQ(rows("select count(*) from yswtd1"), QStringList{"6"});
}

TEST_F(PartyLookup, OtherCellsStartNoLookup) {
  put("D6:H6", "甲");
  type("B12", "甲");
  EXPECT_EQ(shipper(), (QStringList{"", "", ""}));
}

}  // namespace
}  // namespace vemo::test

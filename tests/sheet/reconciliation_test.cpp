// Warehouse quantity reconciliation: messages, List3 lines and the signed number form.

#include "sheet/reconciliation.h"
#include "sheet/page_fixture.h"

namespace vemo::test {
namespace {

TEST(SignedNumber, SignPositionAndNoLeadingZero) {
  struct Case {
    double value;
    QString text;
  };
  const Case cases[] = {{2, " 2"},        {-2, "-2"},          {0, " 0"},
                        {0.5, " .5"},     {-0.5, "-.5"},       {20, " 20"},
                        {-1.25, "-1.25"}, {1e-7, " .0000001"}, {-0.0, " 0"}};
  for (const Case& c : cases) EXPECT_EQ(signed_number_text(c.value), c.text) << c.value;
}

class Reconciliation : public PageFixture {
 protected:
  void check(const QString& page, const QString& waybill = "1001") {
    open(page);
    put("I3", waybill);
    prompts->clear_shown();
    session.form1.List3.clear();
    reconcile_quantities(session, sheet());
  }
  QStringList lines() { return session.form1.List3.items; }
};

TEST_F(Reconciliation, InSlipAgainstTheWaybill) {
  main_db({"insert into yswtd2 values ('1001', 1, 'a', 10, 2.5, 300)",
           "insert into rkd2_dd values ('1001', 1, 12, 2.5, 280)"});
  check(kInSlip);
  EXPECT_EQ(prompts->texts(), QStringList{"项 1 件数 入库数量大于运单的总数量  2！！"});
  EXPECT_EQ(lines(), QStringList{"项 1 件数 -2,体积  0,重量  20"});
  EXPECT_TRUE(session.form1.List3.visible);
}

TEST_F(Reconciliation, OutSlipAgainstTheInSlips) {
  main_db({"insert into yswtd2 values ('1001', 1, 'a', 10, 2, 5)",
           "insert into rkd2_dd values ('1001', 1, 4, 1, 2)",
           "insert into rkd2_dd values ('1001', 1, 4, 1, 0.5)",
           "insert into ckd2_dd values ('1001', 1, 8, 2, 3)"});
  check(kOutSlip);
  EXPECT_EQ(prompts->texts(), QStringList{"项 1 重量 出库数量大于入库数量  .5！！"});
  EXPECT_EQ(lines(), QStringList{"项 1 件数  0,体积  0,重量 -.5"});
}

TEST_F(Reconciliation, BinaryFractionsAreNoExcess) {
  main_db({"insert into yswtd2 values ('1001', 1, 'a', 1, 0.3, 1)",
           "insert into rkd2_dd values ('1001', 1, 1, 0.1, 1)",
           "insert into rkd2_dd values ('1001', 1, 0, 0.2, 0)"});
  check(kInSlip);
  EXPECT_TRUE(prompts->texts().isEmpty()) << prompts->texts().join('/').toStdString();
  EXPECT_EQ(lines(), QStringList{"项 1 件数  0,体积  0,重量  0"});
}

TEST_F(Reconciliation, PositionsArePairedByRankAndOnlyFourCount) {
  main_db({"insert into yswtd2 values ('1001', 1, 'a', 1, 0, 0)",
           "insert into yswtd2 values ('1001', 2, 'b', 2, 0, 0)",
           "insert into yswtd2 values ('1001', 3, 'c', 3, 0, 0)",
           "insert into yswtd2 values ('1001', 4, 'd', 4, 0, 0)",
           "insert into yswtd2 values ('1001', 5, 'e', 5, 0, 0)",
           "insert into rkd2_dd values ('1001', 1, 1, 0, 0)",
           "insert into rkd2_dd values ('1001', 3, 3, 0, 0)"});
  check(kInSlip);
  EXPECT_EQ(prompts->texts(), QStringList{"项 2 件数 入库数量大于运单的总数量  1！！"});
  EXPECT_EQ(lines(), (QStringList{"项 1 件数  0,体积  0,重量  0", "项 2 件数 -1,体积  0,重量  0",
                                  "项 3 件数  3,体积  0,重量  0", "项 4 件数  4,体积  0,重量  0"}));
}

TEST_F(Reconciliation, UnknownOrHostileWaybillNumbersShowNothing) {
  main_db({"insert into yswtd2 values ('1001', 1, 'a', 1, 0, 0)"});
  for (const char* number : {"", "9999", "x' or '1'='1"}) {
    check(kInSlip, number);
    EXPECT_TRUE(prompts->texts().isEmpty());
    EXPECT_TRUE(lines().isEmpty()) << number;
  }
}

TEST_F(Reconciliation, ClickOnTheListClearsIt) {
  session.form1.List3.items = QStringList{"x"};
  session.form1.List3.visible = true;
  on_list3_clicked(session);
  EXPECT_TRUE(lines().isEmpty());
  EXPECT_FALSE(session.form1.List3.visible);
}

}  // namespace
}  // namespace vemo::test

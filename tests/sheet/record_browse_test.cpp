// Record browsing: finding the page's record by its key cells, stepping and wrapping around.

#include "document/record_browse.h"
#include "sheet/page_fixture.h"

namespace vemo::test {
namespace {

class RecordBrowse : public PageFixture {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    main_db({"insert into yswtd1 (ysth, fz) values ('1001', 'A')",
             "insert into yswtd1 (ysth, fz) values ('1002', 'B')",
             "insert into yswtd1 (ysth, fz) values ('1003', 'C')"});
    open(kWaybillDocument);
  }
  // Puts a number on the page without any event, then presses the button.
  QString browse_from(const QString& number, BrowseStep step) {
    sheet().set_enable_events(false);
    sheet().range("M2").set_value(number);
    sheet().set_enable_events(true);
    on_browse_button(session, step);
    return text("M2");
  }
};

TEST_F(RecordBrowse, StepsAndWrapsAround) {
  struct Case {
    QString on_page;
    BrowseStep step;
    QString expected;
  };
  const Case cases[] = {
      {"1002", BrowseStep::Previous, "1001"}, {"1002", BrowseStep::Next, "1003"},
      {"1002", BrowseStep::Current, "1002"},  {"1001", BrowseStep::Previous, "1003"},
      {"1003", BrowseStep::Next, "1001"},     {"9999", BrowseStep::Current, "1001"},
      {"9999", BrowseStep::Next, "1001"},     {"9999", BrowseStep::Previous, "1003"},
      {"", BrowseStep::Current, "1001"},      {"x' or '1'='1", BrowseStep::Next, "1001"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(browse_from(c.on_page, c.step), c.expected) << c.on_page.toStdString();
  }
}

TEST_F(RecordBrowse, TheLastKeyCellLoadsThePage) {
  EXPECT_EQ(browse_from("1001", BrowseStep::Next), "1002");
  EXPECT_EQ(text("C5:D5"), "B");
  EXPECT_TRUE(sheet().enable_events());
}

TEST_F(RecordBrowse, OnlyARecordMatchingEveryKeyCellIsCurrent) {
  main_db({"insert into yshp1 (ysth, hpbh) values ('1001', 'P1')",
           "insert into yshp1 (ysth, hpbh) values ('1002', 'P1')",
           "insert into yshp1 (ysth, hpbh) values ('1002', 'P2')"});
  settings({"update 运输货票 set out_cl='wbd' where zdm='yshp1.hpbh'"});
  open(kTicketDocument);
  int loads = 0;
  auto handler = sheet().events().content_changed;
  sheet().events().content_changed = [&](const Range& r) {
    ++loads;
    EXPECT_EQ(r.address(), "G4:H4");  // the ticket number was written silently
    handler(r);
  };
  sheet().set_enable_events(false);
  sheet().range("G4:H4").set_value(QStringLiteral("1002"));
  sheet().range("T2").set_value(QStringLiteral("P1"));
  sheet().set_enable_events(true);
  on_browse_button(session, BrowseStep::Next);
  EXPECT_EQ(text("T2"), "P2");
  EXPECT_EQ(text("G4:H4"), "1002");
  EXPECT_EQ(loads, 1);
}

TEST_F(RecordBrowse, NothingToBrowseWritesNothing) {
  main_db({"delete from yswtd1"});
  EXPECT_EQ(browse_from("1002", BrowseStep::Next), "1002");
  settings({"update 货物运单 set out_cl=null"});
  main_db({"insert into yswtd1 (ysth) values ('1')"});
  EXPECT_EQ(browse_from("1002", BrowseStep::Next), "1002");
}

}  // namespace
}  // namespace vemo::test

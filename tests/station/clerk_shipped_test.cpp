// A clerk on the shipped pages of a demo station, driven only through the page's events and
// answers to message boxes; each step checks the database and the page.
#include "app/user_list.h"
#include "document/cell_save.h"
#include "document/open_document.h"
#include "document/page_save.h"
#include "document/record_browse.h"
#include "platform/dates.h"
#include "platform/number_text.h"
#include "platform/recordset.h"
#include "platform/sheet.h"
#include "platform/sheet_events.h"
#include "platform/sql_text.h"
#include "sheet/choice_list.h"
#include "sheet/page_events.h"
#include "station_fixture.h"

namespace vemo {
namespace {

const QString kInSlip = QStringLiteral("入库单（到达）");
const QString kDailyReport = QStringLiteral("澜川物流货物运输日报表");

class ClerkShipped : public test::DemoStation {
 protected:
  void SetUp() override {
    DemoStation::SetUp();
    session.prompts = prompts;
    // The departure station as the start-up reads it from the station's user list.
    UserList users;
    ASSERT_TRUE(users.load(folder() + '/' + kUserListName));
    session.start_station = users.start_station();
    connect_page_events(session, sheet());
  }

  // Opens a page as a click in the tree does, with the focus on the grid.
  void open(const QString& page) {
    ASSERT_TRUE(open_document(session, page)) << page;
    session.sheet_edit_mode = kEditGuardArmed;
    sheet().user_focus_in();
  }
  CellPos pos(const QString& address) { return parse_area_address(address)->first(); }
  void select(const QString& address) { sheet().user_select(*parse_area_address(address)); }
  // Selects the cell, types the text and presses Enter, as at the keyboard.
  void type(const QString& address, const QString& input) {
    select(address);
    ASSERT_TRUE(sheet().user_begin_edit(pos(address))) << address;
    ASSERT_TRUE(sheet().user_edit(pos(address), input)) << address;
    sheet().user_key(kKeyEnter);
  }
  // Selects the cell and clicks the line of its choice list that offers the item.
  void pick(const QString& address, const QString& item) {
    select(address);
    ASSERT_TRUE(session.form1.List1.visible) << address;
    for (const QString& line : session.form1.List1.items) {
      if (line.mid(line.indexOf('.') + 1) == item) {
        pick_choice(session, line);
        return;
      }
    }
    ADD_FAILURE() << address << " offers no " << item;
  }

  // Rows of a query on the main database, columns joined with '|'.
  QStringList rows(const QString& sql) {
    QStringList result;
    auto rs = open_query(session, session.main_conn, sql);
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
      QStringList fields;
      for (int i = 0; i < rs->FieldCount(); ++i) fields << rs->Text(i);
      result << fields.join('|');
    }
    return result;
  }
  QString one(const QString& sql) {
    const QStringList r = rows(sql);
    return r.isEmpty() ? QString() : r.front();
  }

  // A new waybill: the number (answered Yes) and one goods line, stored by 存盘.
  void new_waybill(const QString& number) {
    open(kWaybillDocument);
    set_check2(session, false);
    prompts->push(PromptAnswer::Yes);
    type("M2", number);
    type("B11", QStringLiteral("钢材"));
    type("D11", "10");
    type("E11", "2.5");
    type("F11", "4");
    pick("G11", QStringLiteral("按件数"));
    type("H11", "12.5");
    save_page(session, session.main_conn, sheet());
  }

  Sheet& sheet() { return session.Spreadsheet1; }
  QString text(const QString& address) { return sheet().range(address).text(); }

  std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();
};

TEST_F(ClerkShipped, EntersANewWaybillWithAKnownShipper) {
  // An earlier demo waybill whose shipper has an address and both telephones.
  const QStringList shipper =
      one("select fhdwmc, fhdwdz, fhdwdh, fhdwsj from yswtd1 where fhdwmc<>'' and fhdwdz<>'' "
          "and fhdwdh<>'' and fhdwsj<>'' order by rowid")
          .split('|');
  ASSERT_EQ(shipper.size(), 4);

  open(kWaybillDocument);
  set_check2(session, false);  // cell by cell
  prompts->push(PromptAnswer::Yes);
  type("M2", "CDCLERK001");
  ASSERT_FALSE(prompts->texts().filter(kNewWaybillQuestion).isEmpty())
      << prompts->texts().join('/');
  EXPECT_EQ(text("C4:D4"), today_text());
  EXPECT_EQ(rows("select ysth, tyrq from yswtd1 where ysth='CDCLERK001'"),
            QStringList{"CDCLERK001|" + today_text()});

  type("D6:H6", shipper[0]);
  EXPECT_EQ(text("D7:H7"), shipper[1]);
  EXPECT_EQ(text("K6:M6"), shipper[2]);
  EXPECT_EQ(text("K7:M7"), shipper[3]);
  EXPECT_TRUE(sheet().range("K6:M6").value().is_text());  // a telephone keeps its leading 0
  EXPECT_EQ(text("C5:D5"), QStringLiteral("成都"));
  EXPECT_TRUE(session.form1.Check2);  // the look-up ticks manual save

  type("B11", QStringLiteral("钢材"));
  pick("G11", QStringLiteral("按件数"));
  EXPECT_EQ(text("G11"), QStringLiteral("按件数"));
  type("D11", "10");
  type("H11", "12.5");
  type("J11", "1000");
  EXPECT_EQ(text("I11"), "125");
  EXPECT_EQ(text("K11"), "3");
  EXPECT_EQ(text("L11"), "128");
  EXPECT_EQ(text("L16"), "128");
  EXPECT_EQ(text("D17:M17"), QStringLiteral("壹佰贰拾捌元整"));

  save_page(session, session.main_conn, sheet());  // the clerk presses 存盘
  EXPECT_EQ(rows("select fhdwmc, fhdwdz, fhdwdh, fhdwsj, fz, hjje, hjdx from yswtd1 where "
                 "ysth='CDCLERK001'"),
            QStringList{shipper.join('|') + "|" + session.start_station +
                        QStringLiteral("|128|壹佰贰拾捌元整")});
  EXPECT_EQ(rows("select fh_wz, hwmc, jffs, js, dj, yf, bjje, bjf, xj from yswtd2 where "
                 "ysth='CDCLERK001'"),
            QStringList{QStringLiteral("1|钢材|按件数|10|12.5|125|1000|3|128")});
}

TEST_F(ClerkShipped, ADeclinedNewNumberLeavesNoWaybill) {
  const QStringList before = rows("select * from yswtd1");
  open(kWaybillDocument);
  set_check2(session, false);
  prompts->push(PromptAnswer::No);
  type("M2", "CDCLERK009");
  EXPECT_FALSE(prompts->texts().filter(kNewWaybillQuestion).isEmpty());
  EXPECT_EQ(text("M2"), "");
  EXPECT_EQ(rows("select * from yswtd1"), before) << prompts->texts().join('/');
}

TEST_F(ClerkShipped, JumpsToTheFreightTicketAndChecksItsTotal) {
  new_waybill("CDCLERK002");
  ASSERT_EQ(text("L16"), "125");

  select("M2");
  sheet().user_key(kKeyAlt);
  ASSERT_EQ(sheet().name(), kTicketDocument);
  EXPECT_TRUE(sheet().enable_events());
  EXPECT_EQ(text("G4:H4"), "CDCLERK002");
  EXPECT_EQ(text("C5:D5"), one("select fz from yswtd1 where ysth='CDCLERK002'"));
  EXPECT_EQ(text("C7:D7"), "10");
  EXPECT_TRUE(session.form1.Check2);
  EXPECT_TRUE(session.form1.CommandButton1.visible);

  set_check2(session, false);
  prompts->clear_shown();
  prompts->push(PromptAnswer::Yes);  // a new ticket number
  type("T2", "HPCLERK2");
  EXPECT_TRUE(prompts->texts().contains(new_number_question("yshp1")))
      << prompts->texts().join('/');
  EXPECT_EQ(text("J4:L4"), today_text());
  EXPECT_EQ(rows("select ysth, hpbh, kprq from yshp1 where ysth='CDCLERK002'"),
            QStringList{"CDCLERK002|HPCLERK2|" + today_text()});

  type("B11", QStringLiteral("运费"));
  type("C11", "1");
  type("E11", "0.3");
  EXPECT_EQ(text("F11"), "0.3");
  EXPECT_EQ(text("D18:L18"), "0.3");

  type("M19", "0.1");
  EXPECT_TRUE(prompts->texts().contains(kTicketSumMismatch));  // 0.1 of 0.3 so far
  prompts->clear_shown();
  type("P19", "0.2");
  type("S19", "0");
  EXPECT_FALSE(prompts->texts().contains(kTicketSumMismatch)) << prompts->texts().join('/');

  type("S19", "5");
  EXPECT_TRUE(prompts->texts().contains(kTicketSumMismatch));
  EXPECT_EQ(sheet().selection().address(), "S19");
  EXPECT_EQ(rows("select hjje, jzje, xjje, dsje from yshp1 where ysth='CDCLERK002'"),
            QStringList{"0.3|0.1|0.2|5"});
  EXPECT_EQ(rows("select fh_wz, fymc, jfsl, dj, je from yshp2 where ysth='CDCLERK002'"),
            QStringList{QStringLiteral("1|运费|1|0.3|0.3")});

  // Alt back: the waybill as it was stored, manual save off.
  select("T2");
  sheet().user_key(kKeyAlt);
  ASSERT_EQ(sheet().name(), kWaybillDocument);
  EXPECT_EQ(text("M2"), "CDCLERK002");
  EXPECT_EQ(text("B11"), QStringLiteral("钢材"));
  EXPECT_FALSE(session.form1.Check2);
}

TEST_F(ClerkShipped, WarehouseSlipBeyondItsWaybill) {
  // A demo waybill with one goods line and no in-slip yet.
  const QStringList line =
      one("select ysth, js, tj, zl from yswtd2 where ysth in (select ysth from yswtd2 group by "
          "ysth having count(*)=1) and ysth not in (select ysth from rkd2_dd) and ysth not like "
          "'CDCLERK%' order by rowid")
          .split('|');
  ASSERT_EQ(line.size(), 4);
  const QString number = line[0];
  const double pieces = line[1].toDouble();
  const double volume = line[2].toDouble();
  const double weight = line[3].toDouble();

  open(kInSlip);
  set_check2(session, false);
  type("I3", number);
  EXPECT_EQ(text("B8"), one("select hwmc from yswtd2 where ysth=" + sql_quote(number)));
  prompts->clear_shown();
  type("F8", number_text(pieces + 2));
  type("G8", number_text(weight));
  type("H8", number_text(volume + 1));
  EXPECT_EQ(rows("select fh_wz, js, zl, tj from rkd2_dd where ysth=" + sql_quote(number)),
            QStringList{"1|" + number_text(pieces + 2) + "|" + number_text(weight) + "|" +
                        number_text(volume + 1)});

  const QString pieces_excess = QStringLiteral("项 1 件数 入库数量大于运单的总数量  2！！");
  const QString volume_excess = QStringLiteral("项 1 体积 入库数量大于运单的总数量  1！！");
  EXPECT_EQ(prompts->texts().filter(pieces_excess).size(), 3) << prompts->texts().join('/');
  EXPECT_EQ(prompts->texts().filter(volume_excess).size(), 1) << prompts->texts().join('/');
  EXPECT_EQ(prompts->texts().filter(QStringLiteral("重量")).size(), 0);
  EXPECT_TRUE(session.form1.List3.visible);
  EXPECT_EQ(session.form1.List3.items, QStringList{QStringLiteral("项 1 件数 -2,体积 -1,重量  0")});

  // A click elsewhere on the page hides the lines.
  sheet().user_click(pos("A1"));
  EXPECT_FALSE(session.form1.List3.visible);
}

TEST_F(ClerkShipped, DeletesSeveralCellsAtOnce) {
  new_waybill("CDCLERK004");
  ASSERT_EQ(rows("select js, zl, tj from yswtd2 where ysth='CDCLERK004'"), QStringList{"10|2.5|4"});
  ASSERT_EQ(text("D17:M17"), QStringLiteral("壹佰贰拾伍元整"));
  set_check2(session, false);
  sheet().user_select(*parse_area_address("D11:F11"));
  sheet().user_key(kKeyDelete);
  EXPECT_EQ(text("D11"), "");
  EXPECT_EQ(text("E11"), "");
  EXPECT_EQ(text("F11"), "");
  EXPECT_EQ(text("B11"), QStringLiteral("钢材"));
  EXPECT_EQ(rows("select hwmc, js, zl, tj, dj from yswtd2 where ysth='CDCLERK004'"),
            QStringList{QStringLiteral("钢材||||12.5")});
  EXPECT_EQ(session.sheet_edit_mode, kEditGuardArmed);
  // The freight by pieces falls to 0 with them, and a zero amount reads "/" in capitals.
  EXPECT_EQ(text("I11"), "0");
  EXPECT_EQ(text("L16"), "0");
  EXPECT_EQ(text("D17:M17"), "/");
  EXPECT_EQ(rows("select hjjs, hjje, hjdx from yswtd1 where ysth='CDCLERK004'"),
            QStringList{"0|0|/"});
}

TEST_F(ClerkShipped, BrowsesWaybillsWithWrapAround) {
  const QStringList numbers = rows("select ysth from yswtd1");
  ASSERT_GE(numbers.size(), 3);
  open(kWaybillDocument);
  set_check2(session, false);
  type("M2", numbers.front());
  EXPECT_EQ(text("C5:D5"), one("select fz from yswtd1 where ysth=" + sql_quote(numbers[0])));

  on_browse_button(session, BrowseStep::Previous);
  EXPECT_EQ(text("M2"), numbers.back());
  EXPECT_EQ(text("D6:H6"),
            one("select fhdwmc from yswtd1 where ysth=" + sql_quote(numbers.back())));
  on_browse_button(session, BrowseStep::Next);
  EXPECT_EQ(text("M2"), numbers.front());
  on_browse_button(session, BrowseStep::Next);
  EXPECT_EQ(text("M2"), numbers[1]);
  EXPECT_EQ(text("B11"),
            one("select hwmc from yswtd2 where fh_wz=1 and ysth=" + sql_quote(numbers[1])));
  EXPECT_EQ(rows("select count(*) from yswtd1"),
            QStringList{number_text(static_cast<double>(numbers.size()))});
}

TEST_F(ClerkShipped, RunsTheDailyReportByPickingItsLastParameter) {
  const QStringList expected =
      rows("select ysth from yswtd1 where fz='成都' and tyrq=" + sql_quote(today_text()) +
           " order by dz, fhdwmc, ysth");
  ASSERT_FALSE(expected.isEmpty());
  const QStringList waybills = rows("select * from yswtd1");

  open(kDailyReport);
  pick("C2", QStringLiteral("全部"));
  pick("F2", QStringLiteral("成都"));
  pick("H2", QStringLiteral("全部"));
  EXPECT_EQ(text("B5"), "");  // two parameters are still missing
  pick("J2", QStringLiteral("全部"));
  select("P2");
  ASSERT_TRUE(session.form1.List1.visible);
  ASSERT_GE(session.form1.List1.items.size(), 2);
  EXPECT_EQ(session.form1.List1.items[1], today_text());
  pick_choice(session, session.form1.List1.items[1]);

  EXPECT_EQ(text("P2"), today_text());
  QStringList shown;
  for (int row = 5; !text(QStringLiteral("B%1").arg(row)).isEmpty(); ++row)
    shown << text(QStringLiteral("B%1").arg(row));
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(text("C5") + "|" + text("K5"),
            one("select fhdwmc, hjje from yswtd1 where ysth=" + sql_quote(expected[0])));
  EXPECT_EQ(rows("select * from yswtd1"), waybills);  // a report writes nothing
}

}  // namespace
}  // namespace vemo

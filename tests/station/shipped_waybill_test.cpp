// The typical request on the shipped 货物运单 page of a demo station: a new waybill number,
// the question, a goods line with its formulas and capital amount, and the final confirmation
// that locks the waybill for a writer but not for an administrator.
#include "document/cell_commit.h"
#include "document/cell_save.h"
#include "document/open_document.h"
#include "document/page_save.h"
#include "platform/recordset.h"
#include "reports/report_engine.h"
#include "station_fixture.h"
#include "users/confirmation.h"
#include "users/write_permission.h"

namespace vemo {
namespace {

class ShippedWaybill : public test::DemoStation {
 protected:
  void SetUp() override {
    DemoStation::SetUp();
    session.prompts = prompts;
    ASSERT_TRUE(open_document(session, QStringLiteral("货物运单")));
    set_check2(session, false);  // the clerk stores cell by cell
  }

  // Types into a cell as the grid would, then commits the edit.
  void type(const char* address, const QString& input) {
    Sheet& sheet = session.Spreadsheet1;
    const Range range = sheet.range(QString::fromLatin1(address));
    range.select();
    session.form1.edit_ysth = sheet.range("M2").text().trimmed();
    const bool events = sheet.enable_events();
    sheet.set_enable_events(false);
    range.set_value(input);
    sheet.set_enable_events(events);
    session.sheet_edit_mode = kEditGuardArmed;
    commit_cell_edit(session, range);
  }

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

  QString text(const char* address) {
    return session.Spreadsheet1.range(QString::fromLatin1(address)).text();
  }

  std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();
};

TEST_F(ShippedWaybill, ANewWaybillFromTheFirstKeystrokeToItsConfirmation) {
  prompts->push(PromptAnswer::Yes);
  type("M2", "'CDTEST0001");
  ASSERT_GE(prompts->texts().size(), 2);
  EXPECT_EQ(prompts->texts()[0], kWaybillNotFound);
  EXPECT_TRUE(prompts->texts()[1].startsWith(kNewWaybillQuestion));
  EXPECT_EQ(rows("select ysth from yswtd1 where ysth='CDTEST0001'"), QStringList{"CDTEST0001"});

  type("B11", QString::fromUtf8("钢材"));
  type("G11", QString::fromUtf8("按件数"));
  type("D11", "10");
  type("H11", "12.5");
  EXPECT_EQ(text("I11"), "125");
  EXPECT_EQ(text("L16"), "125");
  EXPECT_EQ(text("D17:M17"), QString::fromUtf8("壹佰贰拾伍元整"));
  EXPECT_EQ(rows("select fh_wz, hwmc, js, dj from yswtd2 where ysth='CDTEST0001'"),
            QStringList{QString::fromUtf8("1|钢材|10|12.5")});
  EXPECT_EQ(rows("select hjje, hjdx from yswtd1 where ysth='CDTEST0001'"),
            QStringList{QString::fromUtf8("125|壹佰贰拾伍元整")});

  prompts->push(PromptAnswer::Yes);
  EXPECT_EQ(confirm_waybill(session, session.main_conn, "CDTEST0001"), ConfirmOutcome::Confirmed);
  // Confirmed: a writer may no longer change it, an administrator still may.
  session.user_role = QStringLiteral("W");
  session.user_name = QString::fromUtf8("张丽");
  EXPECT_EQ(write_permission(session, session.main_conn, "CDTEST0001"), QStringLiteral("不能写"));
  session.user_role = QStringLiteral("ADMIN");
  session.user_name = QStringLiteral("admin");
  EXPECT_EQ(write_permission(session, session.main_conn, "CDTEST0001"), QStringLiteral("可以写"));
}

}  // namespace
}  // namespace vemo

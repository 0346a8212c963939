// Opening pages: scope, template, picture, protection, manual-save mode, menu entries.
#include "document/open_document.h"

#include "document/document_menu.h"
#include "support/document_fixture.h"

#include <QFile>

namespace vemo {
namespace {

using test::DocumentFixture;

class OpenDocument : public DocumentFixture {
 protected:
  void SetUp() override {
    DocumentFixture::SetUp();
    session.user_scope = QStringLiteral("货物运单,出库单（到达）,");
    sheet().set_name(QString());
    write_template("货物运单", "<table><tr><td>运输托号</td><td>x</td></tr></table>");
  }
  void write_template(const QString& name, const QByteArray& body) {
    QFile file(dir.file(name + ".htm"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><head><meta charset=\"utf-8\"></head><body>" + body + "</body></html>");
  }
};

TEST_F(OpenDocument, LoadsNamesProtectsAndPlacesThePicture) {
  session.form1.Check2 = false;
  session.form1.CommandButton1.visible = false;
  ASSERT_TRUE(open_document(session, "货物运单"));
  EXPECT_EQ(sheet().name(), "货物运单");
  EXPECT_EQ(text("A1"), "运输托号");
  EXPECT_TRUE(sheet().is_protected());
  EXPECT_FALSE(sheet().range("M2").locked());
  EXPECT_TRUE(sheet().range("A1").locked());
  EXPECT_EQ(sheet().active_cell().address(), "A1");
  EXPECT_TRUE(session.form1.Check2);
  EXPECT_TRUE(session.form1.CommandButton1.visible);
  EXPECT_TRUE(session.form1.Picture1.visible);
  EXPECT_EQ(session.form1.Picture1.geometry.left, 600 + session.form1.grid.left);
  EXPECT_EQ(session.form1.Picture1.geometry.top, 240 + session.form1.grid.top);
  EXPECT_EQ(session.logo_x, 600);
  EXPECT_EQ(session.logo_y, 240);
  EXPECT_TRUE(sheet().enable_events());
}

TEST_F(OpenDocument, SavesAPendingPageFirst) {
  ASSERT_TRUE(open_document(session, "货物运单"));
  put("M2", "1001");
  put("B3", "某公司");
  session.sheet_saved = false;
  ASSERT_TRUE(open_document(session, "货物运单"));
  EXPECT_EQ(rows("select ysth, fhr from yswtd1"), QStringList{"1001|某公司"});
  EXPECT_EQ(text("M2"), "");
}

TEST_F(OpenDocument, RefusedDocumentKeepsThePage) {
  ASSERT_TRUE(open_document(session, "货物运单"));
  EXPECT_FALSE(open_document(session, "运输货票"));
  EXPECT_EQ(sheet().name(), "货物运单");
  EXPECT_TRUE(prompts->shown().empty());
  session.dev_marker = kDeveloperMarker;
  EXPECT_TRUE(open_document(session, "运输货票"));
}

TEST_F(OpenDocument, MissingTemplateAndCatalogRowLeaveAnEmptyLockedPage) {
  session.user_scope = QStringLiteral("ALL");
  ASSERT_TRUE(open_document(session, "客户登记表"));
  EXPECT_EQ(sheet().name(), "客户登记表");
  EXPECT_EQ(sheet().used_rows(), 0);
  EXPECT_TRUE(sheet().is_protected());
  EXPECT_FALSE(session.form1.Picture1.visible);
  EXPECT_TRUE(open_document(session, "../货物运单"));  // never reads outside the folder
  EXPECT_EQ(sheet().used_rows(), 0);
}

TEST_F(OpenDocument, PictureWithoutCommaIsHidden) {
  settings({"update bb set gstb_wz='600' where bbm='货物运单'"});
  ASSERT_TRUE(open_document(session, "货物运单"));
  EXPECT_FALSE(session.form1.Picture1.visible);
}

TEST_F(OpenDocument, WarehouseOutSlipFromTheMenuHasAFixedPicture) {
  settings({"insert into bb (bbm, bh, gstb_wz) values ('出库单（到达）', 9, '100,50')"});
  ASSERT_TRUE(open_from_menu(session, "ckd_dd"));
  EXPECT_EQ(sheet().name(), "出库单（到达）");
  EXPECT_EQ(session.form1.Picture1.geometry.left, session.form1.grid.left + 601);
  EXPECT_EQ(session.form1.Picture1.geometry.top, session.form1.grid.top + 317);
  EXPECT_EQ(session.logo_x, 100);
  open_tree_node(session, {"出库单（到达）", "出库单（到达）"});
  EXPECT_EQ(session.form1.Picture1.geometry.left, session.form1.grid.left + 100);
}

TEST_F(OpenDocument, FlaggedTreeNodeRunsVkrAndTheMenuDoesNot) {
  ASSERT_TRUE(open_from_menu(session, "yswtd"));
  EXPECT_FALSE(sheet().range("A1").format().wrap);
  session.sheet_edit_mode = kEditGuardDisarmed;
  session.form1.List1.visible = true;
  open_tree_node(session, {"货物运单", "货物运单"});
  EXPECT_TRUE(sheet().range("A1").format().wrap);
  EXPECT_EQ(session.sheet_edit_mode, kEditGuardArmed);
  EXPECT_FALSE(session.form1.List1.visible);
}

TEST(DocumentMenu, EntriesAreFoundByItemName) {
  const DocumentMenuEntry* entry = find_document_menu_entry("zqyf_cc");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->document, "租车总汽运费统计表");
  EXPECT_EQ(find_document_menu_entry("nope"), nullptr);
}

}  // namespace
}  // namespace vemo

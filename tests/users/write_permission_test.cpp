// Write permission by role and confirmation state, and the final confirmation.
#include "users/write_permission.h"

#include "support/document_fixture.h"
#include "users/confirmation.h"

namespace vemo {
namespace {

using test::DocumentFixture;

class WritePermission : public DocumentFixture {
 protected:
  void SetUp() override {
    DocumentFixture::SetUp();
    main_db({"insert into ws_gxq values ('未知', '1', 'TQX', null, null, null)",
             "insert into qr_table (ysth, queren) values ('1002', '已确认')",
             "insert into qr_table (ysth, queren) values ('1003', null)"});
  }
};

TEST_F(WritePermission, ByRoleAndConfirmation) {
  struct Case {
    const char* user;
    const char* ysth;
    const char* expected;
  };
  const Case cases[] = {
      {"张三", "1001", "可以写"},         {"张三", "1002", "不能写"},
      {"张三", "1003", "可以写"},         {"管理员", "1001", "可以写"},
      {"管理员", "1002", "可以写"},       {"只读", "1001", "不能写"},
      {"只读", "1002", "不能写"},         {"无此人", "1001", "可以写"},
      {"无此人", "1002", "不能写"},       {"未知", "1001", "不能写"},
      {"张三", "1002*7", "不能写"},       {"张三", "1001*1002", "可以写"},
      {"张三", "x' or '1'='1", "可以写"},
  };
  for (const Case& c : cases) {
    session.user_name = QString::fromUtf8(c.user);
    EXPECT_EQ(write_permission(session, session.main_conn, QString::fromUtf8(c.ysth)), c.expected)
        << c.user << " " << c.ysth;
  }
}

TEST_F(WritePermission, WriterGetsTheRightBackOnAnOpenWaybill) {
  session.user_right = QStringLiteral("R");
  EXPECT_TRUE(may_write_page(session, session.main_conn, "1001"));
  EXPECT_FALSE(may_write_page(session, session.main_conn, "1002"));
  EXPECT_EQ(session.user_right, "R");
  session.dev_marker = kDeveloperMarker;  // developer mode keeps the right it has
  session.user_right = QStringLiteral("W");
  EXPECT_TRUE(may_write_page(session, session.main_conn, "1002"));
}

class Confirmation : public DocumentFixture {};

TEST_F(Confirmation, WritesTheWholeRowAndSaysSo) {
  put("M2", " 1001 ");
  prompts->push(PromptAnswer::Yes);
  EXPECT_EQ(confirm_page_waybill(session, session.main_conn, sheet()), ConfirmOutcome::Confirmed);
  ASSERT_EQ(prompts->shown().size(), 2u);
  EXPECT_EQ(prompts->shown()[0].text, "你确定要最后确认运输托号吗？ ");
  EXPECT_EQ(prompts->shown()[0].title, "确认");
  EXPECT_EQ(prompts->shown()[1].text, "运输托号 1001 已确认");
  const QStringList stored = rows("select ysth, queren, qr_ren, length(qr_sj) from qr_table");
  EXPECT_EQ(stored, QStringList{"1001|已确认|张三|19"});
  // Confirmed: closed to the writer, open to the administrator.
  EXPECT_EQ(write_permission(session, session.main_conn, "1001"), kMayNotWrite);
  session.user_name = QStringLiteral("管理员");
  EXPECT_EQ(write_permission(session, session.main_conn, "1001"), kMayWrite);
}

TEST_F(Confirmation, AnExistingRowOrANoEndsQuietly) {
  main_db({"insert into qr_table (ysth) values ('1001')"});
  EXPECT_EQ(confirm_waybill(session, session.main_conn, "1001"), ConfirmOutcome::AlreadyRegistered);
  EXPECT_TRUE(prompts->shown().empty());
  EXPECT_EQ(confirm_waybill(session, session.main_conn, "1002"), ConfirmOutcome::Declined);
  EXPECT_EQ(prompts->texts(), QStringList{"你确定要最后确认运输托号吗？ "});
  EXPECT_EQ(rows("select count(*) from qr_table"), QStringList{"1"});
}

TEST_F(Confirmation, EmptyNumberIsRefusedWithItsMessage) {
  EXPECT_EQ(confirm_page_waybill(session, session.main_conn, sheet()), ConfirmOutcome::NoNumber);
  EXPECT_EQ(prompts->texts(), QStringList{"运输托号不能为空！ "});
}

TEST_F(Confirmation, ReadOnlyUserIsRefusedOnEveryPath) {
  session.user_role = QStringLiteral("r");
  put("M2", "1001");
  prompts->push(PromptAnswer::Yes);
  prompts->push(PromptAnswer::Yes);
  EXPECT_EQ(confirm_page_waybill(session, session.main_conn, sheet()),
            ConfirmOutcome::ReadOnlyUser);
  EXPECT_EQ(confirm_waybill(session, session.main_conn, "1001"), ConfirmOutcome::ReadOnlyUser);
  EXPECT_EQ(prompts->texts(), (QStringList{kReadOnlyCannotConfirm, kReadOnlyCannotConfirm}));
  EXPECT_TRUE(rows("select * from qr_table").isEmpty());
}

TEST_F(Confirmation, AFailedWriteSaysSoAndLeavesNoRow) {
  // A confirmation table that refuses the time stamp: nothing may be left half written.
  main_db({"drop table qr_table",
           "create table qr_table (bh integer primary key autoincrement, ysth text, queren "
           "text, qr_ren text, qr_sj integer check (qr_sj < 0))"});
  prompts->push(PromptAnswer::Yes);
  EXPECT_EQ(confirm_waybill(session, session.main_conn, "1001"), ConfirmOutcome::WriteFailed);
  EXPECT_EQ(prompts->texts().last(), "运输托号 1001 确认失败！");
  EXPECT_TRUE(rows("select * from qr_table").isEmpty());
}

}  // namespace
}  // namespace vemo

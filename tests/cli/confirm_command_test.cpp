// vemo-cli confirm on a station folder: who may confirm, and --yes.
#include "platform/connection.h"
#include "platform/recordset.h"
#include "support/temp_dir.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace vemo {
namespace {

class ConfirmCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    Connection db;
    ASSERT_TRUE(db.open(dir.file("澜川.mdb"), OpenMode::CreateIfMissing));
    for (const char* sql :
         {"create table ws_gxq (username text, mm text, userright text, fw_b1 text, fw_b2 "
          "text, fw_b3 text)",
          "create table qr_table (bh integer primary key autoincrement, ysth text, queren "
          "text, qr_ren text, qr_sj date)",
          "insert into ws_gxq values ('王五', 'pw', 'W', 'ALL', null, null)",
          "insert into ws_gxq values ('只读', 'pw', 'R', 'ALL', null, null)"}) {
      ASSERT_TRUE(db.execute(QString::fromUtf8(sql))) << sql;
    }
  }

  int run(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(VEMO_CLI), QStringList{"confirm", dir.path()} + args);
    EXPECT_TRUE(process.waitForFinished(30000));
    out = QString::fromUtf8(process.readAllStandardOutput());
    err = QString::fromUtf8(process.readAllStandardError());
    return process.exitCode();
  }

  QString confirmations() {
    Connection db;
    if (!db.open(dir.file("澜川.mdb"))) return "unreadable";
    auto rs = db.open_recordset("select ysth, queren, qr_ren from qr_table");
    QStringList rows;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
      rows << rs->Text(0) + "|" + rs->Text(1) + "|" + rs->Text(2);
    return rows.join(',');
  }

  test::TempDir dir;
  QString out;
  QString err;
};

TEST_F(ConfirmCommand, WriterConfirmsWithYes) {
  EXPECT_EQ(run({"1001", "--user", "王五", "--password", "pw", "--yes"}), 0) << err.toStdString();
  EXPECT_TRUE(out.contains("运输托号 1001 已确认"));
  EXPECT_EQ(confirmations(), "1001|已确认|王五");
  // Again: the row is there, nothing more is written.
  EXPECT_EQ(run({"1001", "--user", "王五", "--password", "pw", "--yes"}), 0);
  EXPECT_EQ(confirmations(), "1001|已确认|王五");
}

TEST_F(ConfirmCommand, RefusedWithoutYesReadOnlyOrWrongPassword) {
  EXPECT_EQ(run({"1001", "--user", "王五", "--password", "pw"}), 1);
  EXPECT_TRUE(err.contains("--yes"));
  EXPECT_EQ(run({"1001", "--user", "只读", "--password", "pw", "--yes"}), 1);
  EXPECT_TRUE(out.contains("只读用户不能确认运输托号！"));
  EXPECT_EQ(run({"1001", "--user", "王五", "--password", "x' or '1'='1", "--yes"}), 1);
  EXPECT_TRUE(err.contains("无效的密码，请重试!"));
  EXPECT_EQ(confirmations(), "");
}

}  // namespace
}  // namespace vemo

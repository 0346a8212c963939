// Golden CSV files of every report page of the demo station, written through vemo-cli report.
// A change to a report shows up as a diff; VEMO_UPDATE_GOLDEN=1 rewrites the files
// (scripts/update-golden).
#include "station/tsv.h"
#include "station_fixture.h"

#include <QFile>
#include <QProcess>

namespace vemo::test {
namespace {

struct CliRun {
  int status = -1;
  QString out;
  QString err;
};

CliRun run_cli(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(VEMO_CLI), arguments);
  process.waitForFinished(60000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

const QStringList kAdmin = {"--user", "admin", "--password", "admin2026"};

using ReportGolden = DemoStation;

TEST_F(ReportGolden, EveryReportPageMatchesItsGoldenFile) {
  const QString golden = QStringLiteral(VEMO_STATION_TESTS) + QStringLiteral("/golden/");
  QFile list(golden + "params.tsv");
  ASSERT_TRUE(list.open(QIODevice::ReadOnly));
  const auto params = parse_tsv(list.readAll());
  ASSERT_TRUE(params.has_value());
  const bool update = qEnvironmentVariable("VEMO_UPDATE_GOLDEN") == QLatin1String("1");
  QTemporaryDir out;
  for (const auto& row : params->rows) {
    const QString page = row[0].value_or(QString());
    const QString csv = out.filePath(page + ".csv");
    const CliRun run = run_cli(
        QStringList{"report", folder(), page, row[1].value_or(QString()), "--out", csv} + kAdmin);
    ASSERT_EQ(run.status, 0) << page << ": " << run.err;
    QFile produced(csv);
    ASSERT_TRUE(produced.open(QIODevice::ReadOnly));
    const QByteArray actual = produced.readAll();
    QFile expected(golden + page + ".csv");
    if (update) {
      ASSERT_TRUE(expected.open(QIODevice::WriteOnly));
      expected.write(actual);
      continue;
    }
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly)) << "no golden file for " << page;
    EXPECT_EQ(QString::fromUtf8(actual), QString::fromUtf8(expected.readAll())) << page;
  }
}

using CliOnStation = DemoStation;

TEST_F(CliOnStation, LogInAndDocumentScopeAreEnforced) {
  // A clerk granted only 租车总汽运费统计表 must not open 总汽运费统计表.
  {
    Connection main;
    ASSERT_TRUE(main.open(session.main_db_path));
    ASSERT_TRUE(
        main.execute(QStringLiteral("insert into ws_gxq (username, userright, fw_b1, mm) "
                                    "values ('李娜', 'R', '租车总汽运费统计表,', 'ln2026')")));
  }
  const QStringList nina = {"--user", "李娜", "--password", "ln2026"};
  const QString dates = QStringLiteral("2026-12-01*2026-12-31");

  CliRun run = run_cli(QStringList{"report", folder(), "总汽运费统计表", dates} + nina);
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains("总汽运费统计表")) << run.err;
  EXPECT_TRUE(run.out.isEmpty());

  run = run_cli(QStringList{"report", folder(), "租车总汽运费统计表", dates} + nina);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.contains("租车总汽运费统计表"));

  run = run_cli({"report", folder(), "货物运单", "x", "--user", "admin", "--password", "admin"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.trimmed(), QStringLiteral("无效的密码，请重试!"));

  // A quote in the password cannot open the door.
  run = run_cli(
      {"report", folder(), "货物运单", "x", "--user", "admin", "--password", "' or '1'='1"});
  EXPECT_EQ(run.status, 1);
}

int plain_sum(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  int sum = 0;
  for (const char byte : file.read(10)) sum += static_cast<unsigned char>(byte);
  return sum;
}

TEST_F(CliOnStation, ModeNeedsThePassPhraseForPlainFiles) {
  constexpr int kPlain = 921;
  const QString main = session.main_db_path;
  session.main_conn = {};
  session.set_conn = {};
  EXPECT_NE(plain_sum(main), kPlain);

  CliRun run = run_cli({"mode", folder(), "dev", "--password", "wrong"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(plain_sum(main), kPlain);

  run = run_cli({"mode", folder(), "dev", "--password", "KELP591"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(plain_sum(main), kPlain);
  EXPECT_EQ(plain_sum(session.set_db_path), kPlain);

  run = run_cli({"mode", folder(), "normal"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(plain_sum(main), kPlain);
  EXPECT_NE(plain_sum(session.set_db_path), kPlain);
}

}  // namespace
}  // namespace vemo::test

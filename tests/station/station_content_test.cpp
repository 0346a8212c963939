// The shipped content through the real engine: templates load, map addresses lie inside their
// templates, every stored statement runs and fills its page on a demo station.
#include "station/station_content.h"
#include "document/cell_map.h"
#include "document/key_template.h"
#include "platform/cell_address.h"
#include "platform/page_template.h"
#include "platform/recordset.h"
#include "platform/sheet.h"
#include "reports/report_engine.h"
#include "station_fixture.h"

#include <QFile>

namespace vemo::test {
namespace {

QString golden_path(const QString& name) {
  return QStringLiteral(VEMO_STATION_TESTS) + QStringLiteral("/golden/") + name;
}

// Page -> parameter text: the reports from the golden list, documents keyed by demo records.
QMap<QString, QString> page_parameters(Session& session) {
  QMap<QString, QString> params;
  QFile file(golden_path(QStringLiteral("params.tsv")));
  if (file.open(QIODevice::ReadOnly)) {
    const auto tsv = parse_tsv(file.readAll());
    if (tsv) {
      for (const auto& row : tsv->rows) params[row[0].value_or("")] = row[1].value_or("");
    }
  }
  auto first = [&](const QString& sql) {
    auto rs = open_query(session, session.main_conn, sql);
    return rs->Eof() ? QString() : rs->Text(0);
  };
  const QString waybill = first(QStringLiteral("select ysth from yswtd1 order by ysth"));
  for (const char* page : {"货物运单"}) params[page] = waybill;
  params[QStringLiteral("运输货票")] =
      first(QStringLiteral("select ysth || '*' || hpbh from yshp1 order by ysth, hpbh"));
  const std::pair<const char*, const char*> slips[] = {{"汽车运输凭证（接货单）", "qcyspz1_jhd"},
                                                       {"汽车运输凭证（送货单）", "qcyspz1_shd"},
                                                       {"入库单（发送）", "rkd1_fs"},
                                                       {"出库单（发送）", "ckd1_fs"},
                                                       {"入库单（到达）", "rkd1_dd"},
                                                       {"出库单（到达）", "ckd1_dd"}};
  for (const auto& [page, table] : slips) {
    params[page] = first(QStringLiteral("select ysth from ") + table + " order by ysth");
  }
  params[QStringLiteral("客户登记表")] =
      first(QStringLiteral("select fhdwmc from yswtd1 order by ysth"));
  return params;
}

QStringList catalog_pages(Session& session) {
  QStringList pages;
  auto rs =
      open_query(session, session.main_conn, QStringLiteral("select bbm from bb order by bh"));
  for (; !rs->Eof(); rs->MoveNext()) pages << rs->Text(0);
  return pages;
}

int filled_cells(const Sheet& sheet) {
  int count = 0;
  for (int r = 1; r <= sheet.used_rows(); ++r) {
    for (int c = 1; c <= sheet.used_columns(); ++c) {
      if (!sheet.display_text({r, c}).isEmpty()) ++count;
    }
  }
  return count;
}

using StationContentTest = DemoStation;

TEST_F(StationContentTest, TemplatesLoadAndMapAddressesLieInside) {
  const QStringList pages = catalog_pages(session);
  ASSERT_EQ(pages.size(), 29);
  for (const QString& page : pages) {
    Sheet sheet;
    ASSERT_TRUE(load_template(sheet, folder() + '/' + page + ".htm")) << page;
    ASSERT_TRUE(load_template(sheet, folder() + "/out_excel/" + page + ".htm")) << page;
    const int rows = sheet.used_rows();
    const int columns = sheet.used_columns();
    for (const MapRow& row : read_cell_map(session, session.main_conn, page)) {
      for (const auto& cell : {row.first_cell(), row.last_cell()}) {
        ASSERT_TRUE(cell.has_value()) << page << ": " << row.exceldz;
        EXPECT_TRUE(cell->row <= rows && cell->col <= columns)
            << page << ": " << row.exceldz << " " << row.mline << " outside " << rows << "x"
            << columns;
      }
    }
  }
}

TEST_F(StationContentTest, EveryStatementRunsAndFillsItsPage) {
  const auto params = page_parameters(session);
  auto statements =
      open_query(session, session.main_conn, QStringLiteral("select * from sql_查询"));
  int count = 0;
  for (; !statements->Eof(); statements->MoveNext(), ++count) {
    const QString page = statements->Text(QStringLiteral("excel_table_name"));
    ASSERT_TRUE(params.contains(page)) << page;
    const QString sql = statements->Text(QStringLiteral("sql_name")) +
                        statements->Text(QStringLiteral("sql_name_ex")) +
                        statements->Text(QStringLiteral("sql_name_exe"));
    Connection main;
    ASSERT_TRUE(main.open(session.main_db_path));
    auto rs = main.open_recordset(fill_key_template(sql, params[page]));
    EXPECT_TRUE(rs->IsOpen()) << page << ": " << sql << ": " << main.error_string();
  }
  EXPECT_GT(count, 29);

  for (const QString& page : catalog_pages(session)) {
    Sheet sheet;
    ASSERT_TRUE(load_template(sheet, folder() + '/' + page + ".htm"));
    sheet.set_name(page);
    session.active_sheet_name = [&sheet] { return sheet.name(); };
    const int before = filled_cells(sheet);
    auto prompts = std::make_shared<ScriptedPrompts>();
    session.prompts = prompts;
    sheet.set_enable_events(false);
    run_sheet_queries(session, session.main_conn, params[page], sheet);
    EXPECT_TRUE(prompts->texts().isEmpty()) << page << ": " << prompts->texts().join('|');
    EXPECT_GT(filled_cells(sheet), before) << page << " stays empty for " << params[page];
  }
}

}  // namespace
}  // namespace vemo::test

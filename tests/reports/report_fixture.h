// A station in miniature for report tests: a main and a settings database on disk, a
// page with its cell map and statements, a sheet and scripted prompts.
#pragma once

#include "data/connections.h"
#include "platform/sheet.h"
#include "session/session.h"
#include "support/db_helpers.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace vemo::test {

inline const QString kPage = QStringLiteral("测试报表");

class ReportFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    session.set_station_folder(dir.path());
    session.dev_marker = kDeveloperMarker;
    session.prompts = prompts;
    session.active_sheet_name = [this] { return sheet.name(); };
    for (const QString& path : {session.main_db_path, session.set_db_path}) {
      Connection c;
      ASSERT_TRUE(c.open(path, OpenMode::CreateIfMissing));
    }
    session.main_conn = open_connection(session, session.main_db_path);
    session.set_conn = open_connection(session, session.set_db_path);
    settings(
        {"create table bb (bbm text, flag text, bh integer, ysthdz text, gjz text, gjz_zdm "
         "text, sy_bm text, gstb_wz text, key text)",
         "create table sql_查询 (excel_table_name text, table_name text, sql_name text, "
         "sql_name_ex text, sql_name_exe text, \"add\" text)"});
    make_page(kPage);
  }

  void make_page(const QString& page, const QString& key = QString()) {
    sheet.set_name(page);
    settings({"insert into bb (bbm, flag, bh, key) values ('" + page + "', 'A', 1, " +
                  (key.isEmpty() ? QStringLiteral("null") : "'" + key + "'") + ")",
              "create table " + page +
                  " (zdm text, exceldz text, mline text, bh integer, out_cl text, fh_width text, "
                  "hz_sum text, fx_zh text, fx_tj text, excel_zhtj text, sql_zhtj text)"});
  }

  void settings(std::initializer_list<QString> statements) {
    run_statements(*session.set_conn.jet, statements);
  }
  void main_db(std::initializer_list<QString> statements) {
    run_statements(*session.main_conn.jet, statements);
  }

  // A cell-map row of the page on screen: zdm, address, and optional columns by name.
  void map(const QString& zdm, const QString& address, const QString& extra_columns = QString(),
           const QString& extra_values = QString()) {
    const QString page = sheet.name();
    settings({"insert into " + page + " (zdm, exceldz" +
              (extra_columns.isEmpty() ? QString() : ", " + extra_columns) + ") values ('" + zdm +
              "', '" + page + "." + address + "'" +
              (extra_values.isEmpty() ? QString() : ", " + extra_values) + ")"});
  }

  void statement(const QString& table, const QString& sql, bool stacks = false) {
    QString quoted = sql;
    quoted.replace("'", "''");
    settings({"insert into sql_查询 values ('" + sheet.name() + "', '" + table + "', '" + quoted +
              "', null, null, " + (stacks ? QStringLiteral("'add'") : QStringLiteral("null")) +
              ")"});
  }

  QString text(const char* address) { return sheet.range(QString::fromLatin1(address)).text(); }

  TempDir dir;
  Session session;
  Sheet sheet;
  std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();
};

}  // namespace vemo::test

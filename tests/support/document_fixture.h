// A station in miniature for document tests: real main and settings databases, a small
// waybill page with its cell map, cell actions, stored SQL and users, the session's own
// page and scripted prompts.
#pragma once

#include "support/db_helpers.h"

#include "data/connections.h"
#include "platform/sheet.h"
#include "session/session.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace vemo::test {

inline const QString kWaybillPage = QStringLiteral("货物运单");

class DocumentFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    session.set_station_folder(dir.path());
    session.prompts = prompts;
    session.user_name = QStringLiteral("张三");
    session.user_role = QStringLiteral("W");
    session.user_right = QStringLiteral("W");
    session.sheet_edit_mode = kEditGuardArmed;
    session.form1.Check2 = false;  // cell by cell unless a test ticks the box
    for (const QString& path : {session.main_db_path, session.set_db_path}) {
      Connection c;
      ASSERT_TRUE(c.open(path, OpenMode::CreateIfMissing));
    }
    session.main_conn = open_connection(session, session.main_db_path);
    session.set_conn = open_connection(session, session.set_db_path);
    // Test files need no durability; without syncs a fixture builds in milliseconds.
    main_db({"pragma synchronous=off"});
    settings({"pragma synchronous=off"});
    main_db(
        {"create table yswtd1 (ysth text collate nocase, fhr text collate nocase, yf real, "
         "dx text, zje real, zje2 real, zdr text)",
         "create table yswtd2 (ysth text collate nocase, fh_wz integer, hm text, js real, "
         "je real)",
         "create table qr_table (bh integer primary key autoincrement, ysth text collate "
         "nocase, queren text, qr_ren text, qr_sj date)",
         "create table ws_gxq (username text collate nocase, mm text, userright text, "
         "fw_b1 text, fw_b2 text, fw_b3 text)",
         "create table celldxx (exceldz1 text, exceldz2 text)",
         "insert into ws_gxq values ('张三', '1', 'W', 'ALL', null, null)",
         "insert into ws_gxq values ('管理员', '1', 'ADMIN', 'ALL', null, null)",
         "insert into ws_gxq values ('只读', '1', 'R', 'ALL', null, null)",
         "insert into celldxx values ('货物运单.B4', '货物运单.C4')"});
    settings(
        {"create table bb (bbm text, flag text, bh integer, ysthdz text, gjz text, "
         "gjz_zdm text, sy_bm text, gstb_wz text, key text)",
         "create table cellact (exceldz text, act text)",
         "create table sql_查询 (excel_table_name text, table_name text, sql_name text, "
         "sql_name_ex text, sql_name_exe text, \"add\" text)",
         "insert into bb (bbm, flag, bh, ysthdz, gstb_wz) values ('货物运单', 'A', 1, "
         "'M2', '600,240')",
         "insert into cellact values ('货物运单.M2', 'write_mdb')"});
    make_map(kWaybillPage);
    // The waybill page: number, shipper, prepaid amount with its capital copy, three goods
    // lines, a total with its capital amount, a chained formula and the maker.
    waybill_map({{"yswtd1.ysth", "M2", "1", "wbd"},
                 {"yswtd1.fhr", "B3", "2"},
                 {"yswtd1.yf", "B4", "3"},
                 {"yswtd1.dx", "C4", "888"},
                 {"yswtd2.hm", "B6", "4", "", "B8"},
                 {"yswtd2.js", "C6", "5", "", "C8"},
                 {"yswtd2.je", "D6", "6", "", "D8"},
                 {"yswtd1.zje", "F10", "7", "", "", "=D6+D7+D8", "F11", "元#角#分;2"},
                 {"yswtd1.zje2", "G10", "8", "", "", "=F10*2"},
                 {"yswtd1.zdr", "E2", "999"}});
    sheet().set_name(kWaybillPage);
    statement("yswtd1", "select * from yswtd1 where ysth=';'");
    statement("yswtd2", "select * from yswtd2 where ysth=';' order by fh_wz");
  }

  struct MapLine {
    QString zdm{}, address{}, bh{}, out_cl{}, mline{}, jsbds{}, zhxdz{}, dw{}, fh_width{};
  };

  void make_map(const QString& page) {
    settings({"create table " + page +
              " (zdm text, exceldz text, mline text, bh integer, jsbds text, zhxdz text, dw "
              "text, fh_width text, out_cl text)"});
  }

  void map_rows(const QString& page, std::initializer_list<MapLine> lines) {
    for (const MapLine& l : lines) {
      auto q = [](const QString& v) {
        return v.isEmpty() ? QStringLiteral("null") : "'" + v + "'";
      };
      auto ref = [&](const QString& a) { return a.isEmpty() ? QString() : page + "." + a; };
      settings({"insert into " + page + " values (" + q(l.zdm) + ", " + q(ref(l.address)) + ", " +
                q(ref(l.mline)) + ", " + (l.bh.isEmpty() ? "null" : l.bh) + ", " +
                (l.jsbds.isEmpty() ? "'nullstring'" : q(l.jsbds)) + ", " + q(l.zhxdz) + ", " +
                q(l.dw) + ", " + q(l.fh_width) + ", " + q(l.out_cl) + ")"});
    }
  }
  void waybill_map(std::initializer_list<MapLine> lines) { map_rows(kWaybillPage, lines); }

  void statement(const QString& table, const QString& sql) {
    QString quoted = sql;
    quoted.replace("'", "''");
    settings({"insert into sql_查询 values ('" + sheet().name() + "', '" + table + "', '" + quoted +
              "', null, null, null)"});
  }

  void settings(std::initializer_list<QString> statements) {
    run_statements(*session.set_conn.jet, statements);
  }
  void main_db(std::initializer_list<QString> statements) {
    run_statements(*session.main_conn.jet, statements);
  }

  // Rows of a query on the main database, columns joined with '|'.
  QStringList rows(const QString& sql) { return query_rows(*session.main_conn.jet, sql); }

  Sheet& sheet() { return session.Spreadsheet1; }
  QString text(const QString& address) { return sheet().range(address).text(); }
  // Typed into the page as the user would: the value, without any event.
  void put(const QString& address, const QString& input) {
    sheet().set_enable_events(false);
    sheet().range(address).set_value(input);
    sheet().set_enable_events(true);
  }

  TempDir dir;
  Session session;
  std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();
};

}  // namespace vemo::test

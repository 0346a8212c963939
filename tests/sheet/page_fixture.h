// A small station for the page's event handling: real main and settings databases, the
// waybill, freight-ticket, warehouse-slip and report pages as templates with their cell maps,
// stored SQL, choice lists, and the session's page wired to the handlers.
#pragma once

#include "support/db_helpers.h"

#include "data/connections.h"
#include "document/open_document.h"
#include "platform/cell_address.h"
#include "platform/sheet.h"
#include "session/session.h"
#include "sheet/page_events.h"
#include "support/temp_dir.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <optional>

namespace vemo::test {

inline const QString kInSlip = QStringLiteral("入库单（到达）");
inline const QString kOutSlip = QStringLiteral("出库单（到达）");
inline const QString kReport = QStringLiteral("运量统计表");

class PageFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    session.set_station_folder(dir.path());
    session.prompts = prompts;
    session.user_name = QStringLiteral("张三");
    session.user_role = QStringLiteral("W");
    session.user_right = QStringLiteral("W");
    session.user_scope = QStringLiteral("ALL");
    session.start_station = QStringLiteral("昆明");
    for (const QString& path : {session.main_db_path, session.set_db_path}) {
      Connection c;
      ASSERT_TRUE(c.open(path, OpenMode::CreateIfMissing));
    }
    session.main_conn = open_connection(session, session.main_db_path);
    session.set_conn = open_connection(session, session.set_db_path);
    main_db({"pragma synchronous=off"});
    settings({"pragma synchronous=off"});
    main_db(
        {"create table yswtd1 (ysth text collate nocase, rq text, fz text, fhdwmc text "
         "collate nocase, fhdwdz text, fhdwdh text, fhdwsj text, shdwmc text collate nocase, "
         "shdwdz text, shdwdh text, shdwsj text, zje real, dx text, zdr text)",
         "create table yswtd2 (ysth text collate nocase, fh_wz integer, hm text, js real, "
         "tj real, zl real)",
         "create table yshp1 (ysth text collate nocase, hpbh text, rq text, hj real, jz "
         "real, xj real, ds real)",
         "create table rkd2_dd (ysth text collate nocase, fh_wz integer, js real, tj real, "
         "zl real)",
         "create table ckd2_dd (ysth text collate nocase, fh_wz integer, js real, tj real, "
         "zl real)",
         "create table qr_table (bh integer primary key autoincrement, ysth text collate "
         "nocase, queren text, qr_ren text, qr_sj date)",
         "create table ws_gxq (username text collate nocase, mm text, userright text, "
         "fw_b1 text, fw_b2 text, fw_b3 text)",
         "create table celldxx (exceldz1 text, exceldz2 text)",
         "insert into ws_gxq values ('张三', '1', 'W', 'ALL', null, null)"});
    settings(
        {"create table bb (bbm text, flag text, bh integer, ysthdz text, gjz text, "
         "gjz_zdm text, sy_bm text, gstb_wz text, key text)",
         "create table cellact (exceldz text, act text)",
         "create table sql_查询 (excel_table_name text, table_name text, sql_name text, "
         "sql_name_ex text, sql_name_exe text, \"add\" text)"});
    waybill_page();
    ticket_page();
    slip_page(kInSlip);
    slip_page(kOutSlip);
    report_page();
    for (const QString& page : {kWaybillDocument, kTicketDocument, kInSlip, kOutSlip, kReport})
      session.form1.TreeView1.push_back({QString(), page});
    connect_page_events(session, sheet());
  }

  // --- the pages -----------------------------------------------------------------------

  void waybill_page() {
    const QString p = kWaybillDocument;
    catalog(p, "M2");
    settings({"insert into cellact values ('货物运单.M2', 'write_mdb')"});
    map(p, {{"yswtd1.ysth", "M2", "1", "wbd"},
            {"yswtd1.rq", "C4:D4", "2"},
            {"yswtd1.fz", "C5:D5", "3"},
            {"yswtd1.fhdwmc", "D6:H6", "4"},
            {"yswtd1.fhdwdz", "D7:H7", "5"},
            {"yswtd1.fhdwdh", "K6:M6", "6"},
            {"yswtd1.fhdwsj", "K7:M7", "7"},
            {"yswtd1.shdwmc", "D8:H8", "8"},
            {"yswtd2.hm", "B12", "9", "", "B14"},
            {"yswtd2.js", "C12", "10", "", "C14"},
            {"yswtd2.tj", "D12", "11", "", "D14"},
            {"yswtd2.zl", "E12", "12", "", "E14"},
            {"yswtd1.zje", "F16", "13", "", "", "", "G16:M16", "元#角#分;2"},
            {"yswtd1.zdr", "K2", "999"}});
    statement(p, "yswtd1", "select * from yswtd1 where ysth=';'");
    statement(p, "yswtd2", "select * from yswtd2 where ysth=';' order by fh_wz");
    page_template(p, 20, 13,
                  {"C4:D4", "C5:D5", "D6:H6", "D7:H7", "K6:M6", "K7:M7", "D8:H8", "D9:H9", "K8:M8",
                   "K9:M9", "G16:M16"},
                  {"M2", "K6", "K7"});
    settings({"create table 货物运单_pop (exceldz text, popnr text, bz text)",
              "insert into 货物运单_pop values ('C5:D5', '发站：,1.昆明,2.大理,', null)",
              "insert into 货物运单_pop values ('B12', '品名：,1.日用品,2.规格=10kg,', null)",
              "insert into 货物运单_pop values ('D6:H6', '发货单位：,1.甲公司,', null)",
              "insert into 货物运单_pop values ('C4:D4', '日期：,date,', null)",
              "insert into 货物运单_pop values ('E2', '运输方式：', null)",
              "insert into 货物运单_pop values ('B3', "
              "'运输方式：,1.汽车运输,2.行包快运,3.铁路', null)"});
  }

  void ticket_page() {
    const QString p = kTicketDocument;
    catalog(p, "G4:H4");
    map(p, {{"yshp1.ysth", "G4:H4", "1", "wbd"},
            {"yshp1.hpbh", "T2", "2"},
            {"yshp1.rq", "J4:L4", "3"},
            {"yshp1.hj", "D18:L18", "4"},
            {"yshp1.jz", "M19:O19", "5"},
            {"yshp1.xj", "P19:R19", "6"},
            {"yshp1.ds", "S19:U19", "7"}});
    // The ticket page shows the waybill's number even before the ticket exists.
    statement(p, "yshp1",
              "select yswtd1.ysth as ysth, yshp1.hpbh as hpbh, yshp1.rq as rq, yshp1.hj as hj, "
              "yshp1.jz as jz, yshp1.xj as xj, yshp1.ds as ds from yswtd1 left join yshp1 on "
              "yshp1.ysth = yswtd1.ysth where yswtd1.ysth=';'");
    page_template(p, 20, 21, {"G4:H4", "J4:L4", "D18:L18", "M19:O19", "P19:R19", "S19:U19"},
                  {"T2", "G4"});
    settings({"create table 运输货票_pop (exceldz text, popnr text, bz text)",
              "insert into 运输货票_pop values ('T2', '运输方式：,9.旧,', null)",
              "insert into 运输货票_pop values ('J4:L4', '结算方式：,1.现结,', null)",
              "insert into 运输货票_pop values ('M19:O19', '无标题', null)"});
  }

  void slip_page(const QString& p) {
    const QString in = p == kInSlip ? QStringLiteral("rkd2_dd") : QStringLiteral("ckd2_dd");
    catalog(p, "I3");
    map(p, {{in + ".ysth", "I3", "1", "wbd"},
            {in + ".js", "F8", "2", "", "F10"},
            {in + ".tj", "G8", "3", "", "G10"},
            {in + ".zl", "H8", "4", "", "H10"}});
    statement(p, in, "select * from " + in + " where ysth=';' order by fh_wz");
    page_template(p, 12, 9, {}, {"I3"});
  }

  // A report whose two parameters, station and month, are its key cells.
  void report_page() {
    const QString p = kReport;
    catalog(p, "B2*D2");
    map(p, {{"cs.fz", "B2", "1", "wbd"},
            {"cs.yf", "D2", "2", "wbd"},
            {"yl.ysth", "A5", "3", "", "A9"},
            {"yl.zje", "B5", "4", "", "B9"}});
    statement(p, "yl",
              "select ysth, zje from yswtd1 where fz=';' and substr(rq,1,7)=';' order by "
              "ysth");
    page_template(p, 10, 5, {}, {"B2", "D2"});
    settings({"create table 运量统计表_pop (exceldz text, popnr text)",
              "insert into 运量统计表_pop values ('B2', '发站：,1.昆明,2.大理,')",
              "insert into 运量统计表_pop values ('D2', '月份：,1.2024-03,2.2024-04,')"});
  }

  // --- building blocks -----------------------------------------------------------------

  struct MapLine {
    QString zdm{}, address{}, bh{}, out_cl{}, mline{}, jsbds{}, zhxdz{}, dw{};
  };

  void catalog(const QString& page, const QString& key_cells) {
    settings({"insert into bb (bbm, flag, bh, ysthdz, gstb_wz) values ('" + page + "', 'A', 1, '" +
              key_cells + "', '600,240')"});
  }

  void map(const QString& page, std::initializer_list<MapLine> lines) {
    settings({"create table " + page +
              " (zdm text, exceldz text, mline text, bh integer, jsbds text, zhxdz text, dw "
              "text, fh_width text, out_cl text)"});
    auto q = [](const QString& v) { return v.isEmpty() ? QStringLiteral("null") : "'" + v + "'"; };
    auto ref = [&](const QString& a) { return a.isEmpty() ? QString() : page + "." + a; };
    for (const MapLine& l : lines) {
      settings({"insert into " + page + " values (" + q(l.zdm) + ", " + q(ref(l.address)) + ", " +
                q(ref(l.mline)) + ", " + l.bh + ", " +
                (l.jsbds.isEmpty() ? "'nullstring'" : q(l.jsbds)) + ", " + q(l.zhxdz) + ", " +
                q(l.dw) + ", null, " + q(l.out_cl) + ")"});
    }
  }

  void statement(const QString& page, const QString& table, QString sql) {
    sql.replace("'", "''");
    settings({"insert into sql_查询 values ('" + page + "', '" + table + "', '" + sql +
              "', null, null, null)"});
  }

  // A blank page of rows x columns with merged areas and cells formatted as text.
  void page_template(const QString& page, int rows, int columns, const QStringList& merges,
                     const QStringList& text_cells) {
    std::vector<CellArea> areas;
    for (const QString& m : merges) areas.push_back(*parse_area_address(m));
    auto area_at = [&](int r, int c) -> std::optional<CellArea> {
      for (const CellArea& a : areas)
        if (r >= a.top && r <= a.bottom && c >= a.left && c <= a.right) return a;
      return std::nullopt;
    };
    QString html = "<html><head><meta charset=\"utf-8\"></head><body><table>";
    for (int r = 1; r <= rows; ++r) {
      html += "<tr>";
      for (int c = 1; c <= columns; ++c) {
        const auto a = area_at(r, c);
        if (a && (a->top != r || a->left != c)) continue;
        html += "<td";
        if (a) html += QString(" colspan=\"%1\"").arg(a->right - a->left + 1);
        if (text_cells.contains(cell_address_text({r, c}))) html += " data-format=\"@\"";
        html += "></td>";
      }
      html += "</tr>";
    }
    html += "</table></body></html>";
    QFile file(dir.file(page + ".htm"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(html.toUtf8());
  }

  void settings(std::initializer_list<QString> statements) {
    run_statements(*session.set_conn.jet, statements);
  }
  void main_db(std::initializer_list<QString> statements) {
    run_statements(*session.main_conn.jet, statements);
  }

  // Rows of a query on the main database, columns joined with '|'.
  QStringList rows(const QString& sql) { return query_rows(*session.main_conn.jet, sql); }

  // --- the clerk -----------------------------------------------------------------------

  // Opens a page as a click in the tree does, with the focus on the grid.
  void open(const QString& page) {
    ASSERT_TRUE(open_document(session, page));
    session.sheet_edit_mode = kEditGuardArmed;
    sheet().user_focus_in();
  }
  CellPos pos(const QString& address) { return parse_area_address(address)->first(); }
  void select(const QString& address) { sheet().user_select(*parse_area_address(address)); }
  // Selects the cell, types the text and presses Enter, as at the keyboard.
  void type(const QString& address, const QString& text) {
    select(address);
    ASSERT_TRUE(sheet().user_begin_edit(pos(address))) << address.toStdString();
    ASSERT_TRUE(sheet().user_edit(pos(address), text)) << address.toStdString();
    sheet().user_key(kKeyEnter);
  }
  void key(int code) { sheet().user_key(code); }
  // Puts a value on the page without any event.
  void put(const QString& address, const QString& input) {
    sheet().set_enable_events(false);
    sheet().range(address).set_value(input);
    sheet().set_enable_events(true);
  }

  Sheet& sheet() { return session.Spreadsheet1; }
  QString text(const QString& address) { return sheet().range(address).text(); }

  TempDir dir;
  Session session;
  std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();
};

}  // namespace vemo::test

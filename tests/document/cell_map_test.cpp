// Cell maps: matching cells to map rows, block line geometry, page key and protection on
// real settings databases and sheets.
#include "document/cell_map.h"
#include "data/connections.h"
#include "document/catalog.h"
#include "platform/sheet.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

MapRow map_row(const char* exceldz, const char* mline = "", const char* fh_width = "") {
  MapRow row;
  row.exceldz = QString::fromUtf8(exceldz);
  row.mline = QString::fromUtf8(mline);
  row.fh_width = QString::fromUtf8(fh_width);
  return row;
}

TEST(CellMap, MatchesSingleCellsAndBlockCells) {
  const MapRow single = map_row("货物运单.M2");
  const MapRow merged = map_row("货物运单.D6:H6");
  const MapRow block = map_row("货物运单.C12", "货物运单.C16");
  const struct {
    const MapRow* row;
    CellPos cell;
    MatchRule rule;
    bool matches;
  } cases[] = {
      {&single, {2, 13}, MatchRule::BlockOrFirstCell, true},
      {&single, {3, 13}, MatchRule::BlockOrFirstCell, false},
      {&merged, {6, 4}, MatchRule::BlockOrFirstCell, true},
      {&merged, {6, 5}, MatchRule::BlockOrFirstCell, false},  // by its first cell
      {&block, {12, 3}, MatchRule::BlockOrFirstCell, true},   // first row of the block
      {&block, {14, 3}, MatchRule::BlockOrFirstCell, true},
      {&block, {16, 3}, MatchRule::BlockOrFirstCell, true},
      {&block, {17, 3}, MatchRule::BlockOrFirstCell, false},  // one row below mline
      {&block, {14, 4}, MatchRule::BlockOrFirstCell, false},
      {&block, {12, 3}, MatchRule::SingleOrBlock, true},
      {&single, {2, 13}, MatchRule::SingleOrBlock, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(map_row_matches(*c.row, c.cell, c.rule), c.matches)
        << c.row->exceldz.toStdString() << " at " << c.cell.row << "," << c.cell.col;
  }
  const std::vector<MapRow> rows = {single, block, map_row("货物运单.C12")};
  EXPECT_EQ(match_map_row(rows, {12, 3}), &rows[1]);  // the first matching row wins
}

TEST(CellMap, LineNumbersFollowRowsOrFhWidth) {
  const MapRow plain = map_row("x.C12", "x.C16");
  const MapRow spaced = map_row("x.C2", "x.C14", "10*12*14");
  const struct {
    const MapRow* row;
    int sheet_row;
    int line;
  } cases[] = {
      {&plain, 12, 1},  {&plain, 16, 5},  {&plain, 17, 0},  {&plain, 11, 0},
      {&spaced, 1, 0},  {&spaced, 2, 1},  {&spaced, 10, 1}, {&spaced, 11, 2},
      {&spaced, 12, 2}, {&spaced, 13, 3}, {&spaced, 14, 3}, {&spaced, 15, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(block_line_of_row(*c.row, c.sheet_row), c.line) << c.sheet_row;
  }
  EXPECT_EQ(block_row_of_line(plain, 3), 14);
  EXPECT_EQ(block_row_of_line(spaced, 2), 12);
  EXPECT_EQ(block_row_of_line(spaced, 4), 0);
}

class PageFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    session.set_station_folder(dir.path());
    session.dev_marker = kDeveloperMarker;
    session.active_sheet_name = [this] { return sheet.name(); };
    Connection settings;
    ASSERT_TRUE(settings.open(session.set_db_path, OpenMode::CreateIfMissing));
    for (const char* sql : {
             "create table bb (bbm text, flag text, bh integer, ysthdz text, gjz text, gjz_zdm "
             "text, sy_bm text, gstb_wz text, key text)",
             "insert into bb values ('运输货票', 'A', 2, 'G4:H4*T2', null, null, null, null, null)",
             "insert into bb values ('货物运单', 'A', 1, 'M2', null, null, null, null, null)",
             "create table 运输货票 (zdm text, exceldz text, mline text, bh integer)",
             "insert into 运输货票 values ('yshp1.ysth', '运输货票.G4:H4', null, 1)",
             "insert into 运输货票 values ('yshp2.hm', '运输货票.C12', '运输货票.C14', 2)",
             "create table 货物运单 (zdm text, exceldz text, mline text, bh integer)",
             "insert into 货物运单 values ('yswtd1.ysth', '货物运单.M2', null, 1)",
             "insert into 货物运单 values ('yswtd1.bz', '货物运单.B999', null, 2)",
         }) {
      ASSERT_TRUE(settings.execute(QString::fromUtf8(sql))) << sql;
    }
    settings.close();
    session.set_conn = open_connection(session, session.set_db_path);
  }

  test::TempDir dir;
  Session session;
  Sheet sheet;
};

TEST_F(PageFixture, PageKeyJoinsTrimmedKeyCells) {
  sheet.set_name(QString::fromUtf8("运输货票"));
  sheet.merge(*parse_area_address("G4:H4"));
  sheet.range("G4").set_value(" 1001 ");
  sheet.range("T2").set_value("'7");
  EXPECT_EQ(read_page_ysth(session, session.main_conn, sheet), "1001*7");
  sheet.range("G4").set_value("");
  EXPECT_EQ(read_page_ysth(session, session.main_conn, sheet), "*7");
  sheet.set_name(QString::fromUtf8("不在目录"));
  EXPECT_EQ(read_page_ysth(session, session.main_conn, sheet), "");
}

TEST_F(PageFixture, ProtectionUnlocksMappedCellsOnly) {
  sheet.set_name(QString::fromUtf8("运输货票"));
  sheet.merge(*parse_area_address("G4:H4"));
  protect_page(session, session.main_conn, sheet);
  EXPECT_TRUE(sheet.is_protected());
  EXPECT_FALSE(sheet.locked({4, 7}));
  EXPECT_FALSE(sheet.locked({13, 3}));
  EXPECT_TRUE(sheet.locked({15, 3}));
  EXPECT_TRUE(sheet.locked({2, 13}));
  const map_row_info info = find_map_row(session, session.main_conn, sheet, "C13");
  EXPECT_EQ(info.exceldz, QString::fromUtf8("运输货票.C12"));
  EXPECT_EQ(info.mline, QString::fromUtf8("运输货票.C14"));
  EXPECT_TRUE(find_map_row(session, session.main_conn, sheet, "C15").exceldz.isEmpty());
}

TEST_F(PageFixture, ARowOn999LeavesThePageUnprotected) {
  sheet.set_name(QString::fromUtf8("货物运单"));
  protect_page(session, session.main_conn, sheet);
  EXPECT_FALSE(sheet.is_protected());
  EXPECT_FALSE(sheet.locked({2, 13}));
}

TEST_F(PageFixture, MissingMapLeavesEverythingLocked) {
  sheet.set_name(QString::fromUtf8("没有这一页"));
  protect_page(session, session.main_conn, sheet);
  EXPECT_TRUE(sheet.is_protected());
  EXPECT_TRUE(find_map_row(session, session.main_conn, sheet, "A1").exceldz.isEmpty());
}

}  // namespace
}  // namespace vemo

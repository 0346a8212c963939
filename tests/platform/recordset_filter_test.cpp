// Filter and Find: criteria syntax, awkward values, letter case, and the same answers
// whether the filter runs in SQLite (pushed down) or in memory.
#include "sqlite_fixture.h"

#include <sqlite3.h>

namespace vemo::test {
namespace {

class RecordsetFilter : public SqliteFixture {
 protected:
  void SetUp() override {
    SqliteFixture::SetUp();
    run({"create table w (ysth text collate nocase, js integer, mm text, bz text, rq date)",
         "create index w_ysth on w (ysth)",
         "insert into w values ('O''Brien', 1, 'Secret', 'x', '2004-01-05'), "
         "('x and y', 2, 'secret', 'y', '2004-01-06'), ('a)b', 3, null, 'Name', null), "
         "('#1#', 4, 'p', null, '2004-02-01'), ('a*b', 5, 'p', 'x', null), "
         "('bb', 6, 'p', 'y', null), ('BB-1', 7, 'p', 'x', null), ('成都', 8, 'p', '昆明', null), "
         "('a_b', 9, 'p', 'x', null), ('axb', 10, 'p', 'x', null)"});
  }

  // The recordset opened three ways: table with the filter first (pushed down), table
  // already read (in memory), and a statement.
  std::vector<std::pair<const char*, std::unique_ptr<Recordset>>> three_ways() {
    std::vector<std::pair<const char*, std::unique_ptr<Recordset>>> out;
    out.emplace_back("pushed down", db_.open_table_recordset("w"));
    auto loaded = db_.open_table_recordset("w");
    loaded->RecordCount();
    out.emplace_back("in memory", std::move(loaded));
    out.emplace_back("statement", db_.open_recordset("select * from w"));
    return out;
  }
};

TEST_F(RecordsetFilter, SelectsTheSameRowsEveryWay) {
  const struct {
    const char* criteria;
    QStringList keys;
  } cases[] = {
      {"ysth = 'O''Brien'", {"O'Brien"}},
      {"ysth='x and y'", {"x and y"}},
      {"ysth = 'a)b'", {"a)b"}},
      {"ysth='#1#'", {"#1#"}},
      {"ysth = 'a*b'", {"a*b"}},
      {"ysth = 'BB'", {"bb"}},
      {"YSTH = 'o''brien'", {"O'Brien"}},
      {"ysth like 'a*'", {"a)b", "a*b", "a_b", "axb"}},
      {"ysth like '%b'", {"a)b", "a*b", "bb", "a_b", "axb"}},
      {"ysth like 'bb*'", {"bb", "BB-1"}},
      {"ysth like 'a_b'", {"a_b"}},
      {"ysth like '成*'", {"成都"}},
      {"ysth = '成都'", {"成都"}},
      {"js > 8", {"a_b", "axb"}},
      {"js >= 9", {"a_b", "axb"}},
      {"js < 2", {"O'Brien"}},
      {"js <= 1.5", {"O'Brien"}},
      {"js = '2'", {"x and y"}},
      {"js <> 3 and js < 5", {"O'Brien", "x and y", "#1#"}},
      {"js > 2 and (bz = 'x' or bz = 'Y')", {"a*b", "bb", "BB-1", "a_b", "axb"}},
      {"(js < 2) or (ysth like '成*')", {"O'Brien", "成都"}},
      {"((ysth = 'bb')) or js = 1 and bz = 'none'", {"bb"}},
      {"mm = 'Secret'", {"O'Brien"}},
      {"MM='secret'", {"x and y"}},
      {"mm like 'sec*'", {"x and y"}},
      {"bz <> 'x'", {"x and y", "a)b", "bb", "成都"}},
      {"bz like '*A*'", {"a)b"}},
      {"rq = #2004/1/5#", {"O'Brien"}},
      {"rq >= '2004/1/6'", {"x and y", "#1#"}},
      {"[ysth] = 'bb'", {"bb"}},
      {"ysth = 'nothing'", {}},
  };
  for (const auto& c : cases) {
    for (auto& [way, rs] : three_ways()) {
      SCOPED_TRACE(std::string(c.criteria) + " / " + way);
      ASSERT_TRUE(rs->SetFilter(QString::fromUtf8(c.criteria)));
      EXPECT_EQ(rs->RecordCount(), c.keys.size());
      EXPECT_EQ(rs->AbsolutePosition(), c.keys.isEmpty() ? kPositionUnknown : 1);
      EXPECT_EQ(column(*rs, "ysth"), c.keys);
      EXPECT_EQ(rs->Filter(), QString::fromUtf8(c.criteria));
    }
  }
}

TEST_F(RecordsetFilter, MalformedCriteriaFailAndKeepTheView) {
  const char* bad[] = {"ysth = 'open",      "ysth =",         "nosuch = 1",
                       "(ysth = 'bb'",      "ysth = 'a' and", "ysth 'a'",
                       "ysth = 'a' )",      "= 'a'",          "js like 5",
                       "ysth = #1/5/2004#", "ysth ! 'a'",     "ysth = 'a' or or"};
  for (auto& [way, rs] : three_ways()) {
    ASSERT_TRUE(rs->SetFilter("js > 5"));
    rs->MoveNext();
    for (const char* criteria : bad) {
      SCOPED_TRACE(std::string(criteria) + " / " + way);
      EXPECT_FALSE(rs->SetFilter(QString::fromUtf8(criteria)));
      EXPECT_EQ(rs->Filter(), "js > 5");
      EXPECT_EQ(rs->RecordCount(), 5);
      EXPECT_FALSE(rs->Find(QString::fromUtf8(criteria)));
      EXPECT_EQ(rs->AbsolutePosition(), 2);
    }
  }
}

TEST_F(RecordsetFilter, EveryCutOfValidCriteriaIsHandled) {
  const QString full = "((ysth = 'O''Brien') or js >= 2.5) and bz like '*x*' or mm <> '#1#'";
  auto rs = db_.open_recordset("select * from w");
  for (int cut = 0; cut <= full.size(); ++cut) {
    const QString criteria = full.left(cut);
    ASSERT_TRUE(rs->SetFilter(""));
    const bool ok = rs->SetFilter(criteria);
    EXPECT_EQ(rs->Filter(), ok ? criteria.trimmed().isEmpty() ? QString() : criteria : QString());
    EXPECT_LE(rs->RecordCount(), 10);
    rs->MoveFirst();
    rs->Find(criteria);
  }
}

TEST_F(RecordsetFilter, FindSearchesForwardFromTheCurrentRecord) {
  auto rs = db_.open_recordset("select * from w order by js");
  EXPECT_TRUE(rs->Find("ysth like 'a*'"));
  EXPECT_EQ(rs->Text("ysth"), "a)b");
  EXPECT_TRUE(rs->Find("ysth like 'a*'"));  // the current record counts
  EXPECT_EQ(rs->Text("ysth"), "a)b");
  rs->MoveNext();
  EXPECT_TRUE(rs->Find("ysth like 'A*'"));
  EXPECT_EQ(rs->Text("ysth"), "a*b");
  EXPECT_FALSE(rs->Find("ysth = 'O''Brien'"));  // behind the current record
  EXPECT_TRUE(rs->Eof());
  rs->MoveFirst();
  EXPECT_TRUE(rs->Find("ysth = 'o''brien'"));
  EXPECT_EQ(rs->AbsolutePosition(), 1);

  ASSERT_TRUE(rs->SetFilter("bz = 'x'"));
  EXPECT_FALSE(rs->Find("ysth = 'x and y'"));  // outside the view
  EXPECT_TRUE(rs->Eof());
  rs->MovePrevious();
  EXPECT_EQ(rs->Text("ysth"), "axb");
}

TEST_F(RecordsetFilter, TableFilterRunsInSqliteWhenItTranslates) {
  QStringList statements;
  sqlite3_trace_v2(
      db_.handle(), SQLITE_TRACE_STMT,
      [](unsigned, void* context, void*, void* sql) {
        static_cast<QStringList*>(context)->append(QString::fromUtf8(static_cast<char*>(sql)));
        return 0;
      },
      &statements);
  auto rs = db_.open_table_recordset("w");
  EXPECT_TRUE(statements.isEmpty());  // nothing read before the first access
  ASSERT_TRUE(rs->SetFilter("ysth = 'bb'"));
  ASSERT_EQ(statements.size(), 1);
  EXPECT_TRUE(statements[0].contains("WHERE")) << statements[0].toStdString();
  EXPECT_EQ(rs->RecordCount(), 1);

  // Rows added meanwhile appear when a later filter needs the whole table.
  run({"insert into w (ysth, js) values ('new', 11)"});
  ASSERT_TRUE(rs->SetFilter(""));
  EXPECT_EQ(rs->RecordCount(), 11);

  auto exact = db_.open_table_recordset("w");  // the password column never goes NOCASE-like
  statements.clear();
  ASSERT_TRUE(exact->SetFilter("mm like 'Sec*'"));
  EXPECT_FALSE(statements.join(' ').contains("WHERE"));
  EXPECT_EQ(column(*exact, "ysth"), QStringList({"O'Brien"}));
  sqlite3_trace_v2(db_.handle(), 0, nullptr, nullptr);
}

TEST_F(RecordsetFilter, EditsUnderAPushedDownFilter) {
  auto rs = db_.open_table_recordset("w");
  ASSERT_TRUE(rs->SetFilter("ysth = 'bb'"));
  ASSERT_TRUE(rs->AddNew());
  rs->SetValue("ysth", QStringLiteral("bb"));
  rs->SetValue("js", QStringLiteral("12"));
  ASSERT_TRUE(rs->Update());
  EXPECT_EQ(rs->RecordCount(), 2);
  rs->MoveFirst();
  rs->SetValue("ysth", QStringLiteral("other"));
  ASSERT_TRUE(rs->Update());
  EXPECT_EQ(column(*rs, "ysth"), QStringList({"other", "bb"}));
  ASSERT_TRUE(rs->SetFilter("ysth = 'BB'"));
  EXPECT_EQ(column(*rs, "js"), QStringList({"12"}));
  ASSERT_TRUE(rs->SetFilter("js = 6"));
  EXPECT_EQ(column(*rs, "ysth"), QStringList({"other"}));
}

}  // namespace
}  // namespace vemo::test

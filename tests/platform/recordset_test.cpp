// Recordset movement, fields and types, write conversions, editing and failed opens.
#include "platform/number_text.h"
#include "sqlite_fixture.h"

#include <functional>

namespace vemo::test {
namespace {

class RecordsetTest : public SqliteFixture {
 protected:
  // Each way of opening the same rows: by table name and by statement.
  std::vector<std::function<std::unique_ptr<Recordset>()>> openers(const QString& table) {
    return {[this, table] { return db_.open_table_recordset(table); },
            [this, table] { return db_.open_recordset("select * from " + table + " order by k"); }};
  }

  QVariant stored(const QString& sql) {
    auto rs = db_.open_recordset(sql);
    return rs->Eof() ? QVariant(QStringLiteral("<no row>")) : rs->Value(0);
  }
};

TEST_F(RecordsetTest, MovesThroughEmptyOneAndManyRows) {
  run({"create table t0 (k text)", "create table t1 (k text)", "insert into t1 values ('a')",
       "create table t3 (k text)", "insert into t3 values ('a'), ('b'), ('c')"});
  for (const int n : {0, 1, 3}) {
    for (const auto& open : openers("t" + number_text(n))) {
      auto rs = open();
      SCOPED_TRACE(n);
      ASSERT_TRUE(rs->IsOpen());
      EXPECT_EQ(rs->RecordCount(), n);
      if (n == 0) {
        EXPECT_TRUE(rs->Bof());
        EXPECT_TRUE(rs->Eof());
        EXPECT_EQ(rs->AbsolutePosition(), kPositionUnknown);
        rs->MoveNext();
        rs->MovePrevious();
        EXPECT_TRUE(rs->Eof());
        EXPECT_TRUE(rs->Value(0).isNull());
        ASSERT_TRUE(rs->AddNew());
        EXPECT_FALSE(rs->Bof());  // the new record is current
        EXPECT_FALSE(rs->Eof());
        rs->SetValue("k", QStringLiteral("new"));
        ASSERT_TRUE(rs->Update());
        EXPECT_EQ(rs->RecordCount(), 1);
        EXPECT_EQ(rs->AbsolutePosition(), 1);
        run({"delete from t0"});
        continue;
      }
      EXPECT_FALSE(rs->Bof());
      EXPECT_EQ(rs->AbsolutePosition(), 1);
      QStringList seen;
      for (; !rs->Eof(); rs->MoveNext()) seen << rs->Text("K");
      EXPECT_EQ(seen, QStringList({"a", "b", "c"}).mid(0, n));
      EXPECT_EQ(rs->AbsolutePosition(), kPositionEof);
      EXPECT_TRUE(rs->Value(0).isNull());
      rs->MoveNext();  // stays at EOF
      EXPECT_TRUE(rs->Eof());
      rs->MovePrevious();  // from EOF to the last record
      EXPECT_EQ(rs->AbsolutePosition(), n);
      EXPECT_EQ(rs->Text(0), seen.last());
      rs->MoveFirst();
      rs->MovePrevious();
      EXPECT_TRUE(rs->Bof());
      EXPECT_FALSE(rs->Eof());
      EXPECT_EQ(rs->AbsolutePosition(), kPositionBof);
      rs->MoveNext();
      EXPECT_EQ(rs->Text(0), "a");
      rs->MoveLast();
      EXPECT_EQ(rs->AbsolutePosition(), n);
    }
  }
}

TEST_F(RecordsetTest, FieldsByNameOrPositionWithTypes) {
  run(
      {"create table t (k text, b varchar(10), c integer, d real, e money, f date, g datetime, "
       "h numeric, i char(2), j, l double)",
       "insert into t values ('a', 'b', 3, 1.5, 2, '2004-01-05', '2004-01-05 08:00:00', 7, 'i', "
       "'x', 4)"});
  auto rs = db_.open_table_recordset(QStringLiteral("t"));
  const FieldType expected[] = {FieldType::Text, FieldType::Text, FieldType::Integer,
                                FieldType::Real, FieldType::Real, FieldType::Date,
                                FieldType::Date, FieldType::Real, FieldType::Text,
                                FieldType::Text, FieldType::Real};
  ASSERT_EQ(rs->FieldCount(), 11);
  for (int i = 0; i < rs->FieldCount(); ++i) {
    EXPECT_EQ(rs->Type(i), expected[i]) << rs->FieldName(i).toStdString();
  }
  EXPECT_EQ(int(rs->Type("C")), 3);
  EXPECT_EQ(int(rs->Type("k")), 202);
  EXPECT_EQ(rs->FieldIndex("D"), 3);
  EXPECT_EQ(rs->FieldIndex("nosuch"), -1);
  EXPECT_TRUE(rs->Value("nosuch").isNull());
  EXPECT_TRUE(rs->Value(99).isNull());
  EXPECT_EQ(rs->Text("e"), "2");  // money stored as real 2.0 reads as 2
  EXPECT_EQ(rs->Text("d"), "1.5");
  EXPECT_EQ(rs->Value("c").toInt(), 3);

  run({"create table n (k text, v real)", "insert into n values ('a', null), ('b', 2.5)"});
  auto computed = db_.open_recordset(
      QStringLiteral("select count(*) as c, sum(v) as s, max(k) || 'x' as t, min(v) as m from n"));
  EXPECT_EQ(computed->Type("c"), FieldType::Integer);
  EXPECT_EQ(computed->Type("s"), FieldType::Real);
  EXPECT_EQ(computed->Type("t"), FieldType::Text);
  EXPECT_EQ(computed->Text("t"), "bx");
  auto first_null = db_.open_recordset(QStringLiteral("select v * 2 as w from n order by k"));
  EXPECT_EQ(first_null->Type("w"), FieldType::Real);  // from the first non-null value
  EXPECT_EQ(first_null->Text("w"), "");
}

TEST_F(RecordsetTest, WritesAreConvertedByDeclaredType) {
  run({"create table t (k text, n integer, r real, d date, u)", "insert into t (k) values ('a')"});
  const struct {
    const char* column;
    QVariant input;
    bool ok;
    const char* stored;  // typeof:value as SQLite holds it
  } cases[] = {
      {"k", 1001.0, true, "text:1001"},
      {"k", 12.5, true, "text:12.5"},
      {"k", QString("0871"), true, "text:0871"},
      {"n", QString("42"), true, "integer:42"},
      {"n", QString(" 7 "), true, "integer:7"},
      {"n", QString(""), true, "null:"},
      {"n", QString("12a"), false, ""},
      {"n", QString("1,000"), false, ""},
      {"r", QString("12.5"), true, "real:12.5"},
      {"r", QString("1e3"), false, ""},
      {"d", QString("2004/1/5"), true, "text:2004-01-05"},
      {"d", QString("2004-1-5 8:05"), true, "text:2004-01-05 08:05:00"},
      {"d", QString("5/1/2004"), false, ""},
      {"d", QString(""), true, "null:"},
      {"u", 3.0, true, "integer:3"},
      {"u", QString("3"), true, "text:3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.column) + " <- " + c.input.toString().toStdString());
    const QString column = QString::fromLatin1(c.column);
    run({"update t set k='a', n=1, r=1, d='2000-01-01', u=null"});
    auto rs = db_.open_table_recordset(QStringLiteral("t"));
    const QString before =
        stored("select typeof(" + column + ")||':'||ifnull(" + column + ",'') from t").toString();
    ASSERT_TRUE(rs->SetValue(column, c.input));
    EXPECT_EQ(rs->Update(), c.ok);
    EXPECT_FALSE(rs->EditPending());
    const QString after =
        stored("select typeof(" + column + ")||':'||ifnull(" + column + ",'') from t").toString();
    EXPECT_EQ(after, c.ok ? QString::fromLatin1(c.stored) : before);
    if (c.ok) {
      EXPECT_EQ(rs->Text(column), after.section(':', 1));
    }
  }
}

TEST_F(RecordsetTest, FailedUpdateLeavesTheWholeRecordUnchanged) {
  run({"create table t (k text, n integer)", "insert into t values ('a', 1)"});
  auto rs = db_.open_table_recordset(QStringLiteral("t"));
  rs->SetValue("k", QStringLiteral("changed"));
  rs->SetValue("n", QStringLiteral("not a number"));
  EXPECT_EQ(rs->Text("k"), "changed");  // pending writes read back before Update
  EXPECT_FALSE(rs->Update());
  EXPECT_EQ(rs->Text("k"), "a");
  EXPECT_EQ(stored("select k || n from t").toString(), "a1");
  rs->AddNew();
  rs->SetValue("n", QStringLiteral("x"));
  EXPECT_FALSE(rs->Update());
  EXPECT_EQ(rs->RecordCount(), 1);
  EXPECT_EQ(rs->Text("k"), "a");  // back on the record that was current
  EXPECT_EQ(count("select count(*) from t"), 1);
}

TEST_F(RecordsetTest, EditsUnderAFilterStayInTheViewUntilItIsSetAgain) {
  run({"create table t (k text collate nocase, v integer)",
       "insert into t values ('a1', 1), ('a2', 2), ('b1', 3)"});
  for (const auto& open : openers("t")) {
    run({"delete from t", "insert into t values ('a1', 1), ('a2', 2), ('b1', 3)"});
    auto rs = open();
    ASSERT_TRUE(rs->SetFilter("k like 'a*'"));
    ASSERT_EQ(rs->RecordCount(), 2);
    rs->MoveNext();
    ASSERT_TRUE(rs->SetValue("k", QStringLiteral("zz")));
    ASSERT_TRUE(rs->AddNew());  // updates the pending write first
    EXPECT_EQ(stored("select k from t where v=2").toString(), "zz");
    ASSERT_TRUE(rs->SetValue("k", QStringLiteral("c9")));
    ASSERT_TRUE(rs->SetValue("v", 9));
    ASSERT_TRUE(rs->Update());
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_EQ(rs->AbsolutePosition(), 3);
    EXPECT_EQ(column(*rs, "k"), QStringList({"a1", "zz", "c9"}));
    EXPECT_EQ(stored("select v from t where k='c9'").toInt(), 9);

    rs->MoveFirst();
    rs->AddNew();
    rs->SetValue("k", QStringLiteral("never"));
    rs->CancelUpdate();
    EXPECT_EQ(rs->Text("k"), "a1");
    EXPECT_EQ(count("select count(*) from t where k='never'"), 0);

    rs->SetValue("v", 5);
    rs->MoveNext();  // moving with a pending write updates first
    EXPECT_EQ(stored("select v from t where k='a1'").toInt(), 5);

    ASSERT_TRUE(rs->Delete());  // zz
    EXPECT_EQ(rs->RecordCount(), 2);
    rs->MoveNext();  // lands on the record after the deleted one
    EXPECT_EQ(rs->Text("k"), "c9");
    EXPECT_EQ(count("select count(*) from t where k='zz'"), 0);

    ASSERT_TRUE(rs->SetFilter("k like 'A*'"));
    EXPECT_EQ(column(*rs, "k"), QStringList({"a1"}));
    ASSERT_TRUE(rs->SetFilter(""));
    EXPECT_EQ(rs->RecordCount(), 3);
  }
}

TEST_F(RecordsetTest, DeleteInALoopRemovesEveryRecord) {
  run({"create table t (k text)", "insert into t values ('a'), ('b'), ('c'), ('d')"});
  auto rs = db_.open_table_recordset(QStringLiteral("t"));
  ASSERT_TRUE(rs->SetFilter("k <> 'c'"));
  while (!rs->Eof()) {
    ASSERT_TRUE(rs->Delete());
    rs->MoveNext();
  }
  EXPECT_EQ(rs->RecordCount(), 0);
  EXPECT_EQ(stored("select group_concat(k) from t").toString(), "c");
}

TEST_F(RecordsetTest, StatementsOverOneTableAreEditableOthersReadOnly) {
  run({"create table t (k text, v integer, d integer default 7)", "create table u (k text)",
       "insert into t (k, v) values ('a', 1), ('b', 2)", "insert into u values ('a')"});
  auto one = db_.open_recordset(QStringLiteral(
      "select k as name, v + 0 as calc, v from t where k <> 'none' order by k desc"));
  EXPECT_EQ(one->Text("name"), "b");
  ASSERT_TRUE(one->SetValue("name", QStringLiteral("bb")));
  ASSERT_TRUE(one->Update());
  EXPECT_EQ(count("select count(*) from t where k='bb'"), 1);
  one->SetValue("calc", 5);  // computed: cannot be written
  EXPECT_FALSE(one->Update());
  ASSERT_TRUE(one->AddNew());
  one->SetValue("name", QStringLiteral("c"));
  ASSERT_TRUE(one->Update());
  EXPECT_EQ(count("select d from t where k='c'"), 7);

  auto by_rowid = db_.open_table_recordset(QStringLiteral("t"));
  ASSERT_TRUE(by_rowid->AddNew());
  ASSERT_TRUE(by_rowid->Update());
  EXPECT_EQ(by_rowid->Text("d"), "7");  // the stored row's defaults are read back

  for (const char* sql :
       {"select t.k, t.v from t, u where t.k = u.k", "select k, count(*) as n from t group by k",
        "select distinct k from t"}) {
    SCOPED_TRACE(sql);
    auto rs = db_.open_recordset(QString::fromUtf8(sql));
    ASSERT_TRUE(rs->IsOpen());
    ASSERT_FALSE(rs->Eof());
    const QString before = rs->Text("k");
    EXPECT_TRUE(rs->SetValue("k", QStringLiteral("changed")));
    EXPECT_FALSE(rs->Update());
    EXPECT_EQ(rs->Text("k"), before);
    EXPECT_FALSE(rs->Delete());
    EXPECT_EQ(count("select count(*) from t where k='changed'"), 0);
  }
  // A value that looks like a keyword does not make a statement read-only.
  auto named =
      db_.open_recordset(QStringLiteral("select * from t where k='a' or k='count(*) join'"));
  named->SetValue("v", 4);
  EXPECT_TRUE(named->Update());
}

TEST_F(RecordsetTest, FailedOpensGiveClosedEmptyRecordsets) {
  run({"create table t (k text)", "insert into t values ('a')"});
  Connection unopened;
  const std::function<std::unique_ptr<Recordset>()> opens[] = {
      [&] { return unopened.open_recordset(QStringLiteral("select 1")); },
      [&] { return unopened.open_table_recordset(QStringLiteral("t")); },
      [&] { return db_.open_recordset(QStringLiteral("selec * fro t")); },
      [&] { return db_.open_recordset(QStringLiteral("select * from nosuch")); },
      [&] { return db_.open_recordset(QStringLiteral("select * from t where d=#5/1/2004#")); },
      [&] { return db_.open_table_recordset(QStringLiteral("nosuch")); },
      [&] { return db_.open_table_recordset(QStringLiteral("t\" where 1=1; --")); },
      [&] { return db_.open_recordset(QStringLiteral("delete from t where k='none'")); },
  };
  for (const auto& open : opens) {
    auto rs = open();
    ASSERT_NE(rs, nullptr);
    EXPECT_FALSE(rs->IsOpen());
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_TRUE(rs->Bof());
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(rs->FieldCount(), 0);
    EXPECT_TRUE(rs->Value(0).isNull());
    rs->MoveNext();
    rs->MovePrevious();
    EXPECT_FALSE(rs->SetFilter("k='a'"));
    EXPECT_FALSE(rs->Find("k='a'"));
    EXPECT_FALSE(rs->AddNew());
    EXPECT_FALSE(rs->SetValue(0, 1));
    EXPECT_FALSE(rs->Update());
    EXPECT_FALSE(rs->Delete());
  }
  EXPECT_EQ(count("select count(*) from t"), 1);
}

}  // namespace
}  // namespace vemo::test

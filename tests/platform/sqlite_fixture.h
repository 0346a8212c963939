// A fresh SQLite file in a temporary folder, with statements run on it for set-up.
#pragma once

#include "platform/connection.h"
#include "platform/recordset.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace vemo::test {

class SqliteFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.file(QStringLiteral("db.sqlite"));
    ASSERT_TRUE(db_.open(path_, OpenMode::CreateIfMissing)) << db_.error_string().toStdString();
  }

  void run(std::initializer_list<const char*> statements) {
    Transaction batch(db_);  // one sync for the whole set-up
    for (const char* sql : statements) {
      ASSERT_TRUE(db_.execute(QString::fromUtf8(sql)))
          << sql << ": " << db_.error_string().toStdString();
    }
    if (batch.active()) {  // inactive inside a caller's transaction
      ASSERT_TRUE(batch.commit());
    }
  }

  int count(const QString& sql) {
    auto rs = db_.open_recordset(sql);
    return rs->Eof() ? -1 : rs->Value(0).toInt();
  }

  // The first field of every record, as text, in recordset order.
  static QStringList column(Recordset& rs, const QString& name) {
    QStringList out;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) out << rs.Text(name);
    return out;
  }

  TempDir dir_;
  QString path_;
  Connection db_;
};

}  // namespace vemo::test

// Small helpers that test fixtures share: running fixture statements and reading rows back.
#pragma once

#include "platform/connection.h"
#include "platform/recordset.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <initializer_list>

namespace vemo::test {

// Runs each statement; a failing one fails the test with the database's message.
inline void run_statements(Connection& connection, std::initializer_list<QString> statements) {
  for (const QString& sql : statements) {
    EXPECT_TRUE(connection.execute(sql))
        << sql.toStdString() << ": " << connection.error_string().toStdString();
  }
}

// Rows of a query, columns joined with '|'.
inline QStringList query_rows(Connection& connection, const QString& sql) {
  auto rs = connection.open_recordset(sql);
  QStringList result;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
    QStringList columns;
    for (int i = 0; i < rs->FieldCount(); ++i) columns << rs->Text(i);
    result << columns.join('|');
  }
  return result;
}

// Rows of a query on a database file; a file that cannot be opened gives one line saying so.
inline QStringList file_rows(const QString& path, const QString& sql) {
  Connection connection;
  if (!connection.open(path)) return {"cannot open " + path};
  return query_rows(connection, sql);
}

}  // namespace vemo::test

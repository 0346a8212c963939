// One libpq connection to the data server of network mode, reopened when it drops.
#pragma once

#include "platform/recordset.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <memory>

struct pg_conn;
struct pg_result;

namespace vemo {

// Rows of every table on the server carry this identity column; recordsets use it as the
// row key for writing changes back and never show it.
inline const QString kServerRowKey = QStringLiteral("rowid");

// Where the server is: from the computer name and the data-source name typed at log-in.
struct PgAddress {
  QString host;  // empty: libpq's default (the local socket); "/dir": a socket folder
  QString port;  // empty: libpq's default (PGPORT or 5432)
  QString name;  // a pg_service.conf service, or else the database name
  QString user;
  QString password;
};

// "http://host[:port]" and "DSN=name" as the log-in sets them; "localhost" means the
// local socket.
PgAddress pg_address(const QString& rds_server, const QString& rds_dsn);

struct PgResultDeleter {
  void operator()(pg_result* result) const;
};
using PgResultPtr = std::unique_ptr<pg_result, PgResultDeleter>;

// How a statement may treat a dropped connection.
enum class PgExec {
  Write,          // reconnects before the statement, never repeats it
  Read,           // also repeats it once on a new connection
  InTransaction,  // fails: a new connection would run the rest outside the transaction
};

class PgConnection {
 public:
  explicit PgConnection(PgAddress address);
  ~PgConnection();
  PgConnection(const PgConnection&) = delete;
  PgConnection& operator=(const PgConnection&) = delete;

  // Connects, or reconnects after the connection dropped; false (logged) when the server
  // cannot be reached.
  bool ensure_open();
  // Runs one statement with $1.. parameters sent apart from the text (null QVariant: NULL).
  // Null on failure (logged), with error() set.
  PgResultPtr exec(const QString& sql, const QVariantList& parameters = {},
                   PgExec mode = PgExec::Write);
  QString error() const { return error_; }

  // The field type of a result column's type.
  FieldType field_type(unsigned type_oid) const;
  // The column name behind a result column (table oid, column number), empty when unknown.
  QString column_name(unsigned table_oid, int column);
  // The schema-qualified, quoted name of a table, empty when unknown.
  QString table_name(unsigned table_oid);

 private:
  bool connect_as(bool as_service);
  bool learn_table(unsigned table_oid);

  PgAddress address_;
  pg_conn* conn_ = nullptr;
  QString error_;
  unsigned citext_oid_ = 0;
  QHash<unsigned, QString> table_names_;
  QHash<unsigned, QHash<int, QString>> column_names_;
};

}  // namespace vemo

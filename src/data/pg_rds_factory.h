// The remote data factory of network mode over PostgreSQL.
#pragma once

#include "data/pg_connection.h"
#include "data/rds_factory.h"

namespace vemo {

// One connection per factory, opened at the first query and reopened when it drops. The
// data-source name of each call picks the database; the server is fixed at creation.
//
// Row keys: every table on the server has an identity column kServerRowKey (added by
// `vemo-cli serve`), not the tables' own columns: the document tables have no key of their
// own, and export and import copy columns by position, so the key is fetched beside the
// statement's columns and never shown as a field.
class PgRdsFactory final : public RdsFactory {
 public:
  // server: "http://" + computer name, as the log-in sets rds_server.
  explicit PgRdsFactory(const QString& server, QString user = {}, QString password = {});

  // Selects give an editable recordset (one table, keyed) or a read-only one; other
  // statements run and give an empty, closed recordset, as does any failure.
  std::unique_ptr<Recordset> Query(const QString& dsn, const QString& sql) override;
  bool SubmitChanges(const QString& dsn, Recordset& recordset) override;
  bool Execute(const QString& dsn, const QString& sql) override;

 private:
  PgConnection& connection_for(const QString& dsn);
  // The result of a translated select: first with the row key when it reads one table.
  PgResultPtr run_select(PgConnection& connection, const QString& sql, bool* keyed);

  QString server_, user_, password_;
  QString dsn_;
  std::shared_ptr<PgConnection> connection_;
};

}  // namespace vemo

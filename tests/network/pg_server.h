// A throwaway PostgreSQL server for the tests: its own data folder, a unix socket in a
// temporary folder, no TCP, stopped and removed at the end.
#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vemo::test {

class PgServer {
 public:
  // Starts a server; check ok(), or why() when it could not start.
  PgServer();
  ~PgServer();
  PgServer(const PgServer&) = delete;
  PgServer& operator=(const PgServer&) = delete;

  // True when initdb and pg_ctl are not installed: the tests skip.
  static bool binaries_missing();

  bool ok() const { return ok_; }
  QString why() const { return why_; }
  QString socket_dir() const { return dir_.path(); }
  QString port() const { return port_; }
  // Creates an empty database; false with why() on failure.
  bool create_database(const QString& name);

 private:
  bool run(const QStringList& command);

  QTemporaryDir dir_;
  QString port_;
  bool ok_ = false;
  QString why_;
};

}  // namespace vemo::test

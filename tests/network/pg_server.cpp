// Throwaway PostgreSQL server: initdb and pg_ctl, as the postgres user when running as root.
#include "pg_server.h"

#include "data/pg_connection.h"
#include "platform/sql_text.h"

#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>

#include <pwd.h>
#include <unistd.h>

namespace vemo::test {
namespace {

const QString kBin = QStringLiteral("/usr/lib/postgresql/15/bin/");

// The server refuses to run as root; root hands the work to the postgres user.
bool as_root() { return geteuid() == 0; }

QString os_user() {
  const passwd* entry = getpwuid(geteuid());
  return entry ? QString::fromUtf8(entry->pw_name) : QStringLiteral("postgres");
}

}  // namespace

bool PgServer::binaries_missing() {
  return !QFileInfo(kBin + "initdb").isExecutable() || !QFileInfo(kBin + "pg_ctl").isExecutable();
}

bool PgServer::run(const QStringList& command) {
  QStringList arguments = command;
  QString program = arguments.takeFirst();
  if (as_root()) {
    arguments = QStringList{"-u", "postgres", "--", program} + arguments;
    program = QStringLiteral("runuser");
  }
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) {
    why_ = program + ' ' + arguments.join(' ') + ": " + QString::fromUtf8(process.readAll());
    return false;
  }
  return true;
}

PgServer::PgServer() {
  if (!dir_.isValid()) {
    why_ = QStringLiteral("no temporary folder");
    return;
  }
  if (as_root()) {
    const passwd* postgres = getpwnam("postgres");
    if (!postgres || chown(dir_.path().toUtf8().constData(), postgres->pw_uid, postgres->pw_gid)) {
      why_ = QStringLiteral("no postgres user to run the server as");
      return;
    }
  }
  // Only the socket in the private folder listens, so any port number is free.
  port_ = QString::number(QRandomGenerator::global()->bounded(20000, 60000));
  const QString data = dir_.filePath(QStringLiteral("data"));
  // The superuser is named after this process's user, so libpq's default user connects.
  if (!run({kBin + "initdb", "-D", data, "-U", os_user(), "-A", "trust", "-E", "UTF8", "--locale=C",
            "--no-sync"})) {
    return;
  }
  const QString server_options = "-k " + dir_.path() + " -p " + port_ +
                                 " -c listen_addresses= -c fsync=off -c full_page_writes=off";
  if (!run({kBin + "pg_ctl", "-D", data, "-o", server_options, "-l",
            dir_.filePath(QStringLiteral("server.log")), "-w", "start"})) {
    return;
  }
  // Every connection of this test process and the commands it starts finds the port here.
  qputenv("PGPORT", port_.toUtf8());
  ok_ = true;
}

PgServer::~PgServer() {
  if (ok_)
    run({kBin + "pg_ctl", "-D", dir_.filePath(QStringLiteral("data")), "-m", "immediate", "stop"});
}

bool PgServer::create_database(const QString& name) {
  PgAddress address;
  address.host = socket_dir();
  address.port = port_;
  address.name = QStringLiteral("postgres");
  PgConnection connection(address);
  if (!connection.exec("create database " + sql_identifier(name))) {
    why_ = connection.error();
    return false;
  }
  return true;
}

}  // namespace vemo::test

// The stand-in remote factory.
#include "data/rds_factory.h"

#include "platform/log.h"

namespace vemo {

std::unique_ptr<Recordset> NullRdsFactory::Query(const QString& dsn, const QString& sql) {
  log_skip(QStringLiteral("rds"), sql, QStringLiteral("no data server for ") + dsn);
  return std::make_unique<Recordset>();
}

bool NullRdsFactory::SubmitChanges(const QString& dsn, Recordset&) {
  log_skip(QStringLiteral("rds"), QStringLiteral("SubmitChanges"),
           QStringLiteral("no data server for ") + dsn);
  return false;
}

bool NullRdsFactory::Execute(const QString& dsn, const QString& sql) {
  log_skip(QStringLiteral("rds"), sql, QStringLiteral("no data server for ") + dsn);
  return false;
}

}  // namespace vemo

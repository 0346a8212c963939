// The remote data factory of network mode: Query and SubmitChanges on a data server.
#pragma once

#include "platform/recordset.h"

#include <QString>

#include <memory>

namespace vemo {

class RdsFactory {
 public:
  virtual ~RdsFactory() = default;
  // Runs a statement on the server; an empty, closed recordset when nothing comes back.
  virtual std::unique_ptr<Recordset> Query(const QString& dsn, const QString& sql) = 0;
  // Writes the changed rows of a recordset back to the server.
  virtual bool SubmitChanges(const QString& dsn, Recordset& recordset) = 0;
  // Runs a statement that returns no rows; false when it failed. A factory that cannot
  // tell reports what Query did.
  virtual bool Execute(const QString& dsn, const QString& sql) {
    Query(dsn, sql);
    return true;
  }
};

// What stands in while no server is configured: empty answers, nothing submitted.
class NullRdsFactory final : public RdsFactory {
 public:
  std::unique_ptr<Recordset> Query(const QString& dsn, const QString& sql) override;
  bool SubmitChanges(const QString& dsn, Recordset& recordset) override;
  bool Execute(const QString& dsn, const QString& sql) override;
};

}  // namespace vemo

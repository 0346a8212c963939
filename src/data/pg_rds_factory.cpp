// PostgreSQL data factory: dialect translation, keyed selects, submits in one transaction.
#include "data/pg_rds_factory.h"

#include "data/pg_record_source.h"
#include "platform/log.h"
#include "platform/sql_dialect.h"
#include "platform/sql_shape.h"

#include <QRegularExpression>

namespace vemo {
namespace {

const QString kWhere = QStringLiteral("rds");

// "select a, b from t ..." -> "select rowid, a, b from t ...".
QString with_row_key(const QString& sql) {
  const int select_end = int(sql.indexOf(QLatin1String("select"), 0, Qt::CaseInsensitive)) + 6;
  return sql.left(select_end) + ' ' + kServerRowKey + ',' + sql.mid(select_end);
}

// "select * from t": what opening a whole table sends.
bool is_whole_table(const QString& sql) {
  static const QRegularExpression whole(
      QStringLiteral(R"(^\s*select\s+\*\s+from\s+\w+\s*;?\s*$)"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
  return whole.match(sql).hasMatch();
}

}  // namespace

PgRdsFactory::PgRdsFactory(const QString& server, QString user, QString password)
    : server_(server), user_(std::move(user)), password_(std::move(password)) {}

PgConnection& PgRdsFactory::connection_for(const QString& dsn) {
  if (!connection_ || dsn != dsn_) {
    PgAddress address = pg_address(server_, dsn);
    address.user = user_;
    address.password = password_;
    connection_ = std::make_shared<PgConnection>(address);
    dsn_ = dsn;
  }
  return *connection_;
}

PgResultPtr PgRdsFactory::run_select(PgConnection& connection, const QString& sql, bool* keyed) {
  *keyed = false;
  if (!single_table_of(sql).isEmpty()) {
    // A table without the key column (not set up by serve) is read without it, read-only.
    PgResultPtr result = connection.exec(with_row_key(sql), {}, PgExec::Read);
    if (result) {
      *keyed = true;
      return result;
    }
  }
  return connection.exec(sql, {}, PgExec::Read);
}

std::unique_ptr<Recordset> PgRdsFactory::Query(const QString& dsn, const QString& sql) {
  QString why;
  const QString translated = translate_sql(sql, &why, SqlTarget::Postgres);
  if (translated.isNull()) return std::make_unique<Recordset>();
  PgConnection& connection = connection_for(dsn);
  if (!returns_rows(translated)) {
    connection.exec(translated);
    return std::make_unique<Recordset>();
  }
  // A whole table is read when its rows are first asked for: a filter set at once is
  // answered by the server instead of bringing every row over.
  if (is_whole_table(translated)) {
    const QString table_sql = with_row_key(translated);
    PgResultPtr empty = connection.exec(table_sql + QStringLiteral(" limit 0"), {}, PgExec::Read);
    if (empty) {
      return std::make_unique<Recordset>(
          PgRecordSource::for_table(connection_, empty.get(), table_sql));
    }
  }
  bool keyed = false;
  PgResultPtr result = run_select(connection, translated, &keyed);
  if (!result) return std::make_unique<Recordset>();
  return std::make_unique<Recordset>(
      PgRecordSource::from_result(connection, result.get(), sql, keyed));
}

bool PgRdsFactory::Execute(const QString& dsn, const QString& sql) {
  QString why;
  const QString translated = translate_sql(sql, &why, SqlTarget::Postgres);
  if (translated.isNull()) return false;
  return connection_for(dsn).exec(translated) != nullptr;
}

bool PgRdsFactory::SubmitChanges(const QString& dsn, Recordset& recordset) {
  if (recordset.EditPending() && !recordset.Update()) return false;
  auto* source = dynamic_cast<PgRecordSource*>(recordset.Source());
  if (!source) {
    log_skip(kWhere, QStringLiteral("SubmitChanges"),
             QStringLiteral("the recordset did not come from the data server"));
    return false;
  }
  if (!source->has_pending()) return true;
  if (!source->submit(connection_for(dsn))) {
    log_skip(kWhere, QStringLiteral("SubmitChanges ") + source->name(), source->error_string());
    return false;
  }
  return true;
}

}  // namespace vemo

// libpq connection: address parsing, (re)connecting, parameterised statements, type mapping.
#include "data/pg_connection.h"

#include "platform/field_value.h"
#include "platform/log.h"

#include <libpq-fe.h>

#include <vector>

namespace vemo {
namespace {

const QString kWhere = QStringLiteral("data server");

// Built-in type oids (pg_type.h); citext has no fixed oid and is looked up.
enum : unsigned {
  kBool = 16,
  kInt8 = 20,
  kInt2 = 21,
  kInt4 = 23,
  kText = 25,
  kOid = 26,
  kFloat4 = 700,
  kFloat8 = 701,
  kBpchar = 1042,
  kVarchar = 1043,
  kDate = 1082,
  kTimestamp = 1114,
  kTimestampTz = 1184,
  kNumeric = 1700,
};

// Server notices ("table does not exist, skipping") go to the debug log, not the terminal.
void log_notice(void*, const char* message) {
  log_debug(kWhere, QString::fromUtf8(message).trimmed());
}

QString strip_prefix(const QString& text, const QString& prefix) {
  return text.startsWith(prefix, Qt::CaseInsensitive) ? text.mid(prefix.size()) : text;
}

}  // namespace

PgAddress pg_address(const QString& rds_server, const QString& rds_dsn) {
  PgAddress address;
  QString host = strip_prefix(rds_server.trimmed(), QStringLiteral("http://")).trimmed();
  if (!host.startsWith('/')) {
    const int colon = int(host.lastIndexOf(':'));
    if (colon > 0 && host.indexOf(':') == colon) {  // host:port, not an IPv6 address
      address.port = host.mid(colon + 1);
      host = host.left(colon);
    }
    if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0) host.clear();
  }
  address.host = host;
  address.name = strip_prefix(rds_dsn.trimmed(), QStringLiteral("DSN=")).trimmed();
  return address;
}

void PgResultDeleter::operator()(pg_result* result) const { PQclear(result); }

PgConnection::PgConnection(PgAddress address) : address_(std::move(address)) {}

PgConnection::~PgConnection() {
  if (conn_) PQfinish(conn_);
}

bool PgConnection::connect_as(bool as_service) {
  if (conn_) PQfinish(conn_);
  std::vector<QByteArray> keys, values;
  auto add = [&](const char* key, const QString& value) {
    if (value.isEmpty()) return;
    keys.emplace_back(key);
    values.push_back(value.toUtf8());
  };
  add(as_service ? "service" : "dbname", address_.name);
  add("host", address_.host);
  add("port", address_.port);
  add("user", address_.user);
  add("password", address_.password);
  add("connect_timeout", QStringLiteral("5"));
  add("client_encoding", QStringLiteral("UTF8"));
  add("application_name", QStringLiteral("vemo"));
  // Dates come back as the ISO text the recordsets store.
  add("options", QStringLiteral("-c datestyle=ISO"));
  std::vector<const char*> key_ptrs, value_ptrs;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    key_ptrs.push_back(keys[i].constData());
    value_ptrs.push_back(values[i].constData());
  }
  key_ptrs.push_back(nullptr);
  value_ptrs.push_back(nullptr);
  conn_ = PQconnectdbParams(key_ptrs.data(), value_ptrs.data(), 0);
  if (PQstatus(conn_) == CONNECTION_OK) return true;
  error_ = QString::fromUtf8(PQerrorMessage(conn_)).trimmed();
  return false;
}

bool PgConnection::ensure_open() {
  if (conn_ && PQstatus(conn_) == CONNECTION_OK) return true;
  // A name pg_service.conf does not know is a database name.
  if (!connect_as(true) && error_.contains(QStringLiteral("definition of service"))) {
    connect_as(false);
  }
  if (PQstatus(conn_) != CONNECTION_OK) {
    log_skip(kWhere, QStringLiteral("connect to ") + address_.host + ' ' + address_.name, error_);
    return false;
  }
  PQsetNoticeProcessor(conn_, log_notice, nullptr);
  table_names_.clear();
  column_names_.clear();
  citext_oid_ = 0;
  PgResultPtr citext(PQexec(conn_, "select oid from pg_type where typname = 'citext'"));
  if (PQresultStatus(citext.get()) == PGRES_TUPLES_OK && PQntuples(citext.get()) > 0) {
    citext_oid_ = QByteArray(PQgetvalue(citext.get(), 0, 0)).toUInt();
  }
  return true;
}

PgResultPtr PgConnection::exec(const QString& sql, const QVariantList& parameters, PgExec mode) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (mode == PgExec::InTransaction && (!conn_ || PQstatus(conn_) != CONNECTION_OK)) {
      error_ = QStringLiteral("connection lost inside a transaction");
      break;
    }
    if (!ensure_open()) return nullptr;
    std::vector<QByteArray> texts;
    texts.reserve(parameters.size());
    std::vector<const char*> values;
    for (const QVariant& parameter : parameters) {
      texts.push_back(value_text(parameter).toUtf8());
      values.push_back(parameter.isNull() ? nullptr : texts.back().constData());
    }
    // One statement only: PQexecParams refuses a second one hidden in the text.
    PgResultPtr result(PQexecParams(conn_, sql.toUtf8().constData(), int(values.size()), nullptr,
                                    values.data(), nullptr, nullptr, 0));
    const ExecStatusType status = PQresultStatus(result.get());
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return result;
    error_ = QString::fromUtf8(PQerrorMessage(conn_)).trimmed();
    if (mode != PgExec::Read || PQstatus(conn_) == CONNECTION_OK) break;
    log_debug(kWhere, QStringLiteral("connection lost, reconnecting: ") + error_);
  }
  log_skip(kWhere, sql, error_);
  return nullptr;
}

FieldType PgConnection::field_type(unsigned type_oid) const {
  switch (type_oid) {
    case kBool:
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid:
      return FieldType::Integer;
    case kFloat4:
    case kFloat8:
      return FieldType::Real;
    case kNumeric:  // sums: whole or not, as the values say
      return FieldType::Empty;
    case kDate:
    case kTimestamp:
    case kTimestampTz:
      return FieldType::Date;
    case kText:
    case kBpchar:
    case kVarchar:
      return FieldType::Text;
    default:
      return type_oid == citext_oid_ && citext_oid_ != 0 ? FieldType::Text : FieldType::Empty;
  }
}

bool PgConnection::learn_table(unsigned table_oid) {
  if (table_names_.contains(table_oid)) return true;
  PgResultPtr result = exec(
      QStringLiteral("select a.attnum, a.attname, quote_ident(n.nspname) || '.' || "
                     "quote_ident(c.relname) from pg_class c join pg_namespace n on n.oid = "
                     "c.relnamespace join pg_attribute a on a.attrelid = c.oid where c.oid = $1 "
                     "and a.attnum > 0 and not a.attisdropped"),
      {QVariant(qint64(table_oid))}, PgExec::Read);
  if (!result || PQntuples(result.get()) == 0) return false;
  QHash<int, QString>& columns = column_names_[table_oid];
  for (int row = 0; row < PQntuples(result.get()); ++row) {
    columns.insert(QByteArray(PQgetvalue(result.get(), row, 0)).toInt(),
                   QString::fromUtf8(PQgetvalue(result.get(), row, 1)));
  }
  table_names_.insert(table_oid, QString::fromUtf8(PQgetvalue(result.get(), 0, 2)));
  return true;
}

QString PgConnection::column_name(unsigned table_oid, int column) {
  if (table_oid == 0 || column <= 0 || !learn_table(table_oid)) return QString();
  return column_names_.value(table_oid).value(column);
}

QString PgConnection::table_name(unsigned table_oid) {
  if (table_oid == 0 || !learn_table(table_oid)) return QString();
  return table_names_.value(table_oid);
}

}  // namespace vemo

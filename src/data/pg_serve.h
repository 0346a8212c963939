// Setting up the server database of network mode from a station's main database.
#pragma once

#include <QString>

namespace vemo {

class Connection;
class PgConnection;

struct ServeResult {
  int tables = 0;
  qint64 rows = 0;
};

// The PostgreSQL form of one SQLite CREATE TABLE: text columns declared COLLATE NOCASE
// become citext (case-insensitive comparison, LIKE included), other text stays text (the
// password compares exactly), INTEGER PRIMARY KEY becomes an identity column, and every
// table gets the hidden row key kServerRowKey. Names are lower-cased, as PostgreSQL folds
// the unquoted names of the stored SQL. Empty when the text is not a CREATE TABLE.
QString server_table_ddl(const QString& sqlite_create);

// Creates every table and index of the local main database on the server and copies every
// row, in one transaction: on failure nothing is left behind and *error says why. With
// `replace` existing tables of the same names are dropped first; otherwise an existing
// table makes the whole set-up fail.
bool serve_main_database(Connection& local, PgConnection& server, bool replace, ServeResult* result,
                         QString* error);

}  // namespace vemo

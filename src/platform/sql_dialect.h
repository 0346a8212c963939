// Translation of the stored SQL's dialect into statements SQLite runs.
#pragma once

#include <QString>

namespace vemo {

// The engine a translated statement is meant for.
enum class SqlTarget { Sqlite, Postgres };

// Turns #2004/1/5# date literals (outside quoted text) into '2004-01-05' and the
// multi-table deletes ("delete t.* from t,u where ...", "delete * from t where ...") into
// deletes the target runs. Gives a null QString when the text is refused (a date literal in
// another order, an unclosed literal); the reason goes to *reject_reason and the log.
QString translate_sql(const QString& sql, QString* reject_reason = nullptr,
                      SqlTarget target = SqlTarget::Sqlite);

}  // namespace vemo

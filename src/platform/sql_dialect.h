// Translation of the stored SQL's dialect into statements SQLite runs.
#pragma once

#include <QString>

namespace vemo {

// Turns #2004/1/5# date literals (outside quoted text) into '2004-01-05' and the
// multi-table deletes ("delete t.* from t,u where ...", "delete * from t where ...") into
// SQLite deletes. Gives a null QString when the text is refused (a date literal in
// another order, an unclosed literal); the reason goes to *reject_reason and the log.
QString translate_sql(const QString& sql, QString* reject_reason = nullptr);

}  // namespace vemo

// The stored-SQL engine: runs the statements of sql_查询 for the page on screen and lays
// their results into the page through its cell map.
#pragma once

#include "session/session.h"

#include <QString>

namespace vemo {

class Sheet;

inline const QString kWaybillNotFound = QStringLiteral("该运输托号不存在？  ");
inline const QString kNothingFound = QStringLiteral("未找到！  ");
inline const QString kWaybillTitle = QStringLiteral("运输托号");

// Fills the page for the parameter text (a waybill number, or the page key "a*b").
// Returns 0, as callers expect.
int run_sheet_queries(Session& session, DbConn& conn, const QString& parameters, Sheet& sheet);

// Empties every mapped cell and block of the page except the "wbd" and "bao_ci" cells.
void clear_output_cells(Session& session, DbConn& conn, Sheet& sheet);

}  // namespace vemo

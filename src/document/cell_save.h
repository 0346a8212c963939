// Storing one cell of the page into the record its page key names, creating waybills,
// tickets and detail lines as they are first filled.
#pragma once

#include "session/session.h"

#include <QString>

namespace vemo {

inline const QString kNewWaybillQuestion = QStringLiteral("你确定增加新的运输托号？ ");
inline const QString kTwoTicketsOnly =
    QStringLiteral("同一运单号，运输货票只能有发送和到达2个编号，不能再增加编号！！");
inline const QString kFreightTicketPage = QStringLiteral("运输货票");

QString empty_number_message(const QString& table);  // T 编号不能为空！
QString new_number_question(const QString& table);   // 你确定要增加 T 新编号？

// A computed or cleared cell: formulas, capital amounts, Delete. A 0 counts as empty.
void save_cell(Session& session, DbConn& conn, Sheet& sheet, const QString& address,
               const QString& key);

// The cell the user typed or picked (the event range's first cell): adds the number checks,
// empties the cell when a creation is declined, stamps the maker. An unchanged value writes
// nothing.
void save_edited_cell(Session& session, DbConn& conn, Sheet& sheet, const Range& event_range,
                      const QString& key);

}  // namespace vemo

// The main window's reactions to the events of its page, and the wiring that connects them.
#pragma once

#include "session/session.h"

#include <QString>

namespace vemo {

inline const QString kWaybillDocument = QStringLiteral("货物运单");
inline const QString kTicketDocument = QStringLiteral("运输货票");
inline const QString kTicketSumMismatch = QStringLiteral("记帐、收现和代收之和不等于合计金额！");

// Connects every event of the session's page to the handlers below.
void connect_page_events(Session& session, Sheet& sheet);

void on_content_changed(Session& session, const Range& range);
void on_key_pressed(Session& session, const Range& range, int key_code);
void on_selection_changed(Session& session, const Range& range);
void on_double_clicked(Session& session, const Range& range, int x, int y);
void on_clicked(Session& session);
void on_edit_started(Session& session);
void on_scrolled(Session& session);
void on_focus_gained(Session& session);
void on_focus_lost(Session& session);

// True when the range's first cell holds a formula (not merely a text with "=").
bool holds_formula(const Range& range);

// The waybill rule after a change: the departure station into C5:D5, manual save on.
void fill_departure_station(Session& session, Sheet& sheet);

}  // namespace vemo

// Warehouse quantity reconciliation: an in-slip against its waybill, an out-slip against
// the in-slips, line position by line position.
#pragma once

#include "session/session.h"

#include <QString>

namespace vemo {

// A number with a sign position (" " or "-") and no leading 0: " 2", "-.5", " 0".
QString signed_number_text(double value);

// Checks the open slip page: messages for every excess, one List3 line per position.
void reconcile_quantities(Session& session, Sheet& sheet);

// A click on List3.
void on_list3_clicked(Session& session);

}  // namespace vemo

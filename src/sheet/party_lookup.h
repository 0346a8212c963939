// Completing the shipper's or the consignee's address and telephones from earlier waybills.
#pragma once

#include "session/session.h"

namespace vemo {

enum class Party { Shipper, Consignee };
enum class LookupTrigger { Typed, Picked };

// Fills the party's address, telephone and mobile from the first complete record of
// yswtd1 with that name (the last record when none is complete); ticks manual save.
void lookup_party(Session& session, Sheet& sheet, Party party, LookupTrigger trigger);

// The look-up of the party whose name cell is the last selected cell, if any.
void run_party_lookup_for(Session& session, Sheet& sheet, LookupTrigger trigger);

}  // namespace vemo

// Logging in, checking the document scope and filling one page through the report engine:
// the common part of the report and render commands.
#pragma once

#include "cli/commands.h"
#include "platform/sheet.h"
#include "session/session.h"

namespace vemo::cli {

// Loads DIR/<page>.htm into the sheet and, when parameters are given, fills it through the
// stored SQL. False (after printing why) on a refused log-in, an unknown page or a page
// outside the user's document scope.
bool fill_page(Session& session, Sheet& sheet, const QString& folder, const QString& page,
               const QString& parameters, const Options& options, Io& io);

}  // namespace vemo::cli

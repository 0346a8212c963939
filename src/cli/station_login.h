// Logging in to a station folder from the command line, by the rules of the log-in dialog.
#pragma once

#include "cli/commands.h"
#include "session/session.h"

namespace vemo::cli {

// Checks the station folder and logs in with --user and --password. On refusal prints
// the log-in message and returns false (the command then exits with status 1).
bool log_in_station(Session& session, const QString& folder, const Options& options, Io& io);

}  // namespace vemo::cli

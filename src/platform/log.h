// Debug log: off by default, switched on by the environment variable VEMO_DEBUG_LOG
// ("1" or "stderr" for standard error, anything else names a file to append to).
#pragma once

#include <QString>

namespace vemo {

bool debug_log_enabled();

// Writes one line to the debug log when it is on.
void log_debug(const QString& where, const QString& message);

// Reports a step that failed and was skipped, and why; the procedures carry on after it.
void log_skip(const QString& where, const QString& what, const QString& why);

}  // namespace vemo

// 重新登录: the session forgets the user and the window model goes back to its design.
#pragma once

#include "session/session.h"

namespace vemo {

// Steps before the windows unload: releases main_conn, clears the rights, scrambles both
// files, sets relogin_marker so that the main window's unload asks nothing.
void begin_relogin(Session& session);
// After the windows have unloaded: the main window model returns to its designed state.
void finish_relogin(Session& session);

}  // namespace vemo

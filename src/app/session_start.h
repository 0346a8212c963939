// The work after a successful log-in: connections, the navigation tree and the default page.
#pragma once

#include "app/user_list.h"
#include "session/session.h"

namespace vemo {

inline const QString kMainWindowCaption =
    QStringLiteral("Vemo仓库物料管理系统INTERNET、INTRANET版 ver 6.0");

// start_station from B1 of the user list, scrambling, the default page, main_conn and
// set_conn, the page key, the menu states, the edit guard, the tree.
void start_session(Session& session, const UserList& user_list);
// The default page again with A1 active, protected; the picture offset back to default.
void prepare_main_window(Session& session);

}  // namespace vemo

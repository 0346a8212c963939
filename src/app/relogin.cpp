// 重新登录.
#include "app/relogin.h"

#include "data/scramble.h"

namespace vemo {

void begin_relogin(Session& session) {
  session.main_conn = DbConn{};
  session.user_right.clear();
  session.dev_marker = kNormalMarker;
  session.current_ysth.clear();
  session.user_scope.clear();
  session.form1.menu.set_enabled(
      QStringList{QStringLiteral("user_gl"), QStringLiteral("preprint"), QStringLiteral("xs")},
      false);
  session.relogin_marker = QStringLiteral("xs");
  // Nobody is logged in now: both files go back to the normal, scrambled form.
  sync_db_scramble(session, session.dev_marker);
}

void finish_relogin(Session& session) { session.form1 = MainWindowModel{}; }

}  // namespace vemo

// The work after a successful log-in.
#include "app/session_start.h"

#include "data/connections.h"
#include "data/scramble.h"
#include "document/catalog.h"
#include "document/cell_map.h"
#include "document/open_document.h"
#include "platform/log.h"
#include "session/navigation_tree.h"
#include "session/window_commands.h"

namespace vemo {
namespace {

const QString kDefaultPage = QStringLiteral("货物运单");

void load_default_page(Session& session) {
  if (!load_document_page(session, kDefaultPage))
    log_skip(QStringLiteral("session start"), kDefaultPage, QStringLiteral("no page template"));
}

void disable_after_login_menus(Session& session) {
  session.form1.menu.set_enabled(QStringList{QStringLiteral("closedz"), QStringLiteral("xs")},
                                 false);
}

}  // namespace

void start_session(Session& session, const UserList& user_list) {
  session.start_station = user_list.start_station();
  sync_db_scramble(session, session.dev_marker);
  load_default_page(session);
  session.main_conn = open_connection(session, session.main_db_path);
  sync_db_scramble(session, session.dev_marker);
  session.set_conn = open_connection(session, session.set_db_path);
  session.current_ysth = read_page_ysth(session, session.main_conn, session.Spreadsheet1);
  disable_after_login_menus(session);
  session.sheet_edit_mode = kEditGuardArmed;
  build_navigation_tree(session);
  MainWindowModel& form = session.form1;
  layout_main_window(form, form.form.width, form.form.height);
}

void prepare_main_window(Session& session) {
  sync_db_scramble(session, session.dev_marker);
  load_default_page(session);
  session.Spreadsheet1.range(QStringLiteral("a1")).select();
  session.current_ysth = read_page_ysth(session, session.main_conn, session.Spreadsheet1);
  disable_after_login_menus(session);
  session.sheet_edit_mode = kEditGuardArmed;
  session.logo_x = kDefaultLogoX;
  session.logo_y = kDefaultLogoY;
  protect_page(session, session.main_conn, session.Spreadsheet1);
}

}  // namespace vemo

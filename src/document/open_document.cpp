// Opening documents.
#include "document/open_document.h"

#include "document/document_scope.h"

#include "document/catalog.h"
#include "document/cell_map.h"
#include "document/page_save.h"
#include "platform/log.h"
#include "platform/number_text.h"
#include "platform/page_template.h"

#include <QStringList>

#include <cmath>

namespace vemo {
namespace {

const QString kWhere = QStringLiteral("open document");

void place_picture(Session& session, const QString& position) {
  PictureModel& picture = session.form1.Picture1;
  const int comma = position.indexOf(',');
  if (comma < 0) {
    picture.visible = false;
    return;
  }
  picture.visible = true;
  const auto x = parse_number_text(position.left(comma));
  const auto y = parse_number_text(position.mid(comma + 1));
  if (!x || !y) {
    log_skip(kWhere, position, QStringLiteral("picture position is not two numbers"));
    return;
  }
  const Sheet& sheet = session.Spreadsheet1;
  picture.geometry.left =
      static_cast<int>(std::lround(*x)) + session.form1.grid.left + sheet.view_left({1, 1});
  picture.geometry.top =
      static_cast<int>(std::lround(*y)) + session.form1.grid.top + sheet.view_top({1, 1});
  session.logo_x = static_cast<int>(std::lround(*x));
  session.logo_y = static_cast<int>(std::lround(*y));
}

// The template beside the databases; a name that would reach outside the folder loads none.
bool load_page_template(Session& session, Sheet& sheet, const QString& name) {
  if (name.contains('/') || name.contains('\\') || name.contains(QStringLiteral(".."))) {
    log_skip(kWhere, name, QStringLiteral("not a document name"));
    return false;
  }
  return load_template(sheet, session.station_folder + '/' + name + QStringLiteral(".htm"));
}

}  // namespace

bool open_document(Session& session, const QString& name, OpenFlag flag) {
  Sheet& sheet = session.Spreadsheet1;
  set_check2(session, true);
  session.form1.CommandButton1.visible = true;
  if (!session.sheet_saved) save_page(session, session.main_conn, sheet);
  if (!document_in_scope(session.user_scope, name, session.dev_marker)) {
    log_debug(kWhere, name + QStringLiteral(" is outside the user's scope"));
    return false;
  }
  const auto catalog = read_catalog_row(session, session.main_conn, name);
  // The page still shows the previous document here.
  session.current_ysth = read_page_ysth(session, session.main_conn, sheet);
  place_picture(session, catalog ? catalog->gstb_wz : QString());

  load_document_page(session, name);
  sheet.range(QStringLiteral("a1")).select();
  if (flag == OpenFlag::FromFlaggedNode) vkr(sheet);
  protect_page(session, session.main_conn, sheet);
  return true;
}

bool load_document_page(Session& session, const QString& name) {
  Sheet& sheet = session.Spreadsheet1;
  sheet.set_enable_events(false);
  sheet.clear();
  const bool loaded = load_page_template(session, sheet, name);
  sheet.set_name(name);
  sheet.set_enable_events(true);
  return loaded;
}

void open_tree_node(Session& session, const TreeNode& node) {
  session.form1.List2.visible = false;
  session.form1.List1.visible = false;
  session.sheet_edit_mode = kEditGuardArmed;
  open_document(session, node.text,
                node.opens_with_flag() ? OpenFlag::FromFlaggedNode : OpenFlag::Plain);
  session.sheet_edit_mode = kEditGuardArmed;
}

void vkr(Sheet& sheet) {
  const int rows = sheet.used_rows();
  const int columns = sheet.used_columns();
  if (rows < 1 || columns < 1) return;
  const CellArea page{1, 1, rows, columns};
  sheet.update_format(page, [](CellFormat& format) {
    format.wrap = true;
    format.valign = VAlign::Center;
  });
  sheet.auto_fit_rows(1, rows);
}

}  // namespace vemo

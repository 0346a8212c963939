// Filling a page from the command line.
#include "cli/page_fill.h"

#include "cli/station_login.h"
#include "data/connections.h"
#include "document/catalog.h"
#include "document/document_scope.h"
#include "platform/page_template.h"
#include "reports/report_engine.h"

#include <QDir>
#include <QFileInfo>

namespace vemo::cli {

bool fill_page(Session& session, Sheet& sheet, const QString& folder, const QString& page,
               const QString& parameters, const Options& options, Io& io) {
  if (page.isEmpty()) {
    io.err << QStringLiteral("缺少页面名称\n");
    return false;
  }
  // Messages of the engine (not found, …) go to standard error; questions are answered No.
  session.prompts = std::make_shared<FixedAnswerPrompts>(PromptAnswer::No, true);
  if (!log_in_station(session, folder, options, io)) return false;
  session.set_conn = open_connection(session, session.set_db_path);
  const auto catalog = read_catalog_row(session, session.main_conn, page);
  if (!catalog) {
    io.err << QStringLiteral("没有这个页面: ") << page << '\n';
    return false;
  }
  if (!document_in_scope(session.user_scope, page, session.dev_marker)) {
    io.err << QStringLiteral("用户 ") << session.user_name << QStringLiteral(" 无权打开: ") << page
           << '\n';
    return false;
  }
  const QString template_path = QDir(folder).filePath(page + QStringLiteral(".htm"));
  if (!QFileInfo::exists(template_path) || !load_template(sheet, template_path)) {
    io.err << QStringLiteral("无法读取页面模板: ") << template_path << '\n';
    return false;
  }
  sheet.set_name(page);
  session.active_sheet_name = [&sheet] { return sheet.name(); };
  if (!parameters.isEmpty()) {
    sheet.set_enable_events(false);
    // The key cells show what the page was filled for, as after a choice in the app.
    const QStringList cells = catalog->ysthdz.split('*');
    const QStringList parts = parameters.split('*');
    for (qsizetype i = 0; i < cells.size() && i < parts.size(); ++i) {
      Range key = sheet.range(cells[i]);
      if (key.valid()) key.set_value('\'' + parts[i]);
    }
    run_sheet_queries(session, session.main_conn, parameters, sheet);
    sheet.set_enable_events(true);
  }
  return true;
}

}  // namespace vemo::cli

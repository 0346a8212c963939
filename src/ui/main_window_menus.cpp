// The main window's menu bar and the commands behind its items.
#include "app/settings.h"
#include "document/document_menu.h"
#include "document/page_save.h"
#include "platform/view/grid_view.h"
#include "reports/daily_report_correction.h"
#include "session/window_commands.h"
#include "ui/main_window.h"
#include "users/confirmation.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace vemo {
namespace {

struct MenuItem {
  const char* name;
  const char* caption;
};

const QList<MenuItem> kFileItems = {
    {"preprint", "普通打印"}, {"pj_print", "票据打印"}, {"queren", "输入数据最后确认"},
    {"khdjb", "客户登记表"},  {"SAVE_p", "存盘"},       {"exit", "退出"}};
const QList<MenuItem> kSettingsItems = {{"xs", "显示"},
                                        {"user_gl", "用户管理"},
                                        {"mm_xg", "密码修改"},
                                        {"qr_mxb", "输入数据确认用户明细表"},
                                        {"cxdl", "重新登录"},
                                        {"yc", "隐藏"},
                                        {"db_yc", "底部隐藏"},
                                        {"db_xs", "底部显示"},
                                        {"normal_set", "常用设置(当前)"},
                                        {"fz_set", "发站设置"},
                                        {"data_xz", "数据库修正"}};
const QList<MenuItem> kDatabaseItems = {{"data_in", "数据导入"},     {"data_out", "数据导出"},
                                        {"copy_ysth", "复制运单号"}, {"getdz", "获取地址"},
                                        {"closedz", "关闭地址"},     {"setbak", "选择备份数据库"},
                                        {"about", "关于vemo系统"}};
// Top-level menus holding document entries, in the bar's order, with their captions.
const QList<MenuItem> kDocumentMenus = {
    {"yswtd", "货物运单"},   {"yshp", "运输货票"},     {"qcyspz", "汽车运输凭证"},
    {"rkd", "到达"},         {"ckd", "发送"},          {"mxany_rbb", "运输日报表"},
    {"qyf", "汽运费统计表"}, {"srmxb", "收入明细报表"}};

// Commands another window carries out.
const QSet<QString> kFrameCommands = {"cxdl",   "about",      "user_gl", "mm_xg",
                                      "qr_mxb", "normal_set", "fz_set"};

}  // namespace

bool menu_item_built(const QString& item) {
  static const QSet<QString> later = {"preprint", "pj_print", "dd_dc",    "fs_dc",
                                      "data_in",  "data_out", "copy_ysth"};
  return !later.contains(item);
}

QMenu* MainWindow::add_menu(const QString& name, const QString& caption) {
  QMenu* menu = menuBar()->addMenu(caption);
  menu->setObjectName(name);
  menus_.insert(name, menu);
  return menu;
}

QAction* MainWindow::add_item(QMenu* menu, const QString& name, const QString& caption) {
  QAction* action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
  action->setObjectName(name);
  actions_.insert(name, action);
  connect(action, &QAction::triggered, this, [this, name] { run_menu_item(name); });
  return action;
}

void MainWindow::build_menus() {
  auto add_items = [this](QMenu* menu, const QList<MenuItem>& items) {
    for (const MenuItem& item : items)
      add_item(menu, QString::fromUtf8(item.name), QString::fromUtf8(item.caption));
  };
  QMenu* file = add_menu(QStringLiteral("file"), QStringLiteral("文件"));
  add_items(file, kFileItems);
  add_items(add_menu(QStringLiteral("setx"), QStringLiteral("设置")), kSettingsItems);
  for (const MenuItem& top : kDocumentMenus) {
    const QString name = QString::fromUtf8(top.name);
    const QString caption = QString::fromUtf8(top.caption);
    // 货物运单 and 运输货票 open their page straight from the bar.
    if (const DocumentMenuEntry* entry = find_document_menu_entry(name);
        entry != nullptr && entry->menu == name) {
      add_item(nullptr, name, caption);
      continue;
    }
    QMenu* menu = add_menu(name, caption);
    for (const DocumentMenuEntry& entry : document_menu_entries()) {
      if (entry.menu == name) add_item(menu, entry.item, entry.caption);
    }
  }
  add_item(menus_.value(QStringLiteral("rkd")), QStringLiteral("dd_dc"), QStringLiteral("导出"));
  add_item(menus_.value(QStringLiteral("ckd")), QStringLiteral("fs_dc"), QStringLiteral("导出"));
  add_items(add_menu(QStringLiteral("sfsjk"), QStringLiteral("数据库")), kDatabaseItems);
}

void MainWindow::run_menu_item(const QString& name) {
  if (!menu_item_built(name) || !session_.form1.menu.enabled(name)) return;
  MainWindowModel& form = session_.form1;
  if (kFrameCommands.contains(name)) {
    emit command_requested(name);
    return;
  }
  if (name == QStringLiteral("exit")) {
    close();
    return;
  } else if (name == QStringLiteral("yc")) {
    hide_tree(form);
  } else if (name == QStringLiteral("xs")) {
    show_tree(form);
  } else if (name == QStringLiteral("db_yc")) {
    hide_bottom_row(form);
  } else if (name == QStringLiteral("db_xs")) {
    show_bottom_row(form);
  } else if (name == QStringLiteral("queren")) {
    confirm_page_waybill(session_, session_.main_conn, session_.Spreadsheet1);
  } else if (name == QStringLiteral("SAVE_p")) {
    save_page(session_, session_.main_conn, session_.Spreadsheet1);
  } else if (name == QStringLiteral("setbak")) {
    show_backup_choice(session_);
  } else if (name == QStringLiteral("data_xz")) {
    correct_daily_report_map(session_);
  } else {
    open_from_menu(session_, name);
    Spreadsheet1->setFocus();
  }
  sync_from_model();
}

}  // namespace vemo

// Settings of the main window's menu: the departure station and the backup to restore.
#pragma once

#include "app/user_list.h"
#include "session/session.h"

#include <QString>
#include <QStringList>

namespace vemo {

inline const QString kRestoreTitle = QStringLiteral("选择");
QString restore_question(const QString& item);  // 你确定选择 …？

// 选择备份数据库: fills List2 with one item per existing backup (the item's last character
// is its number, newest first) and shows it.
void show_backup_choice(Session& session);
// A click on a List2 item: asks, copies the backup over the main file, reopens main_conn.
// List2 is hidden in both cases. True when the file was replaced.
bool on_list2_clicked(Session& session, const QString& item);

// 发站设置 确定: start_station, and B1 of the user list written at once.
void set_departure_station(Session& session, UserList& user_list, const QString& station);

}  // namespace vemo

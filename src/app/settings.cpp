// The departure station and the choice of a backup to restore.
#include "app/settings.h"

#include "app/file_copy.h"
#include "app/shutdown.h"
#include "data/connections.h"
#include "data/scramble.h"
#include "platform/dates.h"
#include "platform/log.h"
#include "platform/number_text.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace vemo {
namespace {

const QString kWhere = QStringLiteral("backup restore");

// The backup an item names by its last character; 0 when it names none.
int backup_number(const QString& item) {
  // Only 1 … 4: any other character would reach a file that is not a backup (澜川x.mdb is
  // the compaction copy, an empty number the main file itself).
  if (item.isEmpty()) return 0;
  const int n = item.back().digitValue();
  return n >= 1 && n <= kBackupGenerations ? n : 0;
}

QString backup_item(const QFileInfo& file, int n) {
  const QDateTime made = file.lastModified();
  return date_text(made.date()) + ' ' + made.time().toString(QStringLiteral("HH:mm")) +
         QStringLiteral(" 备份") + number_text(n);
}

// A journal left beside the main file belongs to the file that was replaced; played into
// the restored file it would damage it.
void drop_stale_journal(const QString& main) {
  const QString journal = main + QStringLiteral("-journal");
  if (QFile::exists(journal) && !QFile::remove(journal))
    log_skip(kWhere, QStringLiteral("removing ") + journal, QStringLiteral("cannot remove it"));
}

bool restore_backup(Session& session, const QString& item) {
  const int n = backup_number(item);
  if (n == 0) {
    log_skip(kWhere, item, QStringLiteral("names no backup"));
    return false;
  }
  const QString main = backup_path(session, 0);
  if (copy_file_over(backup_path(session, n), main) != FileCopy::Copied) return false;
  drop_stale_journal(main);
  // A backup made in the other mode comes in the other form.
  sync_file_scramble(session.dev_marker, main);
  return true;
}

}  // namespace

QString restore_question(const QString& item) {
  return QStringLiteral("你确定选择 ") + item + QStringLiteral("？");
}

void show_backup_choice(Session& session) {
  ListBoxModel& list = session.form1.List2;
  list.clear();
  for (int n = 1; n <= kBackupGenerations; ++n) {
    const QFileInfo file(backup_path(session, n));
    if (file.isFile()) list.items << backup_item(file, n);
  }
  list.visible = true;
}

bool on_list2_clicked(Session& session, const QString& item) {
  bool replaced = false;
  if (session.prompts->confirm(restore_question(item), kRestoreTitle)) {
    session.main_conn = DbConn{};
    replaced = restore_backup(session, item);
    session.main_conn = open_connection(session, session.main_db_path);
  }
  session.form1.List2.visible = false;
  return replaced;
}

void set_departure_station(Session& session, UserList& user_list, const QString& station) {
  session.start_station = station;
  // A workbook that could not be read is not replaced by one holding only the station.
  if (!user_list.loaded()) {
    log_skip(QStringLiteral("departure station"), station, QStringLiteral("no user list"));
    return;
  }
  user_list.set_start_station(station);
}

}  // namespace vemo

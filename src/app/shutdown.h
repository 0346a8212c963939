// Leaving the program: the exit questions and the rotating backups of the main database.
#pragma once

#include "session/session.h"

#include <QString>
#include <QStringList>

namespace vemo {

inline const QString kExitQuestion = QStringLiteral("你确定要退出？ ");
inline const QString kExitTitle = QStringLiteral("退出");
inline const QString kBackupQuestion = QStringLiteral("是否需要备份？ ");
inline const QString kBackupTitle = QStringLiteral("备份");
inline constexpr int kBackupGenerations = 4;

// The main database (n = 0) or its backup n (1 newest … 4 oldest) in the station folder.
QString backup_path(const Session& session, int n);
// Shifts backups 3→4, 2→3, 1→2, then copies the main file to 1; a missing source is
// skipped. Returns the files that could not be written (empty when all went well); such a
// file keeps what it held.
QStringList backup_main_db(const Session& session);
// The message naming the files a backup could not write, one a line after kBackupFailed.
inline const QString kBackupFailed = QStringLiteral("备份失败，无法写入：");
QString backup_failed_message(const QStringList& files);

enum class ExitSource { MainWindow, Frame };
// The exit dialogue. Stay: the unload is cancelled. End: the program ends now (after the
// backup, if one was wanted; a failed backup has been reported). Relogin: the main window
// unloads during a re-login; nothing was asked, the marker is cleared and the program goes
// on. The frame's dialogue always asks.
enum class ExitDecision { Stay, Relogin, End };
ExitDecision exit_dialogue(Session& session, ExitSource source);

}  // namespace vemo

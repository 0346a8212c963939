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
// Shifts backups 3→4, 2→3, 1→2, then copies the main file to 1. Returns the files that
// could not be written (empty when all went well).
QStringList backup_main_db(const Session& session);
// The message naming the files a backup could not write.
QString backup_failed_message(const QStringList& files);

enum class ExitSource { MainWindow, Frame };
// The exit dialogue. False: stay (the unload is cancelled). True: the program ends now
// (after the backup, if one was wanted). During a re-login nothing is asked and the
// marker is cleared; the caller then lets the window unload without ending the program.
// The exit dialogue. Stay: the unload is cancelled. End: the program ends now (after the
// backup, if one was wanted; a failed backup has been reported). Relogin: nothing was asked,
// the marker is cleared and the window unloads without ending the program.
enum class ExitDecision { Stay, Relogin, End };
ExitDecision exit_dialogue(Session& session, ExitSource source);

}  // namespace vemo

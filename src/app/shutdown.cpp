// The exit questions and the rotating backups.
#include "app/shutdown.h"

#include "app/file_copy.h"
#include "platform/number_text.h"

#include <QDir>
#include <QFileInfo>

namespace vemo {

QString backup_path(const Session& session, int n) {
  if (n == 0) return session.main_db_path;
  // Beside the main file, as the compaction copy is.
  return QFileInfo(session.main_db_path).absolutePath() + QStringLiteral("/澜川") + number_text(n) +
         QStringLiteral(".mdb");
}

QStringList backup_main_db(const Session& session) {
  QStringList failed;
  // Oldest first, so that each generation moves on before it is overwritten.
  for (int n = kBackupGenerations; n >= 1; --n) {
    const QString target = backup_path(session, n);
    if (copy_file_over(backup_path(session, n - 1), target) == FileCopy::Failed) failed << target;
  }
  return failed;
}

QString backup_failed_message(const QStringList& files) {
  QStringList lines{kBackupFailed};
  for (const QString& file : files) lines << QDir::toNativeSeparators(file);
  return lines.join('\n');
}

ExitDecision exit_dialogue(Session& session, ExitSource source) {
  // Only the main window's unload knows the re-login; the frame always asks.
  if (source == ExitSource::MainWindow && session.relogin_marker == QStringLiteral("xs")) {
    session.relogin_marker.clear();
    return ExitDecision::Relogin;
  }
  Prompts& prompts = *session.prompts;
  if (!prompts.confirm(kExitQuestion, kExitTitle)) return ExitDecision::Stay;
  // The backup copies the file as it lies on disk, so nothing may hold it open.
  session.main_conn = DbConn{};
  if (prompts.confirm(kBackupQuestion, kBackupTitle)) {
    const QStringList failed = backup_main_db(session);
    if (!failed.isEmpty())
      prompts.tell(backup_failed_message(failed), kBackupTitle, PromptIcon::Exclamation);
  }
  return ExitDecision::End;
}

}  // namespace vemo

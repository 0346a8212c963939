// Compaction through VACUUM INTO, with the original put back when it fails.
#include "data/compaction.h"

#include "data/scramble.h"
#include "platform/log.h"
#include "platform/scramble_vfs.h"
#include "platform/sql_text.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace vemo {
namespace {

constexpr const char* kWhere = "compact_main_db";

// Runs one statement on a file opened through the scrambling layer.
bool run_on_file(const QString& path, int flags, const QString& sql, QString* why) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, scramble_vfs_name());
  if (rc == SQLITE_OK) {
    rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
  }
  if (rc != SQLITE_OK) *why = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
  sqlite3_close(db);
  return rc == SQLITE_OK;
}

// Reading the file once rolls back a journal a crash left beside it, which a copy of the
// file alone would lose; the journal would then be played into the compacted file.
bool settle(const QString& path, QString* why) {
  return run_on_file(path, SQLITE_OPEN_READWRITE, "SELECT count(*) FROM sqlite_master", why);
}

bool vacuum_into(const QString& source, const QString& destination, QString* why) {
  return run_on_file(source, SQLITE_OPEN_READONLY, "VACUUM INTO " + sql_quote(destination), why);
}

// Gives the main file back its mode's form after a step that left it plain.
void restore_form(const DataState& state) {
  sync_file_scramble(state.dev_marker, state.main_db_path);
}

CompactResult skip(const DataState& state, const QString& what, const QString& why) {
  log_skip(kWhere, what, why);
  restore_form(state);
  return CompactResult::Skipped;
}

// The compaction failed after the main file was removed: the copy goes back in its place.
CompactResult put_back(const DataState& state, const QString& copy) {
  const QString& main = state.main_db_path;
  if (QFile::exists(main) && !QFile::remove(main)) {
    log_skip(kWhere, "removing the unfinished " + main, "kept the data in " + copy);
    return CompactResult::CopyKept;
  }
  if (!QFile::rename(copy, main)) {
    log_skip(kWhere, "moving " + copy + " back to " + main, "kept the data in " + copy);
    return CompactResult::CopyKept;
  }
  restore_form(state);
  return CompactResult::RolledBack;
}

}  // namespace

QString compaction_copy_path(const DataState& state) {
  return QFileInfo(state.main_db_path).absolutePath() + QString::fromUtf8("/澜川x.mdb");
}

CompactResult compact_main_db(const DataState& state) {
  const QString& main = state.main_db_path;
  const QString copy = compaction_copy_path(state);
  QString why;
  if (!QFileInfo(main).isFile()) {
    log_skip(kWhere, "compacting " + main, "no such file");
    return CompactResult::Skipped;
  }
  if (!settle(main, &why)) return skip(state, "compacting " + main, "unreadable: " + why);
  ensure_plain(main);
  if (QFile::exists(copy) && !QFile::remove(copy)) {
    return skip(state, "removing the earlier copy " + copy, "cannot remove it");
  }
  if (!QFile::copy(main, copy)) {
    QFile::remove(copy);
    return skip(state, "copying " + main + " to " + copy, "copy failed");
  }
  if (!QFile::remove(main)) {
    QFile::remove(copy);
    return skip(state, "removing " + main + " before compacting", "cannot remove it");
  }
  if (!vacuum_into(copy, main, &why)) {
    log_skip(kWhere, "compacting " + copy + " into " + main, why);
    return put_back(state, copy);
  }
  if (!QFile::remove(copy)) log_skip(kWhere, "removing " + copy, "cannot remove it");
  restore_form(state);
  return CompactResult::Compacted;
}

}  // namespace vemo

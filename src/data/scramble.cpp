// The scrambling procedures over the byte layout of platform/scramble_layout.
#include "data/scramble.h"

#include "platform/log.h"
#include "platform/scramble_layout.h"

namespace vemo {
namespace {

bool rotate_logged(Rotation rotation, const QString& path, const char* where) {
  QString why;
  if (rotate_file(rotation, path, &why)) return true;
  log_skip(where, path, why);
  return false;
}

}  // namespace

bool scramble_db_file(const QString& path) {
  return rotate_logged(Rotation::Scramble, path, "scramble_db_file");
}

bool unscramble_db_file(const QString& path) {
  return rotate_logged(Rotation::Restore, path, "unscramble_db_file");
}

bool marker_wants_plain(const QString& marker) { return marker == kDeveloperMarker; }

ScrambleSync sync_file_scramble(const QString& marker, const QString& path) {
  const FileForm form = file_form(path);
  if (form == FileForm::Short) {
    log_debug("sync_file_scramble", "left alone (missing or too short to scramble): " + path);
    return ScrambleSync::Unchanged;
  }
  if (marker_wants_plain(marker)) {
    if (form == FileForm::Plain) return ScrambleSync::Unchanged;
    if (form == FileForm::Unknown) {
      // Restoring would not give a plain file: rotating it would only damage it further.
      log_skip("sync_file_scramble", "restoring " + path, "not a scrambled database file");
      return ScrambleSync::Skipped;
    }
    return unscramble_db_file(path) ? ScrambleSync::Restored : ScrambleSync::Skipped;
  }
  if (form != FileForm::Plain) return ScrambleSync::Unchanged;
  return scramble_db_file(path) ? ScrambleSync::Scrambled : ScrambleSync::Skipped;
}

void sync_db_scramble(const DataState& state, const QString& marker) {
  sync_file_scramble(marker, state.main_db_path);
  sync_file_scramble(marker, state.set_db_path);
}

ScrambleSync ensure_plain(const QString& path) {
  return sync_file_scramble(kDeveloperMarker, path);
}

ScrambleSync ensure_scrambled(const QString& path) {
  return sync_file_scramble(kNormalMarker, path);
}

}  // namespace vemo

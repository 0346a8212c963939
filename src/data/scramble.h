// Bringing database files into the form the current mode wants: plain for developers,
// scrambled otherwise.
#pragma once

#include "data/data_state.h"

#include <QString>

namespace vemo {

// What a sync did to one file.
enum class ScrambleSync {
  Unchanged,  // already in the wanted form (or too short to have one)
  Restored,
  Scrambled,
  Skipped,  // the wanted change failed or was refused; the file is as it was (logged)
};

// Run the rotation passes on a file as it is, without looking at its form; files shorter
// than the rotated positions are left alone. False when nothing was written (logged).
bool scramble_db_file(const QString& path);
bool unscramble_db_file(const QString& path);

// Brings one file into the marker's form: plain for kDeveloperMarker, scrambled for any
// other marker. The form is tested first, so a file is never rotated twice.
ScrambleSync sync_file_scramble(const QString& marker, const QString& path);

// The main database file, then the settings file.
void sync_db_scramble(const DataState& state, const QString& marker);

// The form-testing steps the open and compaction paths use instead of rotating blindly.
ScrambleSync ensure_plain(const QString& path);
ScrambleSync ensure_scrambled(const QString& path);

// The form a marker wants: developer mode keeps files plain.
bool marker_wants_plain(const QString& marker);

}  // namespace vemo

// Compaction of the main database file: rewritten compactly under its own name.
#pragma once

#include "data/data_state.h"

#include <QString>

namespace vemo {

enum class CompactResult {
  Compacted,   // the main file is the compacted file, in its mode's form
  Skipped,     // nothing was compacted; the main file is as it was
  RolledBack,  // the compaction failed; the original file is back under the main name
  CopyKept,    // the compaction failed and the original could not be put back: the
               // temporary copy holds the data
};

// The temporary copy beside the main file: 澜川x.mdb.
QString compaction_copy_path(const DataState& state);

// Copies the main file to the temporary copy, compacts the copy into the main name and
// removes the copy. Runs when no connection to the main file is open. Every failing step
// is logged and skipped; no data are lost on any path.
CompactResult compact_main_db(const DataState& state);

}  // namespace vemo

// Stand-in until the scrambling file layer is merged: SQLite's default file layer.
#include "platform/scramble_vfs.h"

namespace vemo {

// Replaced by the scrambling file layer; nullptr selects SQLite's default VFS.
const char* scramble_vfs_name() { return nullptr; }

}  // namespace vemo

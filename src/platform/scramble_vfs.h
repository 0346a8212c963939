// The SQLite file layer that lets the engine work on database files kept scrambled on
// disk: it reads the file's form from the file at every access to the scrambled bytes.
#pragma once

namespace vemo {

// Registers the layer once and gives its VFS name for sqlite3_open_v2().
const char* scramble_vfs_name();

}  // namespace vemo

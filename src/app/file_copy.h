// Copying a database file over another without ever leaving a half-written target.
#pragma once

#include <QString>

namespace vemo {

enum class FileCopy {
  Copied,
  NoSource,  // the source does not exist: nothing was written
  Failed,    // the target could not be written (or the source read); the target is as it was
};

// A byte-for-byte copy of the file as it lies on disk. The bytes go to a temporary file
// beside the target, which replaces the target only once it is complete. Failures are logged.
FileCopy copy_file_over(const QString& source, const QString& target);

}  // namespace vemo

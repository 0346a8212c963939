// Temporary folders for tests.
#include "support/temp_dir.h"

#include <QDir>

namespace vemo::test {

TempDir::TempDir() : dir_(QDir::tempPath() + "/vemo-test-XXXXXX") {}

QString TempDir::path() const { return dir_.path(); }

QString TempDir::file(const QString& name) const { return dir_.path() + '/' + name; }

}  // namespace vemo::test

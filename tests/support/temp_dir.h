// A temporary folder per test, removed afterwards, with paths built inside it.
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace vemo::test {

class TempDir {
 public:
  TempDir();
  QString path() const;
  QString file(const QString& name) const;

 private:
  QTemporaryDir dir_;
};

}  // namespace vemo::test

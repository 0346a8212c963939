// Where the shipped station content is read from: the copy embedded in the binary, or a
// station/ folder on disk (the source tree, in tests).
#pragma once

#include "station/tsv.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vemo {

inline const QString kEmbeddedStation = QStringLiteral(":/station");

class StationContent {
 public:
  explicit StationContent(QString root = kEmbeddedStation);

  QString root() const { return root_; }
  QString path(const QString& relative) const;
  bool exists(const QString& relative) const;
  std::optional<QByteArray> read(const QString& relative, QString* error = nullptr) const;
  std::optional<TsvTable> read_tsv(const QString& relative, QString* error = nullptr) const;

 private:
  QString root_;
};

}  // namespace vemo

// Reading the shipped station content.
#include "station/station_content.h"

#include <QFile>
#include <QFileInfo>

namespace vemo {

StationContent::StationContent(QString root) : root_(std::move(root)) {}

QString StationContent::path(const QString& relative) const { return root_ + '/' + relative; }

bool StationContent::exists(const QString& relative) const {
  return QFileInfo::exists(path(relative));
}

std::optional<QByteArray> StationContent::read(const QString& relative, QString* error) const {
  QFile file(path(relative));
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = path(relative) + QStringLiteral(": 无法读取 (") + file.errorString() + ')';
    return std::nullopt;
  }
  return file.readAll();
}

std::optional<TsvTable> StationContent::read_tsv(const QString& relative, QString* error) const {
  const auto bytes = read(relative, error);
  if (!bytes) return std::nullopt;
  QString why;
  auto table = parse_tsv(*bytes, &why);
  if (!table && error) *error = path(relative) + ": " + why;
  return table;
}

}  // namespace vemo

// Whole-file copies through a temporary file and a rename.
#include "app/file_copy.h"

#include "platform/log.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vemo {
namespace {

constexpr qint64 kChunk = 1 << 20;

FileCopy failed(const QString& source, const QString& target, const QString& why) {
  log_skip(QStringLiteral("file copy"), source + QStringLiteral(" -> ") + target, why);
  return FileCopy::Failed;
}

}  // namespace

FileCopy copy_file_over(const QString& source, const QString& target) {
  if (!QFileInfo(source).isFile()) {
    log_debug(QStringLiteral("file copy"), source + QStringLiteral(" does not exist"));
    return FileCopy::NoSource;
  }
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly)) return failed(source, target, in.errorString());
  QSaveFile out(target);
  if (!out.open(QIODevice::WriteOnly)) return failed(source, target, out.errorString());
  while (!in.atEnd()) {
    const QByteArray chunk = in.read(kChunk);
    if (chunk.isEmpty()) {
      out.cancelWriting();
      return failed(source, target, in.errorString());
    }
    if (out.write(chunk) != chunk.size()) {
      out.cancelWriting();
      return failed(source, target, out.errorString());
    }
  }
  if (!out.commit()) return failed(source, target, out.errorString());
  return FileCopy::Copied;
}

}  // namespace vemo

// Debug log writer; the target is read from the environment once.
#include "platform/log.h"

#include <QDateTime>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <mutex>

namespace vemo {
namespace {

struct LogTarget {
  bool enabled = false;
  bool to_stderr = false;
  QString path;
};

const LogTarget& target() {
  static const LogTarget t = [] {
    LogTarget result;
    const QString value = qEnvironmentVariable("VEMO_DEBUG_LOG");
    if (value.isEmpty() || value == "0") return result;
    result.enabled = true;
    result.to_stderr = value == "1" || value.compare("stderr", Qt::CaseInsensitive) == 0;
    if (!result.to_stderr) result.path = value;
    return result;
  }();
  return t;
}

void write_line(const QString& line) {
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  const LogTarget& t = target();
  if (t.to_stderr) {
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    return;
  }
  QFile file(t.path);
  if (file.open(QIODevice::Append | QIODevice::Text)) {
    QTextStream(&file) << line << '\n';
  }
}

}  // namespace

bool debug_log_enabled() { return target().enabled; }

void log_debug(const QString& where, const QString& message) {
  if (!debug_log_enabled()) return;
  write_line(QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + " [" + where + "] " +
             message);
}

void log_skip(const QString& where, const QString& what, const QString& why) {
  log_debug(where, "skipped: " + what + " (" + why + ")");
}

}  // namespace vemo

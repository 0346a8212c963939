// The document-scope test.
#include "document/document_scope.h"

#include "data/data_state.h"

#include <QStringList>

namespace vemo {

bool document_in_scope(const QString& scope, const QString& document, const QString& dev_marker) {
  if (dev_marker == kDeveloperMarker) return true;
  if (scope.trimmed().toUpper() == QLatin1String("ALL")) return true;
  const QString name = document.trimmed();
  if (name.isEmpty()) return false;
  const QStringList names = scope.split(',');
  for (const QString& entry : names) {
    if (entry.trimmed() == name) return true;
  }
  return false;
}

}  // namespace vemo

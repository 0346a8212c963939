// Reference texts.
#include "document/references.h"

namespace vemo {

QString reference_address(const QString& reference) {
  const int dot = reference.indexOf('.');
  return dot < 0 ? reference : reference.mid(dot + 1);
}

QString cell_reference(const QString& document, const QString& address) {
  return document + '.' + address;
}

}  // namespace vemo

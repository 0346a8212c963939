// Colour texts for formats.
#include "platform/cell_format.h"

#include <QHash>

namespace vemo {

std::optional<QString> color_text(const QString& text) {
  static const QHash<QString, QString> names = {
      {"black", "#000000"},  {"white", "#FFFFFF"},  {"red", "#FF0000"},    {"green", "#008000"},
      {"blue", "#0000FF"},   {"yellow", "#FFFF00"}, {"gray", "#808080"},   {"grey", "#808080"},
      {"silver", "#C0C0C0"}, {"navy", "#000080"},   {"maroon", "#800000"}, {"purple", "#800080"},
      {"orange", "#FFA500"}, {"lime", "#00FF00"},   {"aqua", "#00FFFF"},   {"teal", "#008080"},
  };
  const QString t = text.trimmed().toLower();
  if (const auto it = names.constFind(t); it != names.constEnd()) return *it;
  if (!t.startsWith('#')) return std::nullopt;
  QString hex = t.mid(1);
  if (hex.size() == 3) hex = QString(hex[0]) + hex[0] + hex[1] + hex[1] + hex[2] + hex[2];
  if (hex.size() != 6) return std::nullopt;
  bool ok = false;
  hex.toUInt(&ok, 16);
  if (!ok) return std::nullopt;
  return '#' + hex.toUpper();
}

}  // namespace vemo

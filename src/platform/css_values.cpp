// Reading single CSS values of page templates: lengths, colours, border shorthands.
#include "platform/css_values.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace vemo {

namespace {

std::optional<QString> rgb_function(const QString& text) {
  static const QRegularExpression pattern(
      R"(^rgb\(\s*(\d{1,3})\s*,\s*(\d{1,3})\s*,\s*(\d{1,3})\s*\)$)");
  const auto match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  QString result = "#";
  for (int i = 1; i <= 3; ++i) {
    result += QString("%1").arg(std::min(match.captured(i).toUInt(), 255u), 2, 16, QChar('0'));
  }
  return result.toUpper();
}

std::optional<int> line_style(const QString& word) {
  if (word == "solid") return kLineContinuous;
  if (word == "dashed") return 2;
  if (word == "dotted") return 3;
  if (word == "double") return 4;
  if (word == "none" || word == "hidden") return kLineNone;
  return std::nullopt;
}

// The grid's weights: 2 thin, 3 medium, 4 thick. Excel writes thin lines as ".5pt".
std::optional<int> line_weight(const QString& word) {
  if (word == "thin") return kBorderThin;
  if (word == "medium") return 3;
  if (word == "thick") return 4;
  const auto px = css_length_px(word);
  if (!px) return std::nullopt;
  if (*px < 1.5) return kBorderThin;
  return *px < 2.5 ? 3 : 4;
}

}  // namespace

std::optional<double> css_length_px(const QString& text) {
  // Read by hand: this runs for every border and size of every cell of a page.
  const QString value = text.trimmed().toLower();
  qsizetype end = 0;
  int digits = 0, dots = 0;
  while (end < value.size() && (value[end].isDigit() || value[end] == '.')) {
    value[end] == '.' ? ++dots : ++digits;
    ++end;
  }
  if (digits == 0 || digits > 18 || dots > 1 || value[end - 1] == '.') return std::nullopt;
  const double number = value.left(end).toDouble();
  const QString unit = value.mid(end).trimmed();
  double px = number;
  if (unit == "pt") {
    px = number * 96.0 / 72.0;
  } else if (unit == "in") {
    px = number * 96.0;
  } else if (unit == "cm") {
    px = number * 96.0 / 2.54;
  } else if (unit == "mm") {
    px = number * 96.0 / 25.4;
  } else if (!unit.isEmpty() && unit != "px") {
    return std::nullopt;
  }
  if (!std::isfinite(px)) return std::nullopt;
  return px;
}

std::optional<QString> css_color(const QString& text) {
  const QString value = text.trimmed().toLower();
  if (value == "windowtext" || value == "auto") return QStringLiteral("#000000");
  if (value.startsWith("rgb(")) return rgb_function(value);
  return color_text(value);
}

std::optional<HAlign> css_h_align(const QString& text) {
  const QString value = text.trimmed().toLower();
  if (value == "left" || value == "start" || value == "justify") return HAlign::Left;
  if (value == "center" || value == "centre") return HAlign::Center;
  if (value == "right" || value == "end") return HAlign::Right;
  if (value == "general") return HAlign::General;
  return std::nullopt;
}

std::optional<VAlign> css_v_align(const QString& text) {
  const QString value = text.trimmed().toLower();
  if (value == "top") return VAlign::Top;
  if (value == "middle" || value == "center") return VAlign::Center;
  if (value == "bottom") return VAlign::Bottom;
  return std::nullopt;
}

Border border_from_shorthand(const QString& text) {
  static const QRegularExpression spaces_in_parens(R"(\s*([(),])\s*)");
  QString value = text.trimmed().toLower();
  if (value.contains('(')) value.replace(spaces_in_parens, "\\1");
  Border border;
  for (const QString& word : value.split(' ', Qt::SkipEmptyParts)) {
    if (const auto style = line_style(word)) {
      border.line_style = *style;
    } else if (const auto weight = line_weight(word)) {
      border.weight = *weight;
    } else if (const auto color = css_color(word)) {
      border.color = *color;
    }
  }
  return border;
}

}  // namespace vemo

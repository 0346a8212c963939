// Reading single CSS values of page templates: lengths, colours, border shorthands.
#include "platform/css_values.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>
#include <cmath>

namespace vemo {

namespace {

struct NamedColor {
  const char* name;
  unsigned rgb;
};

// Excel's exported pages write "windowtext" and "auto" for the default text colour.
constexpr std::array<NamedColor, 22> kNamedColors{{
    {"black", 0x000000},     {"white", 0xffffff},     {"red", 0xff0000},        {"green", 0x008000},
    {"lime", 0x00ff00},      {"blue", 0x0000ff},      {"yellow", 0xffff00},     {"gray", 0x808080},
    {"grey", 0x808080},      {"silver", 0xc0c0c0},    {"maroon", 0x800000},     {"navy", 0x000080},
    {"olive", 0x808000},     {"purple", 0x800080},    {"teal", 0x008080},       {"aqua", 0x00ffff},
    {"fuchsia", 0xff00ff},   {"orange", 0xffa500},    {"windowtext", 0x000000}, {"auto", 0x000000},
    {"lightgray", 0xd3d3d3}, {"lightgrey", 0xd3d3d3},
}};

std::optional<unsigned> hex_color(const QString& digits) {
  bool ok = false;
  const unsigned value = digits.toUInt(&ok, 16);
  if (!ok) return std::nullopt;
  if (digits.size() == 6) return value;
  if (digits.size() == 3) {
    const unsigned r = (value >> 8) & 0xf, g = (value >> 4) & 0xf, b = value & 0xf;
    return (r * 0x11) << 16 | (g * 0x11) << 8 | (b * 0x11);
  }
  return std::nullopt;
}

std::optional<unsigned> rgb_function(const QString& text) {
  static const QRegularExpression pattern(
      R"(^rgb\(\s*(\d{1,3})\s*,\s*(\d{1,3})\s*,\s*(\d{1,3})\s*\)$)");
  const auto match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  unsigned rgb = 0;
  for (int i = 1; i <= 3; ++i) rgb = rgb << 8 | std::min(match.captured(i).toUInt(), 255u);
  return rgb;
}

std::optional<LineStyle> line_style(const QString& word) {
  if (word == "solid") return LineStyle::Solid;
  if (word == "dashed") return LineStyle::Dashed;
  if (word == "dotted") return LineStyle::Dotted;
  if (word == "double") return LineStyle::Double;
  if (word == "none" || word == "hidden") return LineStyle::None;
  return std::nullopt;
}

std::optional<double> line_width_px(const QString& word) {
  if (word == "thin") return 1;
  if (word == "medium") return 2;
  if (word == "thick") return 3;
  return css_length_px(word);
}

}  // namespace

std::optional<double> css_length_px(const QString& text) {
  static const QRegularExpression pattern(R"(^(\d*\.?\d+)\s*(px|pt|cm|mm|in)?$)");
  const auto match = pattern.match(text.trimmed().toLower());
  if (!match.hasMatch()) return std::nullopt;
  const double value = match.captured(1).toDouble();
  const QString unit = match.captured(2);
  double px = value;
  if (unit == "pt") px = value * 96.0 / 72.0;
  if (unit == "in") px = value * 96.0;
  if (unit == "cm") px = value * 96.0 / 2.54;
  if (unit == "mm") px = value * 96.0 / 25.4;
  if (!std::isfinite(px)) return std::nullopt;
  return px;
}

std::optional<unsigned> css_color(const QString& text) {
  const QString value = text.trimmed().toLower();
  if (value.startsWith('#')) return hex_color(value.mid(1));
  if (value.startsWith("rgb(")) return rgb_function(value);
  for (const auto& named : kNamedColors) {
    if (value == QLatin1String(named.name)) return named.rgb;
  }
  return std::nullopt;
}

void apply_border_shorthand(const QString& text, BorderLine& line) {
  // As in CSS, the shorthand resets what it leaves out: no style word means no line.
  static const QRegularExpression spaces_in_parens(R"(\s*([(),])\s*)");
  QString value = text.trimmed().toLower();
  value.replace(spaces_in_parens, "\\1");
  line = BorderLine{};
  double width = 1;
  for (const QString& word : value.split(' ', Qt::SkipEmptyParts)) {
    if (const auto style = line_style(word)) {
      line.style = *style;
    } else if (const auto px = line_width_px(word)) {
      width = *px;
    } else if (const auto color = css_color(word)) {
      line.rgb = *color;
    }
  }
  if (line.style != LineStyle::None) {
    line.width_px = std::clamp(static_cast<int>(std::lround(width)), 1, 8);
  }
}

}  // namespace vemo

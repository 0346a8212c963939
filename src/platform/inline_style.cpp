// Applies a template cell's inline "style" attribute to its format.
#include "platform/inline_style.h"

#include "platform/css_values.h"
#include "platform/log.h"

#include <QStringList>

#include <utility>
#include <vector>

namespace vemo {

namespace {

using Declaration = std::pair<QString, QString>;

// Splits "a: b; c: 'x;y'" at the semicolons outside quotes.
std::vector<Declaration> declarations(const QString& css) {
  std::vector<Declaration> result;
  QString current;
  QChar quote;
  auto flush = [&] {
    const qsizetype colon = current.indexOf(':');
    if (colon > 0) {
      result.emplace_back(current.left(colon).trimmed().toLower(),
                          current.mid(colon + 1).trimmed());
    }
    current.clear();
  };
  for (const QChar c : css) {
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      flush();
      continue;
    }
    current += c;
  }
  flush();
  return result;
}

QString unquoted(QString text) {
  text = text.trimmed();
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      text.back() == text.front()) {
    text = text.mid(1, text.size() - 2);
  }
  return text.trimmed();
}

// The first family of a list: "'宋体', SimSun, serif" gives 宋体.
QString first_font_family(const QString& value) {
  QString family;
  QChar quote;
  for (const QChar c : value) {
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ',') {
      break;
    }
    family += c;
  }
  return unquoted(family);
}

std::optional<double> font_size_pt(const QString& value) {
  const auto px = css_length_px(value);
  if (!px || *px <= 0) return std::nullopt;
  return std::min(*px * 72.0 / 96.0, 409.0);
}

// "background: #ff0 url(x.png) no-repeat" carries its colour among other words.
std::optional<QString> background_color(const QString& value) {
  for (const QString& word : value.split(' ', Qt::SkipEmptyParts)) {
    if (const auto color = css_color(word)) return color;
  }
  return std::nullopt;
}

template <typename T, typename Field>
bool set_if(const std::optional<T>& value, Field& field) {
  if (value) field = *value;
  return value.has_value();
}

bool apply_declaration(const QString& name, const QString& raw, CellFormat& format) {
  const QString value = raw.toLower();
  if (name == "font-family") {
    const QString family = first_font_family(raw);
    if (!family.isEmpty()) format.font.family = family;
    return !family.isEmpty();
  }
  if (name == "font-size") return set_if(font_size_pt(value), format.font.size);
  if (name == "font-weight") {
    bool numeric = false;
    const int weight = value.toInt(&numeric);
    format.font.bold = value == "bold" || value == "bolder" || (numeric && weight >= 600);
    return true;
  }
  if (name == "font-style") {
    format.font.italic = value == "italic" || value == "oblique";
    return true;
  }
  if (name == "color") return set_if(css_color(value), format.font.color);
  if (name == "background" || name == "background-color") {
    if (value == "none" || value == "transparent") {
      format.background.clear();
      return true;
    }
    return set_if(background_color(value), format.background);
  }
  if (name == "text-align") return set_if(css_h_align(value), format.halign);
  if (name == "vertical-align") return set_if(css_v_align(value), format.valign);
  if (name == "white-space") {
    format.wrap = value == "normal" || value == "pre-wrap" || value == "pre-line";
    return true;
  }
  if (name == "word-wrap" || name == "overflow-wrap") {
    format.wrap = value == "break-word";
    return true;
  }
  if (name == "border") {
    const Border border = border_from_shorthand(value);
    format.borders = {border, border, border, border};
    return true;
  }
  static const std::pair<const char*, BorderEdge> kEdges[] = {
      {"border-left", BorderEdge::Left},
      {"border-top", BorderEdge::Top},
      {"border-right", BorderEdge::Right},
      {"border-bottom", BorderEdge::Bottom}};
  for (const auto& [edge_name, edge] : kEdges) {
    if (name == QLatin1String(edge_name)) {
      format.border(edge) = border_from_shorthand(value);
      return true;
    }
  }
  return false;
}

}  // namespace

void apply_inline_style(const QString& css, CellFormat& format) {
  for (const auto& [name, value] : declarations(css)) {
    // Excel's own "mso-" properties and sizes (read by the table reader) are not cell formats.
    if (name.startsWith("mso-") || name == "width" || name == "height") continue;
    if (!apply_declaration(name, value, format)) {
      log_debug("apply_inline_style", QString("ignored %1: %2").arg(name, value));
    }
  }
}

}  // namespace vemo

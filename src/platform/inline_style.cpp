// Applies a template cell's inline "style" attribute to its formatting.
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

std::optional<HAlign> h_align(const QString& value) {
  if (value == "left" || value == "start" || value == "justify") return HAlign::Left;
  if (value == "center" || value == "centre") return HAlign::Center;
  if (value == "right" || value == "end") return HAlign::Right;
  if (value == "general") return HAlign::General;
  return std::nullopt;
}

std::optional<VAlign> v_align(const QString& value) {
  if (value == "top") return VAlign::Top;
  if (value == "middle" || value == "center") return VAlign::Middle;
  if (value == "bottom") return VAlign::Bottom;
  return std::nullopt;
}

// "background: #ff0 url(x.png) no-repeat" carries its colour among other words.
std::optional<unsigned> background_color(const QString& value) {
  for (const QString& word : value.split(' ', Qt::SkipEmptyParts)) {
    if (const auto color = css_color(word)) return color;
  }
  return std::nullopt;
}

bool apply_declaration(const QString& name, const QString& raw, TemplateStyle& style) {
  const QString value = raw.toLower();
  if (name == "font-family") {
    style.font_family = first_font_family(raw);
    return !style.font_family.isEmpty();
  }
  if (name == "font-size") {
    const auto pt = font_size_pt(value);
    if (pt) style.font_size_pt = *pt;
    return pt.has_value();
  }
  if (name == "font-weight") {
    bool numeric = false;
    const int weight = value.toInt(&numeric);
    style.bold = value == "bold" || value == "bolder" || (numeric && weight >= 600);
    return true;
  }
  if (name == "font-style") {
    style.italic = value == "italic" || value == "oblique";
    return true;
  }
  if (name == "color") {
    const auto color = css_color(value);
    if (color) style.color = color;
    return color.has_value();
  }
  if (name == "background" || name == "background-color") {
    if (value == "none" || value == "transparent") {
      style.background.reset();
      return true;
    }
    const auto color = background_color(value);
    if (color) style.background = color;
    return color.has_value();
  }
  if (name == "text-align") {
    const auto align = h_align(value);
    if (align) style.h_align = *align;
    return align.has_value();
  }
  if (name == "vertical-align") {
    const auto align = v_align(value);
    if (align) style.v_align = *align;
    return align.has_value();
  }
  if (name == "white-space") {
    style.wrap = value == "normal" || value == "pre-wrap" || value == "pre-line";
    return true;
  }
  if (name == "word-wrap" || name == "overflow-wrap") {
    style.wrap = value == "break-word";
    return true;
  }
  if (name == "border") {
    apply_border_shorthand(value, style.left);
    style.right = style.top = style.bottom = style.left;
    return true;
  }
  if (name == "border-left") return apply_border_shorthand(value, style.left), true;
  if (name == "border-right") return apply_border_shorthand(value, style.right), true;
  if (name == "border-top") return apply_border_shorthand(value, style.top), true;
  if (name == "border-bottom") return apply_border_shorthand(value, style.bottom), true;
  return false;
}

}  // namespace

void apply_inline_style(const QString& css, TemplateStyle& style) {
  for (const auto& [name, value] : declarations(css)) {
    // Excel's own "mso-" properties and layout properties are not formatting we keep.
    if (name.startsWith("mso-") || name == "width" || name == "height") continue;
    if (!apply_declaration(name, value, style)) {
      log_debug("apply_inline_style", QString("ignored %1: %2").arg(name, value));
    }
  }
}

}  // namespace vemo

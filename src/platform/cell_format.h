// How a cell looks: font, alignment, wrap, background, borders, number format, lock.
#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <optional>

namespace vemo {

enum class HAlign : unsigned char { General, Left, Center, Right };
enum class VAlign : unsigned char { Top, Center, Bottom };

// The grid's numeric border settings: weight 1 hairline, 2 thin, 3 medium, 4 thick;
// line style 0 none, 1 continuous, 2 dash, 3 dot, 4 double.
enum class BorderEdge : unsigned char { Left, Top, Right, Bottom };
inline constexpr int kBorderThin = 2;
inline constexpr int kLineNone = 0;
inline constexpr int kLineContinuous = 1;

struct Border {
  QString color = QStringLiteral("#000000");  // "#RRGGBB"
  int weight = kBorderThin;
  int line_style = kLineNone;
  bool visible() const { return line_style != kLineNone; }
  friend bool operator==(const Border&, const Border&) = default;
};

struct CellFont {
  QString family = QStringLiteral("宋体");
  double size = 10.5;  // points
  bool bold = false;
  bool italic = false;
  QString color = QStringLiteral("#000000");
  friend bool operator==(const CellFont&, const CellFont&) = default;
};

// Every cell starts locked; protection makes locked cells read-only for the user.
struct CellFormat {
  CellFont font;
  HAlign halign = HAlign::General;
  VAlign valign = VAlign::Bottom;
  bool wrap = false;
  QString background;             // "" for none, else "#RRGGBB"
  std::array<Border, 4> borders;  // indexed by BorderEdge
  QString number_format;          // "" general, "@", "0", "0.00", "#,##0.00", ...
  bool locked = true;

  const Border& border(BorderEdge e) const { return borders[static_cast<std::size_t>(e)]; }
  Border& border(BorderEdge e) { return borders[static_cast<std::size_t>(e)]; }
  bool is_text_format() const { return number_format == QStringLiteral("@"); }
  friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

// "#RRGGBB" for "#rrggbb", "#rgb", "black", "red", ... Nothing for what it cannot read.
std::optional<QString> color_text(const QString& text);

}  // namespace vemo

// Reads the one table of an HTML page template into a PageTemplate.
#include "platform/template_parser.h"

#include "platform/css_values.h"
#include "platform/inline_style.h"
#include "platform/log.h"
#include "platform/markup_depth.h"
#include "platform/table_grid.h"

#include <gumbo.h>

#include <QRegularExpression>

#include <memory>
#include <vector>

namespace vemo {

namespace {

const QString kWhere = "parse_page_template";
constexpr int kMaxMarkupDepth = 4000;

struct GumboDeleter {
  void operator()(GumboOutput* output) const {
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
};

bool is_element(const GumboNode* node, GumboTag tag) {
  return node->type == GUMBO_NODE_ELEMENT && node->v.element.tag == tag;
}

const GumboVector& child_list(const GumboNode* node) {
  if (node->type == GUMBO_NODE_DOCUMENT) return node->v.document.children;
  if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE) {
    return node->v.element.children;
  }
  return kGumboEmptyVector;
}

const GumboNode* child_at(const GumboVector& list, unsigned i) {
  return static_cast<const GumboNode*>(list.data[i]);
}

// Pushes the children so that the first one is popped first.
void push_children(const GumboNode* node, std::vector<const GumboNode*>& stack) {
  const GumboVector& list = child_list(node);
  for (unsigned i = list.length; i > 0; --i) stack.push_back(child_at(list, i - 1));
}

std::vector<const GumboNode*> child_elements(const GumboNode* node, GumboTag tag) {
  std::vector<const GumboNode*> result;
  const GumboVector& list = child_list(node);
  for (unsigned i = 0; i < list.length; ++i) {
    if (is_element(child_at(list, i), tag)) result.push_back(child_at(list, i));
  }
  return result;
}

QString attribute(const GumboNode* node, const char* name) {
  const GumboAttribute* found = gumbo_get_attribute(&node->v.element.attributes, name);
  return found ? QString::fromUtf8(found->value) : QString();
}

// A missing or unreadable span is 1; 0 (to the end of the table) becomes `rest`.
int span_attribute(const GumboNode* node, const char* name, int rest) {
  const QString text = attribute(node, name).trimmed();
  if (text.isEmpty()) return 1;
  bool ok = false;
  const qlonglong value = text.toLongLong(&ok);
  if (!ok || value < 0) return 1;
  if (value == 0) return rest;
  return static_cast<int>(std::min<qlonglong>(value, kMaxTemplateRows));
}

// First element in document order; walked without recursion so deep nesting cannot overflow.
const GumboNode* find_first(const GumboNode* root, GumboTag tag) {
  std::vector<const GumboNode*> stack{root};
  while (!stack.empty()) {
    const GumboNode* node = stack.back();
    stack.pop_back();
    if (is_element(node, tag)) return node;
    push_children(node, stack);
  }
  return nullptr;
}

// HTML white space (not the ideographic blank, which templates use for spacing) collapses.
QString collapse_spaces(const QString& text) {
  QString result;
  result.reserve(text.size());
  bool pending_space = false;
  for (const QChar c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == QChar(0xa0)) {
      pending_space = !result.isEmpty();
      continue;
    }
    if (pending_space) result += ' ';
    pending_space = false;
    result += c;
  }
  return result;
}

// The cell's text: its text nodes, <br> as a line break; nested tables and scripts are left out.
QString cell_text(const GumboNode* cell) {
  QStringList lines{QString()};
  std::vector<const GumboNode*> stack;
  push_children(cell, stack);
  while (!stack.empty()) {
    const GumboNode* node = stack.back();
    stack.pop_back();
    if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE ||
        node->type == GUMBO_NODE_CDATA) {
      lines.back() += QString::fromUtf8(node->v.text.text);
    } else if (is_element(node, GUMBO_TAG_BR)) {
      lines.append(QString());
    } else if (is_element(node, GUMBO_TAG_TABLE) || is_element(node, GUMBO_TAG_SCRIPT) ||
               is_element(node, GUMBO_TAG_STYLE)) {
      log_debug(kWhere, "left out a nested table or script inside a cell");
    } else {
      push_children(node, stack);
    }
  }
  for (QString& line : lines) line = collapse_spaces(line);
  while (lines.size() > 1 && lines.back().isEmpty()) lines.removeLast();
  return lines.join('\n');
}

// Width or height from the attribute or from the inline style, in pixels.
std::optional<double> size_px(const GumboNode* node, const char* name) {
  static const QRegularExpression property_pattern(R"((?:^|;)\s*([a-z-]+)\s*:\s*([^;]*))");
  std::optional<double> result = css_length_px(attribute(node, name));
  auto it = property_pattern.globalMatch(attribute(node, "style").toLower());
  while (it.hasNext()) {
    const auto match = it.next();
    if (match.captured(1) == QLatin1String(name)) {
      if (const auto px = css_length_px(match.captured(2))) result = px;
    }
  }
  if (result && *result > 10000) result = 10000;
  return result;
}

CellFormat cell_format(const GumboNode* cell) {
  CellFormat format;
  if (is_element(cell, GUMBO_TAG_TH)) {
    format.font.bold = true;
    format.halign = HAlign::Center;
  }
  // Old presentational attributes first, so that an inline style wins as in browsers.
  if (const auto align = css_h_align(attribute(cell, "align"))) format.halign = *align;
  if (const auto align = css_v_align(attribute(cell, "valign"))) format.valign = *align;
  if (const auto color = css_color(attribute(cell, "bgcolor"))) format.background = *color;
  apply_inline_style(attribute(cell, "style"), format);
  format.number_format = attribute(cell, "data-format").trimmed();
  format.locked = attribute(cell, "data-locked").trimmed() != "0";
  return format;
}

QString formula_attribute(const GumboNode* cell) {
  QString formula = attribute(cell, "data-formula").trimmed();
  if (!formula.isEmpty() && !formula.startsWith('=')) formula.prepend('=');
  return formula;
}

std::vector<const GumboNode*> table_rows(const GumboNode* table) {
  std::vector<const GumboNode*> rows;
  const GumboVector& list = child_list(table);
  for (unsigned i = 0; i < list.length; ++i) {
    const GumboNode* child = child_at(list, i);
    if (is_element(child, GUMBO_TAG_TR)) {
      rows.push_back(child);
    } else if (is_element(child, GUMBO_TAG_THEAD) || is_element(child, GUMBO_TAG_TBODY) ||
               is_element(child, GUMBO_TAG_TFOOT)) {
      for (const GumboNode* row : child_elements(child, GUMBO_TAG_TR)) rows.push_back(row);
    }
  }
  if (static_cast<int>(rows.size()) > kMaxTemplateRows) {
    log_skip(kWhere, QString("rows after %1").arg(kMaxTemplateRows), "too many rows");
    rows.resize(kMaxTemplateRows);
  }
  return rows;
}

void read_column_widths(const GumboNode* table, PageTemplate& page) {
  int column = 1;
  auto take = [&](const GumboNode* node, std::optional<double> inherited) {
    const int span = std::min(span_attribute(node, "span", 1), kMaxTemplateColumns);
    const auto width = size_px(node, "width");
    for (int i = 0; i < span && column <= kMaxTemplateColumns; ++i, ++column) {
      if (width) {
        page.column_widths_px[column] = *width;
      } else if (inherited) {
        page.column_widths_px[column] = *inherited;
      }
    }
  };
  for (const GumboNode* group : child_elements(table, GUMBO_TAG_COLGROUP)) {
    const auto cols = child_elements(group, GUMBO_TAG_COL);
    if (cols.empty()) {
      take(group, std::nullopt);
      continue;
    }
    const auto group_width = size_px(group, "width");
    for (const GumboNode* col : cols) take(col, group_width);
  }
}

void read_cells(const std::vector<const GumboNode*>& rows, PageTemplate& page) {
  const int row_count = static_cast<int>(rows.size());
  TableGrid grid(row_count, kMaxTemplateColumns);
  for (int r = 1; r <= row_count; ++r) {
    const GumboNode* row = rows[r - 1];
    if (const auto height = size_px(row, "height")) page.row_heights_px[r] = *height;
    int column = 1;
    int dropped = 0;
    const GumboVector& cells = child_list(row);
    for (unsigned i = 0; i < cells.length; ++i) {
      const GumboNode* cell = child_at(cells, i);
      if (!is_element(cell, GUMBO_TAG_TD) && !is_element(cell, GUMBO_TAG_TH)) continue;
      const int rest = row_count - r + 1;
      const auto slot = grid.place(r, column, span_attribute(cell, "rowspan", rest),
                                   span_attribute(cell, "colspan", kMaxTemplateColumns));
      if (!slot) {
        ++dropped;
        continue;
      }
      column = slot->column + slot->column_span;
      TemplateCell parsed{slot->row,         slot->column,    slot->row_span,
                          slot->column_span, cell_text(cell), formula_attribute(cell),
                          cell_format(cell)};
      page.cells.push_back(std::move(parsed));
    }
    if (dropped > 0) {
      log_skip(kWhere, QString("%1 cells of row %2").arg(dropped).arg(r),
               QString("past column %1").arg(kMaxTemplateColumns));
    }
  }
  page.row_count = row_count;
  page.column_count = grid.used_columns();
}

}  // namespace

std::optional<PageTemplate> parse_page_template(const QByteArray& html) {
  if (html.size() > kMaxTemplateBytes) {
    log_skip(kWhere, "template", QString("larger than %1 bytes").arg(kMaxTemplateBytes));
    return std::nullopt;
  }
  if (const int depth = markup_depth_estimate(html); depth > kMaxMarkupDepth) {
    log_skip(kWhere, "template", QString("elements nested %1 deep").arg(depth));
    return std::nullopt;
  }
  GumboOptions options = kGumboDefaultOptions;
  options.max_errors = 0;  // the error list of a garbage file could grow without bound
  const std::unique_ptr<GumboOutput, GumboDeleter> output(
      gumbo_parse_with_options(&options, html.constData(), static_cast<size_t>(html.size())));
  if (!output) {
    log_skip(kWhere, "template", "the HTML parser gave no document");
    return std::nullopt;
  }
  const GumboNode* table = find_first(output->document, GUMBO_TAG_TABLE);
  if (table == nullptr) {
    log_skip(kWhere, "template", "no <table> in the page");
    return std::nullopt;
  }
  PageTemplate page;
  // The title sits in the head, which comes first; no need to walk the whole body for it.
  const GumboNode* head = find_first(output->document, GUMBO_TAG_HEAD);
  if (const GumboNode* title = head ? find_first(head, GUMBO_TAG_TITLE) : nullptr) {
    page.title = cell_text(title);
  }
  read_column_widths(table, page);
  read_cells(table_rows(table), page);
  return page;
}

}  // namespace vemo

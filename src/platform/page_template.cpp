// Loading a page template into a sheet.
#include "platform/page_template.h"

#include "platform/log.h"
#include "platform/sheet.h"
#include "platform/template_parser.h"

#include <QFile>

#include <cmath>

namespace vemo {

namespace {

const QString kWhere = "load_template";

// The load is the program's own writing: no events reach the engine while it runs.
class EventsOff {
 public:
  explicit EventsOff(Sheet& sheet) : sheet_(sheet), was_on_(sheet.enable_events()) {
    sheet_.set_enable_events(false);
  }
  ~EventsOff() { sheet_.set_enable_events(was_on_); }
  EventsOff(const EventsOff&) = delete;
  EventsOff& operator=(const EventsOff&) = delete;

 private:
  Sheet& sheet_;
  bool was_on_;
};

void apply_cell(Sheet& sheet, const TemplateCell& cell) {
  const CellArea area{cell.row, cell.column, cell.row + cell.row_span - 1,
                      cell.column + cell.column_span - 1};
  if (!area.single()) sheet.merge(area);
  // The format goes first, so that a text-formatted cell keeps "00123" as text.
  sheet.set_format(area, cell.format);
  const CellArea first = CellArea::of(area.first());
  if (!cell.formula.isEmpty()) {
    sheet.write_formula(first, cell.formula);
  } else if (!cell.text.isEmpty()) {
    sheet.write_input(first, cell.text);
  }
}

void apply_page(Sheet& sheet, const PageTemplate& page) {
  for (const auto& [column, width] : page.column_widths_px) {
    sheet.set_column_width(column, static_cast<int>(std::lround(width)));
  }
  for (const auto& [row, height] : page.row_heights_px) {
    sheet.set_row_height(row, static_cast<int>(std::lround(height)));
  }
  for (const TemplateCell& cell : page.cells) apply_cell(sheet, cell);
}

}  // namespace

bool load_template_text(Sheet& sheet, const QByteArray& html) {
  EventsOff quiet(sheet);
  sheet.clear();
  if (html.trimmed().isEmpty()) {
    log_skip(kWhere, "template", "the template is empty");
    return false;
  }
  const auto page = parse_page_template(html);
  if (!page) return false;  // the parser logged why
  apply_page(sheet, *page);
  return true;
}

bool load_template(Sheet& sheet, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    EventsOff quiet(sheet);
    sheet.clear();
    log_skip(kWhere, path, file.errorString());
    return false;
  }
  if (file.size() > kMaxTemplateBytes) {
    EventsOff quiet(sheet);
    sheet.clear();
    log_skip(kWhere, path, QString("larger than %1 bytes").arg(kMaxTemplateBytes));
    return false;
  }
  return load_template_text(sheet, file.readAll());
}

}  // namespace vemo

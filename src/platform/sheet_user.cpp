// What the view reports of the user: each entry point applies the action and raises the
// events the engine listens to, in the order the engine relies on.
#include "platform/sheet_data.h"

namespace vemo {

bool Sheet::user_begin_edit(CellPos p) {
  if (!is_valid_pos(p)) return false;
  if (!user_can_edit(p)) {
    log_debug("sheet", QStringLiteral("edit of locked cell %1 refused").arg(cell_address_text(p)));
    return false;
  }
  d_->raise(d_->events.edit_started, "edit started", cell(p.row, p.col));
  return true;
}

bool Sheet::user_edit(CellPos p, const QString& text) {
  if (!is_valid_pos(p)) return false;
  if (!user_can_edit(p)) {
    log_debug("sheet",
              QStringLiteral("input into locked cell %1 refused").arg(cell_address_text(p)));
    return false;
  }
  const CellArea unit = d_->grow(CellArea::of(p));
  std::vector<CellPos> changed;
  d_->store_input(unit.first(), text, changed);
  d_->finish_write(unit, changed);
  return true;
}

void Sheet::user_key(int key_code) {
  const Range selected = selection();
  d_->raise(d_->events.key_pressed, "key pressed", selected, key_code);
  // Delete clears one cell (or one merged area) itself; several cells are left to the engine.
  if (key_code != kKeyDelete) return;
  const Range now = range(selected.area());  // the handler may have merged or cleared
  if (!now.valid() || now.count() != 1) return;
  if (!user_can_edit(now.area().first())) {
    log_debug("sheet", QStringLiteral("delete in locked cell %1 refused").arg(now.address()));
    return;
  }
  std::vector<CellPos> changed;
  d_->store_value(now.area().first(), CellValue(), changed);
  d_->finish_write(now.area(), changed);
}

void Sheet::user_click(CellPos p) {
  if (!is_valid_pos(p)) return;
  d_->raise(d_->events.clicked, "clicked", cell(p.row, p.col));
}

void Sheet::user_double_click(CellPos p, int x, int y) {
  if (!is_valid_pos(p)) return;
  d_->raise(d_->events.double_clicked, "double clicked", cell(p.row, p.col), x, y);
}

void Sheet::user_select(const CellArea& area) {
  const Range r = range(area);
  if (!r.valid()) return;
  d_->selection = r.area();
  d_->active = r.area().first();
  d_->raise(d_->events.selection_changed, "selection changed", r);
}

void Sheet::user_scroll(int x, int y) {
  set_scroll_position(x, y);
  d_->raise(d_->events.scrolled, "scrolled");
}

void Sheet::user_focus_in() { d_->raise(d_->events.focus_gained, "focus gained"); }
void Sheet::user_focus_out() { d_->raise(d_->events.focus_lost, "focus lost"); }

}  // namespace vemo

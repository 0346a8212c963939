// The smaller reactions of the page (selection, clicks, edit start, scrolling, focus) and
// the wiring of every event to its handler.

#include "sheet/page_events.h"

#include "document/catalog.h"
#include "platform/dates.h"
#include "platform/sheet.h"
#include "platform/sheet_events.h"
#include "sheet/choice_list.h"

namespace vemo {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kListOffsetLeft = 3000;
constexpr int kListOffsetTop = 4000;
constexpr int kPictureScaleX = 30;
constexpr int kPictureScaleY = 20;

void remember_cell(Session& session, const Range& range) {
  session.form1.list_range = range;
  session.form1.list_cell = range.address();
}

}  // namespace

void on_selection_changed(Session& session, const Range& range) {
  MainWindowModel& form = session.form1;
  form.List2.visible = false;
  form.List1.visible = false;
  if (!range.valid()) return;
  remember_cell(session, range);
  form.List1.geometry.left = form.grid.left + kListOffsetLeft;
  form.List1.geometry.top = form.grid.top + kListOffsetTop;
  fill_choice_list(session, range.sheet()->name(), form.list_cell);
  if (form.List1.items.isEmpty()) return;
  if (form.List1.items.size() > 1 &&
      form.List1.items[1].compare(QStringLiteral("date"), Qt::CaseInsensitive) == 0)
    form.List1.items[1] = today_text();
  form.List1.visible = true;
}

void on_double_clicked(Session& session, const Range& range, int x, int y) {
  MainWindowModel& form = session.form1;
  if (!range.valid()) return;
  Sheet& sheet = *range.sheet();
  if (read_page_ysth(session, session.main_conn, sheet).isEmpty()) {
    session.prompts->tell(QStringLiteral("请先输入委托单号！"));
    sheet.set_enable_events(true);
    form.List1.visible = false;
    return;
  }
  remember_cell(session, range);
  form.List1.geometry.left = form.grid.left + kTwipsPerPixel * x;
  form.List1.geometry.top = form.grid.top + kTwipsPerPixel * y;
  fill_choice_list(session, sheet.name(), form.list_cell);
  form.List1.visible = form.List1.items.size() >= 2;
}

void on_clicked(Session& session) {
  session.form1.List2.visible = false;
  session.form1.List3.visible = false;
}

void on_edit_started(Session& session) {
  session.form1.edit_ysth = read_page_ysth(session, session.main_conn, session.Spreadsheet1);
  session.sheet_edit_mode = kEditGuardArmed;
}

void on_scrolled(Session& session) {
  MainWindowModel& form = session.form1;
  const Sheet& sheet = session.Spreadsheet1;
  const CellPos a1{1, 1};
  form.Picture1.geometry.left =
      form.grid.left + kPictureScaleX * sheet.view_left(a1) + session.logo_x;
  form.Picture1.geometry.top = form.grid.top + kPictureScaleY * sheet.view_top(a1) + session.logo_y;
}

void on_focus_gained(Session& session) {
  session.form1.List1.visible = false;
  session.sheet_edit_mode = kEditGuardArmed;
}

void on_focus_lost(Session& session) { session.form1.List1.visible = false; }

void connect_page_events(Session& session, Sheet& sheet) {
  SheetEvents& events = sheet.events();
  Session* s = &session;
  events.content_changed = [s](const Range& r) { on_content_changed(*s, r); };
  events.clicked = [s](const Range&) { on_clicked(*s); };
  events.double_clicked = [s](const Range& r, int x, int y) { on_double_clicked(*s, r, x, y); };
  events.key_pressed = [s](const Range& r, int key) { on_key_pressed(*s, r, key); };
  events.selection_changed = [s](const Range& r) { on_selection_changed(*s, r); };
  events.edit_started = [s](const Range&) { on_edit_started(*s); };
  events.scrolled = [s]() { on_scrolled(*s); };
  events.focus_gained = [s]() { on_focus_gained(*s); };
  events.focus_lost = [s]() { on_focus_lost(*s); };
}

}  // namespace vemo

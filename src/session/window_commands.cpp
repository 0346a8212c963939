// Layout commands of the main window.
#include "session/window_commands.h"

#include "platform/log.h"
#include "platform/number_text.h"

#include <array>

namespace vemo {
namespace {

// The page ends this far inside the window's right edge (the designed window leaves it).
constexpr int kPageRightMargin = 144;
// Room under the page with and without the bottom row.
constexpr int kBottomRowShown = 1300;
constexpr int kBottomRowHidden = 800;
constexpr int kBottomRowFromBottom = 1200;

void set_bottom_row_visible(MainWindowModel& form, bool visible) {
  form.Check2_visible = visible;
  for (int n = 1; n <= kBottomButtonCount; ++n) bottom_button(form, n).visible = visible;
}

// The page and the tree share the height left above the bottom row (or the margin).
void fit_heights(MainWindowModel& form, int room) {
  form.grid.height = form.form.height - room - form.form.top;
  form.tree.height = form.grid.height;
}

void follow_grid(MainWindowModel& form) {
  form.grid2.left = form.grid.left;
  form.grid2.width = form.grid.width;
}

}  // namespace

void layout_main_window(MainWindowModel& form, int width, int height) {
  form.form.width = width;
  form.form.height = height;
  fit_heights(form, form.Check2_visible ? kBottomRowShown : kBottomRowHidden);
  form.check2_top = height - kBottomRowFromBottom;
  form.buttons_top = height - kBottomRowFromBottom;
  form.grid.width = width - form.grid.left - kPageRightMargin;
  follow_grid(form);
}

void hide_tree(MainWindowModel& form) {
  form.menu.set_enabled(QStringLiteral("xs"), true);
  form.menu.set_enabled(QStringLiteral("yc"), false);
  form.tree_visible = false;
  form.grid.left -= form.tree.width;
  form.grid.width += form.tree.width;
  follow_grid(form);
  form.Command5_visible = false;
}

void show_tree(MainWindowModel& form) {
  form.menu.set_enabled(QStringLiteral("xs"), false);
  form.menu.set_enabled(QStringLiteral("yc"), true);
  form.tree_visible = true;
  form.grid.left += form.tree.width;
  form.grid.width -= form.tree.width;
  follow_grid(form);
  form.Command5_visible = true;
}

void hide_bottom_row(MainWindowModel& form) {
  form.menu.set_enabled(QStringLiteral("db_yc"), false);
  form.menu.set_enabled(QStringLiteral("db_xs"), true);
  set_bottom_row_visible(form, false);
  fit_heights(form, kBottomRowHidden);
}

void show_bottom_row(MainWindowModel& form) {
  form.menu.set_enabled(QStringLiteral("db_yc"), true);
  form.menu.set_enabled(QStringLiteral("db_xs"), false);
  set_bottom_row_visible(form, true);
  fit_heights(form, kBottomRowShown);
}

QString bottom_button_menu_item(int number) {
  switch (number) {
    case 5:
      return QStringLiteral("preprint");
    case 6:
      return QStringLiteral("pj_print");
    case 7:
      return QStringLiteral("queren");
    default:
      return {};
  }
}

bool bottom_button_enabled(const MainWindowModel& form, int number) {
  if (number < 1 || number > kBottomButtonCount) return false;
  const QString item = bottom_button_menu_item(number);
  return item.isEmpty() || form.menu.enabled(item);
}

ButtonModel& bottom_button(MainWindowModel& form, int number) {
  const std::array<ButtonModel*, kBottomButtonCount> buttons{
      &form.CommandButton1, &form.CommandButton2, &form.CommandButton3, &form.CommandButton4,
      &form.CommandButton5, &form.CommandButton6, &form.CommandButton7};
  if (number >= 1 && number <= kBottomButtonCount) return *buttons[number - 1];
  // A button the window does not have: changes to it reach no control.
  log_skip(QStringLiteral("bottom button"), number_text(number), QStringLiteral("no such button"));
  static thread_local ButtonModel nowhere;
  nowhere = ButtonModel{};
  return nowhere;
}

}  // namespace vemo

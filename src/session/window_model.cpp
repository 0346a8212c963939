// Menu item states of the main window.
#include "session/window_model.h"

namespace vemo {

MenuStates::MenuStates() {
  // Designed states: everything enabled except the two address items.
  enabled_.insert(QStringLiteral("getdz"), false);
  enabled_.insert(QStringLiteral("closedz"), false);
}

bool MenuStates::enabled(const QString& item) const { return enabled_.value(item, true); }

void MenuStates::set_enabled(const QString& item, bool on) { enabled_.insert(item, on); }

void MenuStates::set_enabled(const QStringList& items, bool on) {
  for (const QString& item : items) set_enabled(item, on);
}

}  // namespace vemo

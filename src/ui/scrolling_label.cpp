// Scrolling welcome text.
#include "ui/scrolling_label.h"

#include <QFont>

namespace vemo {

ScrollingLabel::ScrollingLabel(QWidget* parent) : QLabel(kWelcomeText, parent) {
  setObjectName(QStringLiteral("Label1"));
  QFont font = this->font();
  font.setPointSizeF(21.75);
  setFont(font);
  setStyleSheet(QStringLiteral("color: red; background: transparent;"));
  adjustSize();
  timer_.setInterval(10);
  connect(&timer_, &QTimer::timeout, this, &ScrollingLabel::step);
}

void ScrollingLabel::step() {
  const int window_width = parentWidget() ? parentWidget()->width() : 0;
  int left = x();
  if (left + width() < 0) left = window_width;
  // At least a pixel, so that a narrow window still scrolls.
  left -= qMax(1, window_width / 300);
  move(left, y());
}

}  // namespace vemo

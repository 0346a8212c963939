// The red welcome text that scrolls from right to left across a window (Timer2).
#pragma once

#include <QLabel>
#include <QTimer>

namespace vemo {

inline const QString kWelcomeText = QStringLiteral("欢迎使用Vemo仓库物流管理系统");

class ScrollingLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ScrollingLabel(QWidget* parent);
  // Every 10 ms: back to the right edge once the text has left on the left, then a step of
  // 1/300 of the window's width to the left.
  void step();
  QTimer& timer() { return timer_; }

 private:
  QTimer timer_;
};

}  // namespace vemo

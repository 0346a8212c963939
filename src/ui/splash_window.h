// frmSplash: the start-up screen that hands over to the log-in dialog, also the about box.
#pragma once

#include "session/session.h"

#include <QDialog>
#include <QTimer>

class QLabel;

namespace vemo {

class ScrollingLabel;

inline const QString kProductName = QStringLiteral("Vemo仓库物流管理系统");

class SplashWindow : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { StartUp, About };
  SplashWindow(Session& session, Mode mode, QWidget* parent);
  Mode mode() const { return mode_; }
  QTimer& timer1() { return timer1_; }
  ScrollingLabel* label1() const { return label1_; }

 signals:
  // Time for the log-in dialog: Timer1 fired, or a key or click at start-up.
  void handover();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void finish();

  Mode mode_;
  QTimer timer1_;
  ScrollingLabel* label1_;
  bool finished_ = false;
};

// "版本 2.1.138" for the program's own version.
QString version_label_text();

}  // namespace vemo

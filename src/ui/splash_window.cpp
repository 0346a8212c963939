// The splash screen.
#include "ui/splash_window.h"

#include "ui/company_logo.h"
#include "ui/scrolling_label.h"

#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <QVersionNumber>

namespace vemo {
namespace {

QLabel* add_label(QWidget* parent, const QString& name, const QString& text, int point_size,
                  bool bold) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setPointSize(point_size);
  font.setBold(bold);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

QString version_label_text() {
  const QVersionNumber version = QVersionNumber::fromString(QCoreApplication::applicationVersion());
  return QStringLiteral("版本 %1.%2.%3")
      .arg(version.majorVersion())
      .arg(version.minorVersion())
      .arg(version.microVersion());
}

SplashWindow::SplashWindow(Session& session, Mode mode, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), mode_(mode) {
  setObjectName(QStringLiteral("frmSplash"));
  setWindowTitle(kProductName);
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(560, 330);

  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setFrameShape(QFrame::Box);
  frame->setStyleSheet(
      QStringLiteral("#Frame1 { background: #00e0e0; border: 2px solid #006060; }"));
  frame->setGeometry(rect());
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(24, 16, 24, 56);
  auto* picture = new QLabel(frame);
  picture->setObjectName(QStringLiteral("imgLogo"));
  picture->setPixmap(company_logo(QSize(72, 72)));
  picture->setAlignment(Qt::AlignCenter);
  layout->addWidget(picture);
  layout->addWidget(
      add_label(frame, QStringLiteral("lblCompany"), QStringLiteral("澜川物流"), 14, false));
  layout->addWidget(add_label(frame, QStringLiteral("lblProductName"), kProductName, 26, true));
  layout->addWidget(
      add_label(frame, QStringLiteral("lblVersion"), version_label_text(), 12, false));
  layout->addWidget(add_label(frame, QStringLiteral("lblPlatform"),
                              QStringLiteral("win98,windowsXP平台"), 11, false));
  layout->addWidget(
      add_label(frame, QStringLiteral("lblWarning"),
                QStringLiteral("公路货运与仓储业务：运单、货票、凭证、出入库单与报表"), 10, false));
  layout->addStretch();

  label1_ = new ScrollingLabel(this);
  label1_->move(width() * 2 / 3, height() - label1_->height() - 12);

  // The splash and the log-in dialog stand at a fifth of the screen from its top-left corner.
  if (const QScreen* screen = parent ? parent->screen() : this->screen()) {
    const QRect area = screen->geometry();
    move(area.left() + area.width() / 5, area.top() + area.height() / 5);
  }
  session.logo_x = kDefaultLogoX;
  session.logo_y = kDefaultLogoY;

  timer1_.setSingleShot(true);
  timer1_.setInterval(500);
  connect(&timer1_, &QTimer::timeout, this, &SplashWindow::finish);
  if (mode_ == Mode::StartUp) timer1_.start();
}

void SplashWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  label1_->timer().start();
  setFocus();
}

void SplashWindow::finish() {
  if (finished_) return;
  finished_ = true;
  timer1_.stop();
  label1_->timer().stop();
  // At start-up a key or click goes on to the log-in, so the program never stands without one.
  if (mode_ == Mode::StartUp) emit handover();
  close();
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
  event->accept();
  finish();
}

void SplashWindow::mousePressEvent(QMouseEvent* event) {
  event->accept();
  finish();
}

}  // namespace vemo

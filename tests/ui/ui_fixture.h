// A small demo station and the desktop frame on it, with scripted message boxes.
#pragma once

#include "platform/prompts.h"
#include "station/station_builder.h"
#include "ui/frame_window.h"
#include "ui/login_dialog.h"
#include "ui/main_window.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline std::ostream& operator<<(std::ostream& os, const QString& text) {
  return os << text.toStdString();
}

namespace vemo::test {

class FrameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    QCoreApplication::setApplicationVersion(QStringLiteral("2.1.138"));
    StationSetup setup;
    setup.demo_waybills = 6;
    QString error;
    ASSERT_TRUE(build_station(folder(), setup, &error)) << error;
    frame = std::make_unique<FrameWindow>(folder());
    frame->session().prompts = prompts;
  }
  void TearDown() override { frame.reset(); }

  QString folder() const { return dir.filePath(QStringLiteral("station")); }
  Session& session() { return frame->session(); }

  // Start-up up to the log-in dialog, without waiting for the splash's timer.
  void start() {
    frame->start();
    ASSERT_TRUE(frame->splash());
    QTest::keyClick(frame->splash(), Qt::Key_Space);
    ASSERT_TRUE(frame->login() && frame->login()->isVisible());
  }
  // Types into the dialog and presses 确定.
  void log_in(const QString& user, const QString& password) {
    LoginDialog* login = frame->login();
    login->txtUserName->setEditText(user);
    login->txtPassword->setText(password);
    login->cmdOK->click();
  }
  MainWindow* start_and_log_in(const QString& user, const QString& password) {
    start();
    log_in(user, password);
    return frame->form1();
  }

  QTemporaryDir dir;
  std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();
  std::unique_ptr<FrameWindow> frame;
};

inline const QString kAdmin = QStringLiteral("admin");
inline const QString kAdminPassword = QStringLiteral("admin2026");
inline const QString kWriter = QStringLiteral("张丽");
inline const QString kWriterPassword = QStringLiteral("zl2026");
inline const QString kReader = QStringLiteral("王强");
inline const QString kReaderPassword = QStringLiteral("wq2026");

}  // namespace vemo::test

// A small station folder per test (copied from one built per suite), a session logged in as
// its administrator with scripted message boxes, and reads of the database files.
#pragma once

#include "app/login.h"
#include "data/connections.h"
#include "platform/connection.h"
#include "platform/prompts.h"
#include "platform/recordset.h"
#include "platform/sql_text.h"
#include "station/station_builder.h"
#include "support/db_helpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace vemo::test {

class StationWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    built_ = std::make_unique<QTemporaryDir>();
    QString error;
    if (!build_station(built_->filePath("station"), StationSetup(), &error)) {
      ADD_FAILURE() << error.toStdString();
    }
  }
  static void TearDownTestSuite() { built_.reset(); }

  void SetUp() override {
    for (const QString& name : {kMainDbName, kSettingsDbName, kUserListName}) {
      ASSERT_TRUE(QFile::copy(built_->filePath("station/" + name), dir.filePath(name)));
    }
    session.set_station_folder(dir.path());
    LoginInput input;
    input.user_name = "admin";
    input.password = "admin2026";
    ASSERT_TRUE(log_in(session, input).succeeded);
    session.set_conn = open_connection(session, session.set_db_path);
    session.prompts = prompts;
  }

  QStringList main_rows(const QString& sql) const { return file_rows(session.main_db_path, sql); }
  QString password_of(const QString& user) const {
    return main_rows("select mm from ws_gxq where username=" + sql_quote(user)).value(0);
  }

  QTemporaryDir dir;
  Session session;
  std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();

 private:
  static inline std::unique_ptr<QTemporaryDir> built_;
};

}  // namespace vemo::test

// A demo station folder built once for the station tests, and a logged-in session on it.
#pragma once

#include "app/login.h"
#include "data/connections.h"
#include "station/station_builder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Texts in failure messages.
inline std::ostream& operator<<(std::ostream& os, const QString& text) {
  return os << text.toStdString();
}

namespace vemo::test {

inline constexpr int kGoldenWaybills = 24;
inline constexpr int kGoldenSeed = 1;

// The station of the golden files: 24 demo waybills of seed 1.
class DemoStation : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<QTemporaryDir>();
    StationSetup setup;
    setup.demo_waybills = kGoldenWaybills;
    setup.demo_seed = kGoldenSeed;
    QString error;
    built_ = build_station(folder(), setup, &error);
    if (!built_) ADD_FAILURE() << error.toStdString();
  }
  static void TearDownTestSuite() { dir_.reset(); }

  void SetUp() override {
    ASSERT_TRUE(built_);
    session.set_station_folder(folder());
    LoginInput input;
    input.user_name = QStringLiteral("admin");
    input.password = QStringLiteral("admin2026");
    ASSERT_TRUE(log_in(session, input).succeeded);
    session.set_conn = open_connection(session, session.set_db_path);
  }

  static QString folder() { return dir_->filePath(QStringLiteral("station")); }

  Session session;

 private:
  static inline std::unique_ptr<QTemporaryDir> dir_;
  static inline bool built_ = false;
};

}  // namespace vemo::test

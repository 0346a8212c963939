// gtest entry point with a QApplication, which widgets need, and the CJK font the pages use.
#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  // Stable text widths and Chinese glyphs, whatever the locale's default font is.
  QApplication::setFont(QFont("WenQuanYi Micro Hei", 10));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

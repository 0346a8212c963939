// vemo STATION_FOLDER: the desktop application on one station folder.
#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return 0;
}

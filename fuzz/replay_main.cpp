// Runs every file of the given corpus folders through the fuzz entry point, without libFuzzer.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    QStringList files;
    const QFileInfo info(QString::fromLocal8Bit(argv[i]));
    if (info.isDir()) {
      for (const QString& name : QDir(info.filePath()).entryList(QDir::Files, QDir::Name)) {
        files << info.filePath() + '/' + name;
      }
    } else {
      files << info.filePath();
    }
    for (const QString& path : files) {
      QFile file(path);
      if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
      }
      const QByteArray data = file.readAll();
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(data.constData()),
                             static_cast<size_t>(data.size()));
      ++replayed;
    }
  }
  std::printf("replayed %d inputs\n", replayed);
  return replayed > 0 ? 0 : 1;
}

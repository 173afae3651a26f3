// The C host test's companion: builds the same clock program inside a GUI
// application, as the main program does, and compares its display data with the
// file the C host wrote without any Qt application. Exit 0 when every byte agrees.

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/sdk/api/clock_program.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The offset of the first byte that differs, or -1.
qsizetype FirstDifference(const QByteArray& a, const QByteArray& b) {
  for (qsizetype at = 0; at < std::min(a.size(), b.size()); ++at) {
    if (a[at] != b[at]) return at;
  }
  return a.size() == b.size() ? -1 : std::min(a.size(), b.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <display data written by the C host>\n", argv[0]);
    return 2;
  }
  const QString hostFile = QString::fromLocal8Bit(argv[1]);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  QTemporaryDir folder;
  ProgramHandle program = BuildClockProgram();
  if (!folder.isValid() || program == nullptr) {
    std::fprintf(stderr, "the reference program could not be built\n");
    if (program != nullptr) KQ_DeleteProgram(program);
    return 1;
  }
  const int32_t sent = WriteDisplayData(program, folder.path().toLocal8Bit().constData());
  KQ_DeleteProgram(program);
  if (sent != KQ_OK) {
    std::fprintf(stderr, "the reference display data failed with %d\n", int(sent));
    return 1;
  }
  const QByteArray expected =
      ReadAll(folder.filePath(QStringLiteral("marvane/KQ-W/kq_disp_dat.usb")));
  const QByteArray actual = ReadAll(hostFile);
  const qsizetype difference = FirstDifference(expected, actual);
  if (expected.isEmpty() || difference >= 0) {
    std::fprintf(stderr,
                 "display data differ: %lld bytes in the GUI application, %lld without; "
                 "first difference at %lld\n",
                 static_cast<long long>(expected.size()), static_cast<long long>(actual.size()),
                 static_cast<long long>(difference));
    return 1;
  }
  return 0;
}

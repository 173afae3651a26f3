// A stand-in for the updater in the main program's tests: serves the updater's window
// class, appends each message it gets to a file ("<msg> <wParam> <lParam>" a line) and,
// in mode "quit", ends on UM_QUIT_UPDATER; in mode "ignore" it never does.
// fake_updater <quit|ignore> <record file>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>

#include "platform/message_window.h"
#include "platform/window_channel.h"

namespace {

class RecordingUpdater : public MessageWindow {
 public:
  RecordingUpdater(QString recordPath, bool quits)
      : recordPath_(std::move(recordPath)), quits_(quits) {}

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    QFile record(recordPath_);
    if (record.open(QIODevice::Append)) {
      record.write(QStringLiteral("%1 %2 %3\n").arg(msg).arg(wParam).arg(lParam).toUtf8());
    }
    if (quits_ && msg == UM_QUIT_UPDATER) QCoreApplication::quit();
    return 0;
  }

 private:
  QString recordPath_;
  bool quits_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc < 3) return 2;
  RecordingUpdater window(QString::fromLocal8Bit(argv[2]), qstrcmp(argv[1], "quit") == 0);
  WindowChannel channel(kUpdaterWindowClass, window.Handle(), {UM_CHECK_UPDATE, UM_QUIT_UPDATER});
  if (!channel.IsListening()) return 3;
  return QCoreApplication::exec();
}

// A stand-in for the other program in tests: serves a window class (the updater's by
// default, or the main window's "Quendra6"), appends each message it gets to a file
// ("<msg> <wParam> <lParam>" a line) and, in mode "quit", ends on its leaving message
// (UM_QUIT_UPDATER by default); in mode "ignore" it never does.
// fake_updater <quit|ignore> <record file> [<window class> [<leaving message>]]
#include <QCoreApplication>
#include <QFile>

#include <cstdio>

#include "platform/message_window.h"
#include "platform/window_channel.h"

namespace {

class RecordingPeer : public MessageWindow {
 public:
  RecordingPeer(QString recordPath, UINT leavingMessage)
      : recordPath_(std::move(recordPath)), leavingMessage_(leavingMessage) {}

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    QFile record(recordPath_);
    if (record.open(QIODevice::Append)) {
      record.write(QStringLiteral("%1 %2 %3\n").arg(msg).arg(wParam).arg(lParam).toUtf8());
    }
    if (msg == leavingMessage_) QCoreApplication::quit();
    return 0;
  }

 private:
  QString recordPath_;
  UINT leavingMessage_;  // 0: never leaves
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc < 3) return 2;
  const QString windowClass = argc > 3 ? QString::fromLocal8Bit(argv[3]) : kUpdaterWindowClass;
  bool numeric = true;
  const UINT leaving = argc > 4 ? QByteArray(argv[4]).toUInt(&numeric) : UM_QUIT_UPDATER;
  if (!numeric) return 2;
  RecordingPeer window(QString::fromLocal8Bit(argv[2]),
                       qstrcmp(argv[1], "quit") == 0 ? leaving : 0);
  WindowChannel channel(windowClass, window.Handle(), {UM_CHECK_UPDATE, UM_QUIT_UPDATER});
  if (!channel.IsListening()) return 3;
  return QCoreApplication::exec();
}

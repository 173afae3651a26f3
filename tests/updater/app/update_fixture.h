#pragma once
// What the updater window's tests share: a loopback server with the version file and
// the package, the program folder's "update.cfg", a runtime folder of the test's own
// (no other program's "Quendra6" is seen), the window with its seams recorded, and a
// stand-in main program.

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

#include "model/common/app_dir.h"
#include "platform/window_channel.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/recording_window.h"
#include "tests/updater/core/package_builder.h"
#include "tests/updater/core/update_test_support.h"
#include "updater/app/notice_dialog.h"
#include "updater/app/update_dlg.h"

namespace updatertest {

// The window, recording every message it handles before it handles it.
class RecordingUpdateDlg : public CUpdateDlg {
 public:
  using CUpdateDlg::CUpdateDlg;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    received.push_back({msg, wParam, lParam});
    return CUpdateDlg::WindowProc(msg, wParam, lParam);
  }
  std::vector<testsupport::Message> received;
};

// A program serving "Quendra6" that records what it gets and leaves on
// UM_EXIT_FOR_UPDATE ("quit") or never ("ignore").
struct FakeMainProgram {
  explicit FakeMainProgram(const QString& mode)
      : record(GetAppDir() + QStringLiteral("main-frames.txt")) {
    process.start(QStringLiteral(FAKE_UPDATER),
                  {mode, record, kMainWindowClass, QString::number(UM_EXIT_FOR_UPDATE)});
  }
  ~FakeMainProgram() {
    process.kill();
    process.waitForFinished();
  }
  QByteArray Record() const {
    QFile file(record);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QProcess process;
  QString record;
};

// Bytes a zip archive cannot shrink, so that a package of this size downloads slowly.
inline QByteArray Noise(qsizetype size) {
  QByteArray bytes(size, Qt::Uninitialized);
  std::uint32_t state = 2463534242u;
  for (char& byte : bytes) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    byte = static_cast<char>(state >> 24);
  }
  return bytes;
}

class UpdateDlgTest : public testing::Test {
 protected:
  void SetUp() override {
    ClearProxies();
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    hooks_.askNotice = [this](CNoticeDialog& notice) {
      notices_.append(notice.Caption() + u'|' + notice.MessageText());
      if (onNotice_) onNotice_(notice);
      return noticeAnswer_;
    };
    hooks_.showError = [this](const QString& text, const QString& caption) {
      boxes_.append(caption + u'|' + text);
    };
    hooks_.exit = [this](int code) { exits_.push_back(code); };
    hooks_.mainProgramWaitMs = 1000;
  }
  void TearDown() override {
    for (const QPointer<QTimer>& probe : probes_) delete probe.data();
    qunsetenv("XDG_RUNTIME_DIR");
  }

  // "update.cfg" naming the server's version file, and the installed version.
  void Configure(const QByteArray& localVersion = "1.0") {
    PutFile("update.cfg", "[UPDATE]\nURL=" + server_.Url("/update.ini").toUtf8() +
                              "\nVersion=" + localVersion + "\n");
  }
  // The version file; md5 empty: the digest of the package served.
  void ServeVersion(const QByteArray& version, QByteArray md5 = {}) {
    if (md5.isEmpty()) md5 = packageMd5_;
    server_.Route("/update.ini",
                  {200,
                   "[UPDATE]\nVersion=" + version + "\nURL=" + server_.Url("/update.zip").toUtf8() +
                       "\nMD5=" + md5 + "\nMessage=修复问题^更快\n",
                   true,
                   0,
                   0,
                   -1,
                   {}});
  }
  // The package, sent in pieces of pieceBytes with pauseMs between them when given.
  void ServePackage(const std::vector<ZipEntry>& entries, int pieceBytes = 0, int pauseMs = 0) {
    const QString path = scratch_.filePath(QStringLiteral("package.zip"));
    ASSERT_TRUE(WriteZip(path, entries));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    packageMd5_ = QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toUpper();
    server_.Route("/update.zip", {200, bytes, true, pieceBytes, pauseMs, -1, {}});
  }
  int VersionRequests() const { return server_.Requests("/update.ini"); }

  std::unique_ptr<RecordingUpdateDlg> MakeDialog() {
    return std::make_unique<RecordingUpdateDlg>(hooks_);
  }

  // Calls probe every 5 ms while the test's thread dispatches (inside the window's
  // nested waits too) until it answers true.
  void WhileRunning(std::function<bool()> probe) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, probe = std::move(probe)] {
      if (probe()) timer->deleteLater();
    });
    timer->start(5);
    probes_.emplace_back(timer);
  }

  QTemporaryDir runtime_;
  QTemporaryDir scratch_;
  LoopbackHttpServer server_;
  QByteArray packageMd5_ = "0";
  UpdateDlgHooks hooks_;
  int noticeAnswer_ = 2;  // IDCANCEL
  std::function<void(CNoticeDialog&)> onNotice_;
  QStringList notices_;
  QStringList boxes_;
  std::vector<int> exits_;
  std::vector<QPointer<QTimer>> probes_;
};

}  // namespace updatertest

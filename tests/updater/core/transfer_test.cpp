// Transfers over loopback: progress, cancel, limits, redirects and TLS.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>

#include "model/common/app_dir.h"
#include "tests/support/fifo_watchdog.h"
#include "tests/support/loopback_http_server.h"
#include "update_test_support.h"
#include "updater/core/transfer.h"

using namespace updatertest;

namespace {

QByteArray Body(qsizetype size) {
  QByteArray body(size, Qt::Uninitialized);
  for (qsizetype i = 0; i < size; ++i) body[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return body;
}

class TransferTest : public testing::Test {
 protected:
  void SetUp() override { ClearProxies(); }

  QString Target() const { return GetAppDir() + QStringLiteral("file.bin"); }
  bool NothingLeft() const {
    return !QFile::exists(Target()) && !QFile::exists(Target() + QStringLiteral(".part"));
  }
  bool Fetch(const QString& url, std::int64_t maxBytes = 1 << 26,
             CBindCallback* callback = nullptr) {
    return DownloadWhileDispatching(url, Target(), maxBytes, options_, callback);
  }
  QByteArray Fetched() const {
    QFile file(Target());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  UpdateOptions options_;
  LoopbackHttpServer server_;
};

TEST_F(TransferTest, AFifoAtThePartialNameIsNotWaitedOn) {
  server_.Route("/f", {200, "body", true, 0, 0, -1, {}});
  ASSERT_TRUE(fifotest::MakeFifo(Target() + QStringLiteral(".part")));
  EXPECT_TRUE(fifotest::ReturnsPromptly(Target(), [&] { return Fetch(server_.Url("/f")); }));
  EXPECT_EQ(Fetched(), "body");
}

TEST(UpdateUrlTest, OnlyHttpsOrHttpToLiteralLoopback) {
  EXPECT_TRUE(IsAllowedUpdateUrl("https://updates.example.com/update.ini"));
  EXPECT_TRUE(IsAllowedUpdateUrl("http://127.0.0.1:8080/update.ini"));
  EXPECT_TRUE(IsAllowedUpdateUrl("http://127.8.0.2/update.ini"));
  EXPECT_TRUE(IsAllowedUpdateUrl("http://[::1]:80/update.ini"));
  for (const char* refused :
       {"http://updates.example.com/update.ini", "http://localhost/update.ini",
        "http://10.0.0.1/update.ini", "file:///etc/passwd", "ftp://127.0.0.1/x", "https://", "",
        "update.ini"}) {
    EXPECT_FALSE(IsAllowedUpdateUrl(refused)) << refused;
  }
}

TEST_F(TransferTest, LargeBodyGivesRisingProgressEndingAtTheTotal) {
  const QByteArray body = Body(30 << 20);
  server_.Route("/big", {200, body, true, 3 << 20, 120, -1, {}});
  ProgressWindow window;
  CBindCallback callback(window.Handle(), nullptr);
  ASSERT_TRUE(Fetch(server_.Url("/big"), 1 << 26, &callback));
  EXPECT_EQ(Fetched(), body);
  ASSERT_GE(window.received.size(), 3u);
  for (std::size_t i = 0; i < window.received.size(); ++i) {
    EXPECT_EQ(window.received[i].total, body.size());
    if (i > 0) {
      EXPECT_GT(window.received[i].bytes, window.received[i - 1].bytes);
    }
  }
  EXPECT_EQ(window.received.back().bytes, static_cast<WPARAM>(body.size()));
  EXPECT_TRUE(server_.LastRequestHead("/big").contains("Cache-Control: no-cache"));
}

TEST_F(TransferTest, ChunksWithoutLengthSucceedWithoutProgress) {
  const QByteArray body = Body(300000);
  server_.Route("/chunked", {200, body, false, 50000, 10, -1, {}});
  ProgressWindow window;
  CBindCallback callback(window.Handle(), nullptr);
  ASSERT_TRUE(Fetch(server_.Url("/chunked"), 1 << 26, &callback));
  EXPECT_EQ(Fetched(), body);
  EXPECT_TRUE(window.received.empty());
}

TEST_F(TransferTest, CancelAbortsAndTheNextTransferStillRuns) {
  server_.Route("/slow", {200, Body(1 << 20), true, 32 << 10, 40, -1, {}});
  ProgressWindow window;
  std::atomic<bool> cancel{false};
  CBindCallback callback(window.Handle(), &cancel);
  QTimer::singleShot(300, [&] { cancel = true; });
  EXPECT_FALSE(Fetch(server_.Url("/slow"), 1 << 26, &callback));
  ASSERT_FALSE(window.received.empty());
  EXPECT_EQ(window.received.back().bytes, static_cast<WPARAM>(-1));
  EXPECT_EQ(window.received.back().total, -1);
  EXPECT_TRUE(NothingLeft());

  ASSERT_TRUE(cancel.load());  // still set: the next transfer clears it when it starts
  server_.Route("/small", {200, "data", true, 0, 0, -1, {}});
  EXPECT_TRUE(Fetch(server_.Url("/small"), 1 << 26, &callback));
  EXPECT_EQ(Fetched(), "data");
}

TEST_F(TransferTest, FailuresLeaveNoFile) {
  const QByteArray body = Body(200000);
  server_.Route("/cut", {200, body, true, 0, 0, 100000, {}});
  server_.Route("/cutChunked", {200, body, false, 50000, 0, 100000, {}});
  server_.Route("/slow", {200, body.left(3000), true, 1000, 2500, -1, {}});
  server_.Route("/large", {200, body, true, 0, 0, -1, {}});
  server_.Route("/largeChunked", {200, body, false, 10000, 0, -1, {}});
  server_.Route("/gone", {404, "not here", true, 0, 0, -1, {}});
  // Six redirects in a row: one more than allowed.
  for (int hop = 0; hop < 6; ++hop) {
    server_.Route(
        "/hop" + QByteArray::number(hop),
        {302, {}, true, 0, 0, -1, server_.Url("/hop" + QByteArray::number(hop + 1)).toLatin1()});
  }
  server_.Route("/hop6", {200, "end", true, 0, 0, -1, {}});
  server_.Route("/away", {302, {}, true, 0, 0, -1, "http://updates.example.com/x"});
  server_.Route("/file", {302, {}, true, 0, 0, -1, "file:///etc/passwd"});
  server_.Route("/nowhere", {302, "moved", true, 0, 0, -1, {}});  // a redirect with no address
  options_.lowSpeedWindowSec = 1;
  const struct {
    const char* path;
    std::int64_t maxBytes;
  } cases[] = {{"/cut", 1 << 26},    {"/cutChunked", 1 << 26},  {"/slow", 1 << 26},
               {"/large", 150000},   {"/largeChunked", 150000}, {"/gone", 1 << 26},
               {"/hop0", 1 << 26},   {"/away", 1 << 26},        {"/file", 1 << 26},
               {"/nowhere", 1 << 26}};
  for (const auto& failing : cases) {
    EXPECT_FALSE(Fetch(server_.Url(failing.path), failing.maxBytes)) << failing.path;
    EXPECT_TRUE(NothingLeft()) << failing.path;
  }
  EXPECT_EQ(server_.Requests("/hop5"), 1);
  EXPECT_EQ(server_.Requests("/hop6"), 0);
  // Five redirects are allowed.
  EXPECT_TRUE(Fetch(server_.Url("/hop1")));
  EXPECT_EQ(Fetched(), "end");
}

// A certificate authority and server certificates made with the openssl program.
class TlsTransferTest : public TransferTest {
 protected:
  static void SetUpTestSuite() {
    folder_ = new QTemporaryDir;
    const QString dir = folder_->path() + u'/';
    auto run = [&](const QStringList& arguments) {
      QProcess openssl;
      openssl.setWorkingDirectory(dir);
      openssl.start(QStringLiteral("openssl"), arguments);
      ASSERT_TRUE(openssl.waitForFinished(60000)) << arguments.join(u' ').toStdString();
      ASSERT_EQ(openssl.exitCode(), 0) << openssl.readAllStandardError().toStdString();
    };
    for (const char* ca : {"ca", "otherca"}) {
      run({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
           QStringLiteral("/CN=%1").arg(ca), "-keyout", QStringLiteral("%1.key").arg(ca), "-out",
           QStringLiteral("%1.pem").arg(ca)});
    }
    const struct {
      const char* name;
      const char* altName;
    } servers[] = {{"good", "IP:127.0.0.1"}, {"wrongname", "DNS:other.invalid"}};
    for (const auto& server : servers) {
      const QString name = QString::fromLatin1(server.name);
      QFile ext(dir + name + ".ext");
      ASSERT_TRUE(ext.open(QIODevice::WriteOnly));
      ext.write(QByteArray("subjectAltName=") + server.altName + "\n");
      ext.close();
      run({"req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=server", "-keyout", name + ".key",
           "-out", name + ".csr"});
      run({"x509", "-req", "-in", name + ".csr", "-CA", "ca.pem", "-CAkey", "ca.key",
           "-CAcreateserial", "-days", "2", "-extfile", name + ".ext", "-out", name + ".pem"});
    }
  }
  static void TearDownTestSuite() { delete folder_; }
  static QString Path(const char* name) { return folder_->path() + u'/' + name; }

  static QTemporaryDir* folder_;
};

QTemporaryDir* TlsTransferTest::folder_ = nullptr;

TEST_F(TlsTransferTest, TrustedPassesUntrustedAndWrongNameFail) {
  LoopbackHttpServer good(Path("good.pem"), Path("good.key"));
  LoopbackHttpServer wrongName(Path("wrongname.pem"), Path("wrongname.key"));
  good.Route("/x", {200, "secure", true, 0, 0, -1, {}});
  wrongName.Route("/x", {200, "secure", true, 0, 0, -1, {}});
  server_.Route("/plain", {200, "plain", true, 0, 0, -1, {}});
  good.Route("/down", {302, {}, true, 0, 0, -1, server_.Url("/plain").toLatin1()});

  options_.caFile = Path("ca.pem");
  ASSERT_TRUE(Fetch(good.Url("/x")));
  EXPECT_EQ(Fetched(), "secure");
  QFile::remove(Target());
  EXPECT_FALSE(Fetch(wrongName.Url("/x")));
  EXPECT_FALSE(Fetch(good.Url("/down")));  // no step down to plain http
  EXPECT_EQ(server_.Requests("/plain"), 0);
  options_.caFile = Path("otherca.pem");
  EXPECT_FALSE(Fetch(good.Url("/x")));
  EXPECT_TRUE(NothingLeft());
}

}  // namespace

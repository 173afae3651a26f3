// The version check, the package fetch and the digest, against a loopback server.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTimer>

#include "model/common/app_dir.h"
#include "package_builder.h"
#include "tests/support/loopback_http_server.h"
#include "update_test_support.h"
#include "updater/core/digest.h"
#include "updater/core/version_check.h"

using namespace updatertest;

namespace {

const QString kVersionFile = QStringLiteral("UpdateData/update.ini");
const QString kPackage = QStringLiteral("UpdateData/update.zip");

class VersionCheckTest : public testing::Test {
 protected:
  void SetUp() override { ClearProxies(); }

  void Configure(const QString& url, const char* localVersion = "1.9") {
    PutFile("update.cfg", "[UPDATE]\nURL=" + url.toUtf8() + "\nVersion=" + localVersion + "\n");
  }
  void ServeVersion(const QByteArray& version) {
    server_.Route("/update.ini", {200,
                                  "[UPDATE]\nVersion=" + version +
                                      "\nURL=https://example.com/u.zip\nMD5=ab\n"
                                      "Message=first^second\n",
                                  true,
                                  0,
                                  0,
                                  -1,
                                  {}});
  }
  int Check() { return CheckVersion(options_, &server_version_); }

  UpdateOptions options_;
  ServerVersion server_version_;
  LoopbackHttpServer server_;
};

TEST_F(VersionCheckTest, NoUrlIsOne) {
  EXPECT_EQ(Check(), kVersionNoUrl);
  PutFile("update.cfg", "[UPDATE]\nVersion=1.0\n");
  EXPECT_EQ(Check(), kVersionNoUrl);
}

TEST_F(VersionCheckTest, ComparesAsCaseSensitiveText) {
  Configure(server_.Url("/update.ini"));
  ServeVersion("1.9");
  EXPECT_EQ(Check(), kVersionUpToDate);
  ServeVersion("1.10");  // text order: older than "1.9"
  EXPECT_EQ(Check(), kVersionUpToDate);
  ServeVersion("2.0");
  EXPECT_EQ(Check(), kVersionNew);
  EXPECT_EQ(server_version_.version, "2.0");
  EXPECT_EQ(server_version_.packageUrl, "https://example.com/u.zip");
  EXPECT_EQ(server_version_.md5, "ab");
  EXPECT_EQ(server_version_.message, "first\nsecond");
  Configure(server_.Url("/update.ini"), "a");
  ServeVersion("B");  // upper case sorts before lower case
  EXPECT_EQ(Check(), kVersionUpToDate);
  EXPECT_EQ(server_.Requests("/update.ini"), 4);
  EXPECT_TRUE(server_.LastRequestHead("/update.ini").contains("Pragma: no-cache"));
}

TEST_F(VersionCheckTest, FailedFetchesAreTwoAndLeaveNoFile) {
  QTcpServer closed;
  ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
  const quint16 refusedPort = closed.serverPort();
  closed.close();
  server_.Route("/empty", {200, "[UPDATE]\nVersion=\nURL=x\n", true, 0, 0, -1, {}});
  server_.Route("/huge",
                {200, "[UPDATE]\nVersion=9\n" + QByteArray(65 << 10, ';'), true, 0, 0, -1, {}});
  const QString urls[] = {
      QStringLiteral("http://127.0.0.1:%1/update.ini").arg(refusedPort),
      server_.Url("/missing"),
      server_.Url("/empty"),
      server_.Url("/huge"),
      QStringLiteral("http://updates.example.com/update.ini"),  // plain http off loopback
      QStringLiteral("file://") + GetAppDir() + QStringLiteral("update.cfg"),
  };
  for (const QString& url : urls) {
    Configure(url);
    PutFile(kVersionFile, "[UPDATE]\nVersion=7\n");  // the last check's file
    EXPECT_EQ(Check(), kVersionNotFetched) << url.toStdString();
    if (!url.endsWith(u"/empty")) {
      EXPECT_TRUE(ReadFile(kVersionFile).isEmpty()) << url.toStdString();
    }
  }
}

TEST_F(VersionCheckTest, MessagesAreDispatchedDuringASlowFetch) {
  server_.Route("/update.ini", {200, "[UPDATE]\nVersion=3.0\n", true, 5, 60, -1, {}});
  Configure(server_.Url("/update.ini"));
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(20);
  EXPECT_EQ(Check(), kVersionNew);
  EXPECT_GE(ticks, 3);
}

TEST_F(VersionCheckTest, ADrippingServerEndsAtTheDeadlineOrOnCancel) {
  // A byte every 200 ms: the whole file would take over 8 s.
  server_.Route("/update.ini",
                {200, "[UPDATE]\nVersion=3.0\n" + QByteArray(20, ';'), true, 1, 200, -1, {}});
  Configure(server_.Url("/update.ini"));
  options_.versionCheckLimitMs = 700;
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(Check(), kVersionNotFetched);
  EXPECT_LT(clock.elapsed(), 5000);

  options_.versionCheckLimitMs = 60000;
  std::atomic<bool> cancel{false};
  QTimer::singleShot(300, [&] { cancel = true; });
  clock.restart();
  EXPECT_EQ(CheckVersion(options_, &server_version_, &cancel), kVersionNotFetched);
  EXPECT_LT(clock.elapsed(), 5000);
  EXPECT_FALSE(QFile::exists(GetAppDir() + kVersionFile + QStringLiteral(".part")));
}

TEST_F(VersionCheckTest, PackageIsFetchedOnlyWhenTheOneThereDoesNotMatch) {
  const QByteArray package = "package bytes";
  server_.Route("/u.zip", {200, package, true, 0, 0, -1, {}});
  ServerVersion version;
  version.packageUrl = server_.Url("/u.zip");
  version.md5 = QStringLiteral("6e4d2d3bd9e5b1f3e14e1f8bbf2f2b8c");  // not the package's
  PutFile(kPackage, "stale");
  EXPECT_EQ(FetchPackage(version, options_, nullptr, nullptr), PackageFetch::Downloaded);
  EXPECT_EQ(ReadFile(kPackage), package);
  version.md5 = FileDigest(GetAppDir() + kPackage).toLower();
  EXPECT_EQ(FetchPackage(version, options_, nullptr, nullptr), PackageFetch::AlreadyThere);
  EXPECT_EQ(server_.Requests("/u.zip"), 1);

  version.md5.clear();  // an empty digest matches nothing, not even a missing package
  version.packageUrl = server_.Url("/gone");
  EXPECT_EQ(FetchPackage(version, options_, nullptr, nullptr), PackageFetch::Failed);
  EXPECT_FALSE(QFile::exists(GetAppDir() + kPackage));
}

TEST(DigestTest, UpperCaseMd5AndStrictMatching) {
  PutFile("abc", "abc");
  const QString digest = FileDigest(GetAppDir() + QStringLiteral("abc"));
  EXPECT_EQ(digest, "900150983CD24FB0D6963F7D28E17F72");
  EXPECT_EQ(FileDigest(GetAppDir() + QStringLiteral("missing")), "");
  EXPECT_EQ(FileDigest(GetAppDir()), "");  // a folder
  EXPECT_TRUE(DigestMatches(digest, "900150983cd24fb0d6963f7d28e17f72"));
  EXPECT_FALSE(DigestMatches("", ""));
  EXPECT_FALSE(DigestMatches(digest, "900150983CD24FB0D6963F7D28E17F7"));
  EXPECT_FALSE(
      DigestMatches("900150983CD24FB0D6963F7D28E17F7G", "900150983CD24FB0D6963F7D28E17F7G"));
}

}  // namespace

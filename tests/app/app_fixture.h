#pragma once
// What the main program's tests share: a runtime folder and desktop data folder of the
// test's own (the instance lock, the window classes' sockets, the association), and
// the language files in the test's program folder.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "model/common/app_dir.h"

namespace apptest {

class AppTest : public testing::Test {
 protected:
  void SetUp() override {
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (runtime_.path() + QStringLiteral("/data")).toLocal8Bit());
    ASSERT_TRUE(QDir().mkpath(GetAppDir() + QStringLiteral("language")));
    ASSERT_TRUE(QDir().mkpath(GetAppDir() + QStringLiteral("project")));
    for (const QString& name :
         QDir(QStringLiteral(QUENDRA_SOURCE_DIR "/resources/language")).entryList(QDir::Files)) {
      ASSERT_TRUE(QFile::copy(QStringLiteral(QUENDRA_SOURCE_DIR "/resources/language/") + name,
                              GetAppDir() + QStringLiteral("language/") + name));
    }
    QFile settings(GetAppDir() + QStringLiteral("setting.cfg"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[CONFIG]\nLanguage=2\n");  // English
  }
  void TearDown() override {
    qunsetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_DATA_HOME");
  }

  QTemporaryDir runtime_;
};

}  // namespace apptest

// The main of every test program: creates the Qt application object the suite needs
// (QUENDRA_TEST_APP: 0 none, 1 core, 2 gui, 3 widgets) on the offscreen platform, and
// gives every test a fresh, empty program folder through QUENDRA_HOME. The folder is
// kept when the test fails, so its files can be looked at.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#if QUENDRA_TEST_APP == 1
#include <QCoreApplication>
#elif QUENDRA_TEST_APP == 2
#include <QGuiApplication>
#elif QUENDRA_TEST_APP == 3
#include <QApplication>
#endif

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

class FreshProgramFolder : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo&) override {
    folder_ = std::make_unique<QTemporaryDir>();
    ::setenv("QUENDRA_HOME", folder_->path().toLocal8Bit().constData(), 1);
  }
  void OnTestEnd(const testing::TestInfo& info) override {
    if (info.result()->Failed()) {
      folder_->setAutoRemove(false);
      std::fprintf(stderr, "program folder kept: %s\n", qPrintable(folder_->path()));
    }
    folder_.reset();
    ::unsetenv("QUENDRA_HOME");
  }

 private:
  std::unique_ptr<QTemporaryDir> folder_;
};

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
#if QUENDRA_TEST_APP == 1
  QCoreApplication app(argc, argv);
#elif QUENDRA_TEST_APP == 2
  QGuiApplication app(argc, argv);
#elif QUENDRA_TEST_APP == 3
  QApplication app(argc, argv);
#endif
  testing::UnitTest::GetInstance()->listeners().Append(new FreshProgramFolder);
  return RUN_ALL_TESTS();
}

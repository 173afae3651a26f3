// The busy window on the offscreen platform: its place and picture with and without a
// rectangle, the message band, the opacity, the animation moving while the caller
// dispatches messages, and its end before or after its owner's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QTest>

#include <memory>

#include "controls/dialogs/loading_dialog.h"
#include "tests/support/screenshot.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kBand = 20;

// The window's surface as it paints now, beside the picture that paint drew from.
struct Painted {
  QImage window;
  QImage picture;
};
Painted Paint(const CLoadingDialog& busy) {
  const QImage window = busy.Window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  return {window, busy.Picture()};
}

bool SameRows(const QImage& a, const QImage& b, int from, int to) {
  return a.copy(0, from, a.width(), to - from) == b.copy(0, from, b.width(), to - from);
}

int BrightPixels(const QImage& image, int from, int to) {
  int count = 0;
  for (int y = from; y < to; ++y) {
    for (int x = 0; x < image.width(); ++x) count += qGray(image.pixel(x, y)) > 160 ? 1 : 0;
  }
  return count;
}

class LoadingDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    owner_ = std::make_unique<QWidget>();
    owner_->setGeometry(100, 80, 500, 360);
    owner_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(owner_.get()));
  }
  std::unique_ptr<QWidget> owner_;
};

TEST_F(LoadingDialogTest, PlacesItsWindowAndPictureWithAndWithoutARectangle) {
  CLoadingDialog busy;
  busy.ShowBusy(u"Searching"_s, owner_.get());
  QWidget* window = busy.Window();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  EXPECT_EQ(window->size(), QSize(200, 200));
  EXPECT_EQ(window->geometry().center(), owner_->frameGeometry().center());
  EXPECT_EQ(busy.Picture().size(), QSize(200, 200));
  EXPECT_TRUE(window->isWindow());
  EXPECT_EQ(window->parentWidget(), owner_.get());
  EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_DOUBLE_EQ(window->windowOpacity(), 200 / 255.0);
  SaveScreenshot(*window, u"loading_dialog_200"_s);

  const QRect rect(300, 210, 100, 100);
  busy.ShowBusy(u"Searching"_s, rect, owner_.get());  // the first window goes
  ASSERT_NE(busy.Window(), window);
  EXPECT_EQ(busy.Window()->geometry(), rect);
  EXPECT_EQ(busy.Picture().size(), QSize(100, 100));
  EXPECT_EQ(Paint(busy).window.size(), QSize(100, 100));
  SaveScreenshot(*busy.Window(), u"loading_dialog_100"_s);
}

TEST_F(LoadingDialogTest, DrawsTheMessageOnlyInsideItsBand) {
  CLoadingDialog busy;
  busy.ShowBusy(QString(), owner_.get());
  Painted painted = Paint(busy);
  // Without a message the band shows what the animation drew; the animation's own
  // dots give the picture bright pixels above it.
  EXPECT_TRUE(SameRows(painted.window, painted.picture, 0, 200));
  EXPECT_GT(BrightPixels(painted.picture, 0, 200 - kBand), 0);

  busy.ShowBusy(u"正在转换数据... "_s.repeated(6), owner_.get());
  painted = Paint(busy);
  EXPECT_TRUE(SameRows(painted.window, painted.picture, 0, 200 - kBand));
  EXPECT_GT(BrightPixels(painted.window, 200 - kBand, 200), 0);
  EXPECT_FALSE(SameRows(painted.window, painted.picture, 200 - kBand, 200));
  SaveScreenshot(*busy.Window(), u"loading_dialog_long_message"_s);
}

TEST_F(LoadingDialogTest, AnimatesWhileTheCallerDispatchesAndEndsWithEitherSide) {
  auto busy = std::make_unique<CLoadingDialog>();
  busy->ShowBusy(u"Sending"_s, owner_.get());
  const QImage first = Paint(*busy).picture;
  QDeadlineTimer deadline(3000);
  while (busy->Picture() == first && !deadline.hasExpired()) QTest::qWait(20);
  EXPECT_NE(busy->Picture(), first);  // timer 1 repainted a later frame
  EXPECT_FALSE(busy->Animation().Finished());

  busy.reset();  // while the animation plays: its thread stops, the window goes
  EXPECT_TRUE(owner_->findChildren<QWidget*>().isEmpty());

  busy = std::make_unique<CLoadingDialog>();
  busy->ShowBusy(u"Sending"_s, owner_.get());
  owner_.reset();  // the owner takes the window with it
  EXPECT_EQ(busy->Window(), nullptr);
  QTest::qWait(200);
  busy.reset();
}

}  // namespace

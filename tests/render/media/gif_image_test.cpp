// Animated GIFs on their own thread, timed by a play clock the test moves; the test
// gives the thread a moment of real time at each step before it looks.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <chrono>
#include <memory>
#include <thread>

#include "render/media/gif_image.h"
#include "render/raster/gif_delays.h"
#include "tests/render/media/gif_writer.h"
#include "tests/render/stepped_clock.h"

namespace {

using giftest::Frame;
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kLime = qRgb(0, 255, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr int kTestResource = 9001;  // red, lime, blue, 100 ms each

class GifImageTest : public testing::Test {
 protected:
  QString Write(const QByteArray& bytes) {
    QFile file(dir_.filePath(QString("%1.gif").arg(++files_)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return file.fileName();
  }
  // Moves the clock to ms since Play, lets the thread catch up, and gives the colour
  // Draw shows then (0 once the animation has finished).
  QRgb At(CGifImage& gif, int ms) {
    clock_.Advance(ms - playedMs_);
    playedMs_ = ms;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    if (gif.Finished()) return 0;
    gif.Draw(picture_, 8, 4);
    return picture_.pixel(7, 3);
  }
  void Play(CGifImage& gif, int stayMs) {
    gif.SetStayTime(stayMs);
    playedMs_ = 0;
    gif.Play();
  }

  QTemporaryDir dir_;
  int files_ = 0;
  SteppedClock clock_;
  int playedMs_ = 0;
  QImage picture_{8, 4, QImage::Format_RGB32};
};

TEST_F(GifImageTest, FramesKeepTheirStoredDelays) {
  const QByteArray bytes = giftest::Gif(
      {{giftest::kRed, 10}, {giftest::kLime, 0}, {giftest::kBlue, 10}, {giftest::kRed, 1}});
  QBuffer buffer;
  buffer.setData(bytes);
  ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
  EXPECT_EQ(GifFrameDelays(buffer), (std::vector<int>{10, 0, 10, 1}));
  buffer.close();
  buffer.setData(bytes.left(bytes.size() - 10));  // the last image cut short
  ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
  EXPECT_EQ(GifFrameDelays(buffer), (std::vector<int>{10, 0, 10, 1}));

  // 100 ms each (0 counts as 100), the last 10 ms (Qt's reader would say 100), then
  // the end; the stay time does not matter.
  CGifImage gif(clock_);
  ASSERT_EQ(gif.LoadFile(Write(bytes), picture_, 8, 4, 0), 1);
  EXPECT_EQ(picture_.pixel(7, 3), kRed);  // the load draws the first frame
  Play(gif, 5000);
  const std::pair<int, QRgb> expected[] = {{0, kRed},    {90, kRed},   {100, kLime},
                                           {190, kLime}, {200, kBlue}, {290, kBlue},
                                           {300, kRed},  {309, kRed},  {310, 0}};
  for (const auto& [ms, color] : expected) EXPECT_EQ(At(gif, ms), color) << ms << " ms";
}

TEST_F(GifImageTest, StillGifsAndResourcesKeepTheStayTime) {
  CGifImage still(clock_);
  ASSERT_EQ(still.LoadFile(Write(giftest::Gif({{giftest::kBlue, 10}})), picture_, 8, 4, 0), 1);
  Play(still, 500);
  EXPECT_EQ(At(still, 490), kBlue);
  EXPECT_EQ(At(still, 500), 0u);

  CGifImage looped(clock_);  // loop mode 1: round and round until the stay is over
  ASSERT_EQ(looped.LoadResource(kTestResource, picture_, 8, 4), 1);
  EXPECT_EQ(looped.LoadResource(kTestResource + 1, picture_, 8, 4), 0);
  ASSERT_EQ(looped.LoadResource(kTestResource, picture_, 8, 4), 1);
  Play(looped, 650);
  const std::pair<int, QRgb> expected[] = {{0, kRed},    {100, kLime}, {200, kBlue}, {300, kRed},
                                           {400, kLime}, {640, kRed},  {650, 0}};
  for (const auto& [ms, color] : expected) EXPECT_EQ(At(looped, ms), color) << ms << " ms";
}

TEST_F(GifImageTest, DrawNeverWaitsAndStoppingJoinsAtOnce) {
  const QString path = Write(giftest::Gif({{giftest::kRed, 50}, {giftest::kLime, 50}}));
  CGifImage idle(clock_);
  ASSERT_EQ(idle.LoadFile(path, picture_, 8, 4, 0), 1);
  picture_.fill(0);
  idle.Draw(picture_, 8, 4);  // no thread ever ran: the loaded frame at once
  EXPECT_EQ(picture_.pixel(0, 0), kRed);

  auto playing = std::make_unique<CGifImage>();  // on the real clock
  ASSERT_EQ(playing->LoadFile(path, picture_, 8, 4, 0), 1);
  playing->SetStayTime(1'000'000);
  playing->Play();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const auto start = std::chrono::steady_clock::now();
  playing.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

}  // namespace

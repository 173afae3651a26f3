// Media items played tick by tick on a play clock the test moves: frame files with
// and without entry effects, video, SWF on the fake Flash host, and failed loads.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <thread>
#include <vector>

#include "render/frame/pak_writer.h"
#include "render/media/media_item_player.h"
#include "tests/render/stepped_clock.h"
#include "tests/support/fake_flash_host.h"

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 20;
constexpr int kTickMs = 30;
constexpr int kSpeed = 5;          // 15 steps
constexpr int kWipeFromLeft = 20;  // an effect that uncovers the new page from the left
constexpr int kPush = 6;
const QRgb kPages[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};

// What the area showed after one tick.
struct Tick {
  int ms;      // since the load
  int result;  // of Step
  QRgb left;   // the area's left and right columns, when each is one colour
  QRgb right;
};

class MediaItemPlayerTest : public testing::Test {
 protected:
  MediaItemPlayerTest() { target_.fill(qRgb(9, 9, 9)); }

  QString FrameFile() {
    const QString path = dir_.filePath("pages.pak");
    PakWriter writer;
    EXPECT_TRUE(writer.Open(path, kWidth, kHeight, 0));
    for (const QRgb color : kPages) {
      QImage page(kWidth, kHeight, QImage::Format_RGB32);
      page.fill(color);
      EXPECT_TRUE(writer.AppendFrame(Dib24::FromImage(page)));
    }
    EXPECT_TRUE(writer.Finish(kWidth));
    return path;
  }
  QRgb Column(int x) const {
    for (int y = 1; y < kHeight; ++y) {
      if (target_.pixel(x, y) != target_.pixel(x, 0)) return 0;
    }
    return target_.pixel(x, 0);
  }
  // Steps player once a tick until it ends (or limit ticks), the clock moving 30 ms
  // after each.
  std::vector<Tick> Play(MediaItemPlayer& player, int limit = 1000) {
    std::vector<Tick> ticks;
    for (int i = 0; i < limit; ++i) {
      const int result = player.Step();
      ticks.push_back({i * kTickMs, result, Column(0), Column(kWidth - 1)});
      if (result == 0) break;
      clock_.Advance(kTickMs);
    }
    return ticks;
  }
  // The first tick at or after from at which the whole area shows color.
  static int FirstFull(const std::vector<Tick>& ticks, QRgb color, int from = 0) {
    for (const Tick& tick : ticks) {
      if (tick.ms >= from && tick.left == color && tick.right == color) return tick.ms;
    }
    return -1;
  }

  QTemporaryDir dir_;
  SteppedClock clock_;
  QImage target_{kWidth, kHeight, QImage::Format_RGB32};
};

TEST_F(MediaItemPlayerTest, FrameFilePagesComeInAndStay) {
  MediaItemPlayer wiped(clock_);
  ASSERT_EQ(wiped.Load(&target_, FrameFile(), kMediaFrameFile, kWidth, kHeight, kWipeFromLeft,
                       kSpeed, 20, 0),
            1);
  const std::vector<Tick> ticks = Play(wiped);
  // Each page wipes in from the left, its 15th step landing 14 ticks after its first;
  // its 2 s stay starts at the tick after, when the wipe completes.
  EXPECT_EQ(ticks[0].left, kPages[0]);
  EXPECT_NE(ticks[0].right, kPages[0]);
  int full = FirstFull(ticks, kPages[0]);
  EXPECT_EQ(full, 14 * kTickMs);
  for (const QRgb page : {kPages[1], kPages[2]}) {
    const int started = FirstFull(ticks, page, full) - 14 * kTickMs;
    EXPECT_GE(started, full + kTickMs + 2000);
    EXPECT_LT(started, full + 2 * kTickMs + 2000);
    full = started + 14 * kTickMs;
  }
  ASSERT_EQ(ticks.back().result, 0);  // 2 s after the third page came in
  EXPECT_GE(ticks.back().ms, full + kTickMs + 2000);
  EXPECT_LT(ticks.back().ms, full + 2 * kTickMs + 2000);

  MediaItemPlayer pushed(clock_);  // effect 6: no stay, pages follow without pause
  ASSERT_EQ(
      pushed.Load(&target_, FrameFile(), kMediaFrameFile, kWidth, kHeight, kPush, kSpeed, 20, 0),
      1);
  int fullTicks = 0;
  for (const Tick& tick : Play(pushed)) fullTicks += tick.left == tick.right && tick.left != 0;
  // Each page stands whole only at its push's last step, and the last page at the end.
  EXPECT_EQ(fullTicks, 4);

  MediaItemPlayer plain(clock_);
  ASSERT_EQ(plain.Load(&target_, FrameFile(), kMediaFrameFile, kWidth, kHeight, 0, kSpeed, 20, 0),
            1);
  const std::vector<Tick> still = Play(plain);
  EXPECT_EQ(FirstFull(still, kPages[0]), 0);
  EXPECT_EQ(FirstFull(still, kPages[1]), 2010);  // the first tick 2 s on
  EXPECT_EQ(FirstFull(still, kPages[2]), 4020);
}

TEST_F(MediaItemPlayerTest, VideoComesInThenPlaysToItsEnd) {
  const QString clip = dir_.filePath("red.avi");
  QProcess ffmpeg;
  ffmpeg.start("ffmpeg", {"-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i",
                          "color=c=red:s=32x16:r=10:d=1", "-c:v", "mpeg4", clip});
  ASSERT_TRUE(ffmpeg.waitForFinished(30000) && ffmpeg.exitCode() == 0);
  MediaItemPlayer player(clock_);
  ASSERT_EQ(player.Load(&target_, clip, kMediaVideo, kWidth, kHeight, kWipeFromLeft, kSpeed, 1, 0),
            1);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the cued first picture
  std::vector<Tick> ticks;
  for (int i = 0; i < 200; ++i) {
    const int result = player.Step();
    ticks.push_back({i * kTickMs, result, Column(0), Column(kWidth - 1)});
    if (result == 0) break;
    // Real time keeps pace with the play clock, as in a real play, so that a busy
    // machine's slow decoder is not read as a late end.
    std::this_thread::sleep_for(std::chrono::milliseconds(kTickMs));
    clock_.Advance(kTickMs);
  }
  auto red = [](QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 60; };
  EXPECT_TRUE(red(ticks[0].left));  // the first picture through the wipe
  EXPECT_FALSE(red(ticks[0].right));
  EXPECT_EQ(ticks.back().result, 0);  // it runs from the wipe's start for its 1 s, not its stay
  EXPECT_GE(ticks.back().ms, 1000);
  EXPECT_LT(ticks.back().ms, 1500);
}

TEST_F(MediaItemPlayerTest, SwfEndsByItsPlayerOrItsStay) {
  const QString movie = dir_.filePath("movie.swf");
  QFile file(movie);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("FWS") == 3);
  file.close();
  {
    MediaItemPlayer player(clock_);  // the null host: no player
    EXPECT_EQ(player.Load(&target_, movie, kMediaFlash, kWidth, kHeight, 0, kSpeed, 0, 0), 0);
  }
  FakeFlashHosts hosts;
  bool playing = true;
  hosts.isPlaying = [&playing] { return playing; };
  MediaItemPlayer untilStopped(clock_);
  ASSERT_EQ(untilStopped.Load(&target_, movie, kMediaFlash, kWidth, kHeight, 0, kSpeed, 0, 0), 1);
  EXPECT_EQ(untilStopped.Step(), 1);
  EXPECT_EQ(untilStopped.Step(), 1);
  playing = false;
  EXPECT_EQ(untilStopped.Step(), 0);

  playing = true;
  MediaItemPlayer looped(clock_);
  ASSERT_EQ(looped.Load(&target_, movie, kMediaFlash, kWidth, kHeight, 0, kSpeed, 50, 0), 1);
  const std::vector<Tick> ticks = Play(looped);
  EXPECT_EQ(ticks.back().result, 0);
  EXPECT_GE(ticks.back().ms, 5000);
  EXPECT_LT(ticks.back().ms, 5000 + kTickMs);
}

TEST_F(MediaItemPlayerTest, FailedLoadsLeaveNothingAndUnknownEffectsShowAtOnce) {
  const QString text = dir_.filePath("text.gif");
  QFile file(text);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not a picture") > 0);
  file.close();
  const QString badPak = dir_.filePath("bad.pak");
  ASSERT_TRUE(QFile::copy(text, badPak));
  const std::pair<QString, int> failing[] = {{dir_.filePath("missing.png"), kMediaPicture},
                                             {FrameFile(), 5},
                                             {badPak, kMediaFrameFile},
                                             {text, kMediaGif},
                                             {dir_.filePath("missing.avi"), kMediaVideo}};
  for (const auto& [path, kind] : failing) {
    MediaItemPlayer player(clock_);
    EXPECT_EQ(player.Load(&target_, path, kind, kWidth, kHeight, 0, kSpeed, 10, 0), 0)
        << path.toStdString() << " kind " << kind;
    EXPECT_EQ(player.Step(), 0);
  }

  QImage picture(kWidth, kHeight, QImage::Format_RGB32);
  picture.fill(qRgb(0, 0, 255));
  const QString png = dir_.filePath("blue.png");
  ASSERT_TRUE(picture.save(png));
  MediaItemPlayer player(clock_);  // effect 39 has no drawing
  ASSERT_EQ(player.Load(&target_, png, kMediaPicture, kWidth, kHeight, 39, kSpeed, 10, 0), 1);
  const std::vector<Tick> ticks = Play(player);
  EXPECT_EQ(FirstFull(ticks, qRgb(0, 0, 255)), 0);
  EXPECT_EQ(ticks.back().ms, 1020);  // the first tick after its 1 s stay
}

}  // namespace

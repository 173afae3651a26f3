// Video files played through VideoGraph: clips are made at test time with the ffmpeg
// program in a temporary folder, and played on a play clock the test drives faster
// than real time.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTransform>

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "render/video/media_input.h"
#include "render/video/stream_decoder.h"
#include "render/video/video_graph.h"
#include "render/video/video_limits.h"
#include "tests/render/stepped_clock.h"
#include "tests/support/fifo_watchdog.h"

namespace {

constexpr QRgb kUntouched = 0xFF123456;  // the target's colour before any drawing
constexpr int kTolerance = 24;           // per channel, for lossy codecs and YUV rounding
constexpr int kEdgeTolerance = 20;       // 8 %, for lossless YUV

bool Near(QRgb got, QRgb want, int tolerance = kTolerance) {
  return std::abs(qRed(got) - qRed(want)) <= tolerance &&
         std::abs(qGreen(got) - qGreen(want)) <= tolerance &&
         std::abs(qBlue(got) - qBlue(want)) <= tolerance;
}

// Quarters red, lime / blue, white, the left and upper ones a pixel smaller on odd sides.
QImage Quarters(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.setPixel(x, y,
                       y < height / 2 ? (x < width / 2 ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                      : (x < width / 2 ? qRgb(0, 0, 255) : qRgb(255, 255, 255)));
    }
  }
  return picture;
}

// The pixels of got that are not within tolerance of want (of the same size).
int PixelsOff(const QImage& got, const QImage& want, int tolerance) {
  int off = 0;
  for (int y = 0; y < want.height(); ++y) {
    for (int x = 0; x < want.width(); ++x)
      off += Near(got.pixel(x, y), want.pixel(x, y), tolerance) ? 0 : 1;
  }
  return off;
}

class VideoGraphTest : public testing::Test {
 protected:
  // Runs ffmpeg with arguments, writing the clip name into the temporary folder.
  QString Clip(const QString& name, const QStringList& arguments) {
    const QString path = dir_.filePath(name);
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", QStringList{"-hide_banner", "-loglevel", "error", "-y"} + arguments +
                               QStringList{path});
    EXPECT_TRUE(ffmpeg.waitForFinished(30000) && ffmpeg.exitCode() == 0)
        << name.toStdString() << ": " << ffmpeg.readAllStandardError().toStdString();
    return path;
  }
  QStringList Color(const QString& color, int width, int height, double seconds) {
    return {"-f", "lavfi", "-i",
            QString("color=c=%1:s=%2x%3:r=10:d=%4").arg(color).arg(width).arg(height).arg(seconds)};
  }
  // A clip of one picture, stored as raw pixels of format in NUT (which keeps odd
  // sizes). Chroma is taken from every pixel: ffmpeg's default makes the last chroma
  // column of an odd width from outside the picture.
  QString PictureClip(const QString& name, const QImage& picture,
                      const QString& format = "yuv420p") {
    const QString png = dir_.filePath(name + ".png");
    EXPECT_TRUE(picture.save(png));
    return Clip(name + ".nut", {"-i", png, "-sws_flags", "bicubic+full_chroma_inp", "-pix_fmt",
                                format, "-c:v", "rawvideo"});
  }
  QString Write(const QString& name, const QByteArray& bytes) {
    QFile file(dir_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return file.fileName();
  }

  // Builds and cues path; the build's result.
  int Start(VideoGraph& graph, const QString& path) {
    EXPECT_EQ(graph.Prepare(), 1);
    const int built = graph.Build(path, 64, 32);
    if (built == 0) graph.Cue(0);
    return built;
  }
  // The first picture drawn at width x height, waiting for it (kUntouched pixels if
  // none comes in 5 s).
  QImage FirstPicture(const QString& path, int width, int height) {
    VideoGraph graph(clock_);
    QImage target(width, height, QImage::Format_RGB32);
    target.fill(kUntouched);
    if (Start(graph, path) != 0) return target;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (target.pixel(0, 0) == kUntouched && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      graph.DrawFrame(target, width, height);
    }
    return target;
  }
  // Plays a started graph in steps of 10 ms (1 ms real time each) until it ends; the
  // play time at its end, or -1 when it has not ended after limitMs.
  int PlayToEnd(VideoGraph& graph, int limitMs, QImage* target = nullptr) {
    graph.Run();
    for (int played = 0; played <= limitMs; played += 10) {
      if (target != nullptr) graph.DrawFrame(*target, target->width(), target->height());
      if (graph.HasEnded() == 1) return played;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      clock_.Advance(10);
    }
    return -1;
  }

  QTemporaryDir dir_;
  SteppedClock clock_;
};

TEST_F(VideoGraphTest, FirstPictureHasItsColourConvertedOrNot) {
  const std::pair<const char*, QRgb> colors[] = {{"red", qRgb(255, 0, 0)},
                                                 {"lime", qRgb(0, 255, 0)},
                                                 {"blue", qRgb(0, 0, 255)},
                                                 {"white", qRgb(255, 255, 255)}};
  for (const auto& [name, rgb] : colors) {
    const QString mpeg4 =
        Clip(QString(name) + ".avi",
             Color(name, 32, 16, 0.3) + QStringList{"-c:v", "mpeg4", "-q:v", "2"});
    const QString bgra =
        Clip(QString(name) + ".nut",
             Color(name, 32, 16, 0.3) + QStringList{"-pix_fmt", "bgra", "-c:v", "rawvideo"});
    EXPECT_TRUE(Near(FirstPicture(mpeg4, 32, 16).pixel(10, 8), rgb)) << name << " MPEG-4";
    EXPECT_TRUE(Near(FirstPicture(bgra, 32, 16).pixel(10, 8), rgb)) << name << " BGRA";
  }
}

TEST_F(VideoGraphTest, OddSizesAndScalingKeepTheGeometry) {
  // Quarters at 33 x 17: a wrong stride shears the rows.
  const QImage quadrants = Quarters(33, 17);
  const QImage odd = FirstPicture(PictureClip("odd", quadrants), 33, 17);
  for (const QPoint at : {QPoint(0, 0), QPoint(32, 0), QPoint(0, 16), QPoint(32, 16), QPoint(8, 0),
                          QPoint(32, 4), QPoint(24, 16), QPoint(0, 12)}) {
    EXPECT_TRUE(Near(odd.pixel(at), quadrants.pixel(at))) << at.x() << "," << at.y();
  }

  // Halves red and blue (in 4:4:4, where chroma does not blend at the edge): shrunk
  // nearest-neighbour only these two remain; enlarged the edge blends.
  auto halves = [](int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 0));
    for (int y = 0; y < height; ++y) {
      for (int x = width / 2; x < width; ++x) picture.setPixel(x, y, qRgb(0, 0, 255));
    }
    return picture;
  };
  const QImage shrunk = FirstPicture(PictureClip("large", halves(320, 240), "yuv444p"), 64, 32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 64; ++x) {
      ASSERT_TRUE(Near(shrunk.pixel(x, y), qRgb(255, 0, 0)) ||
                  Near(shrunk.pixel(x, y), qRgb(0, 0, 255)))
          << x << "," << y;
    }
  }
  const QImage enlarged = FirstPicture(PictureClip("small", halves(32, 16)), 64, 32);
  EXPECT_TRUE(Near(enlarged.pixel(0, 16), qRgb(255, 0, 0)));
  EXPECT_TRUE(Near(enlarged.pixel(63, 16), qRgb(0, 0, 255)));
  bool blended = false;
  for (int x = 0; x < 64; ++x) {
    blended |= qRed(enlarged.pixel(x, 16)) > 60 && qBlue(enlarged.pixel(x, 16)) > 60;
  }
  EXPECT_TRUE(blended);
}

TEST_F(VideoGraphTest, FullChromaKeepsColourEdgesWhereTheSourceHasThem) {
  // Stripes three pixels wide, so that edges fall on even and odd columns: each pixel
  // of a 4:4:4 picture has its own chroma, at 8 and 10 bits.
  QImage stripes(65, 9, QImage::Format_RGB32);
  for (int y = 0; y < stripes.height(); ++y) {
    for (int x = 0; x < stripes.width(); ++x) {
      stripes.setPixel(x, y, (x / 3) % 2 ? qRgb(230, 20, 20) : qRgb(20, 20, 230));
    }
  }
  for (const QString format : {"yuv444p", "yuv444p10le"}) {
    const QImage shown = FirstPicture(PictureClip("stripes_" + format, stripes, format), 65, 9);
    EXPECT_EQ(PixelsOff(shown, stripes, kEdgeTolerance), 0) << format.toStdString();
  }
}

TEST_F(VideoGraphTest, PicturesTurnAsTheStreamSays) {
  // Stored upright with the turn to show them by, then shown turned and stretched to the
  // area: a display matrix in MOV (the ffmpeg program's rotate option on a stream copy),
  // shown as the ffmpeg program shows it; a "rotate" tag in Matroska (clockwise degrees),
  // which the program does not write itself: its name is put in afterwards.
  const QImage upright = Quarters(32, 16);
  const QString png = dir_.filePath("upright.png");
  ASSERT_TRUE(upright.save(png));
  const QString plain = Clip("upright.mov", {"-i", png, "-c:v", "png"});
  for (const int degrees : {90, 180, 270}) {
    const QString turn = QString("rotate=%1").arg(degrees);
    const QString matrix = Clip(QString("matrix%1.mov").arg(degrees),
                                {"-i", plain, "-c", "copy", "-metadata:s:v:0", turn});
    const QImage byFfmpeg =
        QImage(Clip(QString("matrix%1.png").arg(degrees), {"-i", matrix, "-frames:v", "1"}))
            .convertToFormat(QImage::Format_RGB32);
    ASSERT_NE(byFfmpeg, upright) << degrees;
    EXPECT_EQ(PixelsOff(FirstPicture(matrix, byFfmpeg.width(), byFfmpeg.height()), byFfmpeg, 0), 0)
        << degrees << " by matrix";
    const QImage half = byFfmpeg.scaled(byFfmpeg.size() / 2);
    EXPECT_EQ(PixelsOff(FirstPicture(matrix, half.width(), half.height()), half, 0), 0)
        << degrees << " by matrix, shrunk";

    QFile tagged(Clip(QString("tagged%1.mkv").arg(degrees),
                      {"-i", png, "-c:v", "png", "-write_crc32", "0", "-metadata:s:v:0",
                       QString(turn).replace("rotate", "rotatx")}));
    ASSERT_TRUE(tagged.open(QIODevice::ReadOnly));
    const QString tag =
        Write(QString("tag%1.mkv").arg(degrees), tagged.readAll().replace("ROTATX", "ROTATE"));
    const QImage clockwise = upright.transformed(QTransform().rotate(degrees));
    EXPECT_EQ(PixelsOff(FirstPicture(tag, clockwise.width(), clockwise.height()), clockwise, 0), 0)
        << degrees << " by tag";
  }
}

TEST_F(VideoGraphTest, SizeChangeMidStreamPlaysThrough) {
  const QString first = Clip("first.ts", Color("red", 32, 16, 0.5) + QStringList{"-c:v", "mpeg4"});
  const QString second =
      Clip("second.ts", Color("blue", 48, 40, 0.5) + QStringList{"-c:v", "mpeg4"});
  QFile a(first), b(second);
  ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
  const QString joined = Write("joined.ts", a.readAll() + b.readAll());
  VideoGraph graph(clock_);
  ASSERT_EQ(Start(graph, joined), 0);
  QImage target(16, 8, QImage::Format_RGB32);
  EXPECT_GE(PlayToEnd(graph, 3000, &target), 900);
  EXPECT_TRUE(Near(target.pixel(8, 4), qRgb(0, 0, 255)));
}

TEST_F(VideoGraphTest, EndsAtTheFirstCallAfterTheLastPicturesTime) {
  // Ten pictures of 100 ms: the last one's time is over at 1000 ms.
  const QString clip = Clip("second.avi", Color("red", 32, 16, 1) + QStringList{"-c:v", "mpeg4"});
  VideoGraph graph(clock_);
  ASSERT_EQ(Start(graph, clip), 0);
  EXPECT_EQ(graph.HasEnded(), 0);  // not running yet
  graph.Run();
  for (int played = 0; played < 990; played += 10) {
    ASSERT_EQ(graph.HasEnded(), 0) << played;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    clock_.Advance(10);
  }
  // At 990 ms, given the time to have shown the last picture and found the end.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(graph.HasEnded(), 0);
  clock_.Advance(10);
  EXPECT_EQ(graph.HasEnded(), 1);
  EXPECT_EQ(graph.RunCount(), 1);

  VideoGraph cuedOnly(clock_);
  ASSERT_EQ(Start(cuedOnly, clip), 0);
  cuedOnly.Release();
  VideoGraph midStream;  // on the real clock
  ASSERT_EQ(Start(midStream, clip), 0);
  midStream.Run();
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  midStream.Release();
  EXPECT_EQ(midStream.HasEnded(), 0);
}

TEST_F(VideoGraphTest, BadFilesFailAtOnce) {
  VideoGraph unprepared(clock_);
  EXPECT_EQ(unprepared.Build(Write("x.avi", "x"), 64, 32), VideoGraph::kErrorRenderer);
  const QString fifo = dir_.filePath("pipe.avi");
  ASSERT_TRUE(fifotest::MakeFifo(fifo));
  for (const QString& path : {dir_.filePath("missing.avi"), Write("empty.avi", {}),
                              Write("text.mp4", "just some text, not a video\n"), fifo}) {
    VideoGraph graph(clock_);
    EXPECT_EQ(fifotest::ReturnsPromptly(fifo, [&] { return Start(graph, path); }),
              VideoGraph::kErrorFile)
        << path.toStdString();
    EXPECT_EQ(graph.LastError(), VideoGraph::kErrorFile);
  }
}

TEST_F(VideoGraphTest, PicturesPastTheSideBoundAreNeverDecoded) {
  auto picture = [](int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
  };
  // At the bound a clip plays; one pixel past it either way it cannot.
  const struct {
    int width, height, built;
  } sizes[] = {{kMaxVideoSide, 2, 0},
               {kMaxVideoSide + 1, 2, VideoGraph::kErrorFile},
               {2, kMaxVideoSide + 1, VideoGraph::kErrorFile}};
  for (const auto& size : sizes) {
    const QString name = QString("%1x%2").arg(size.width).arg(size.height);
    VideoGraph graph(clock_);
    EXPECT_EQ(Start(graph, PictureClip(name, picture(size.width, size.height))), size.built)
        << name.toStdString();
  }

  // PNG packets carry their own sizes: a picture past the bound after a small one in
  // a stream of small ones is refused by the decoder as damaged data is (skipped, or
  // the end of the stream, as the decoder's threads report it).
  for (const auto& [name, width] :
       {std::pair{"p1.png", 16}, {"p2.png", kMaxVideoSide + 1}, {"p3.png", 16}}) {
    ASSERT_TRUE(picture(width, 16).save(dir_.filePath(name)));
  }
  const QString mixed = Clip("mixed.nut", {"-f", "image2", "-framerate", "10", "-i",
                                           dir_.filePath("p%d.png"), "-c:v", "copy"});
  const std::atomic<bool> stop{false};
  MediaInput input;
  StreamDecoder decoder;
  ASSERT_TRUE(input.Open(mixed, &stop) && decoder.Open(input.Format()));
  std::vector<int> widths;
  for (TimedStep step; decoder.Next(&step);) widths.push_back(decoder.Frame().width);
  ASSERT_FALSE(widths.empty());
  for (const int width : widths) EXPECT_EQ(width, 16);
}

TEST_F(VideoGraphTest, DamagedClipsPlayWhatTheyCanAndEnd) {
  QFile file(Clip("whole.avi", Color("red", 32, 16, 1) + QStringList{"-c:v", "mpeg4"}));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray whole = file.readAll();
  QList<QByteArray> damaged{whole.left(whole.size() / 2)};
  for (const quint32 seed : {1u, 2u, 3u, 4u}) {
    QRandomGenerator random(seed);
    QByteArray bytes = whole;
    for (int flip = 0; flip < 40; ++flip) {
      bytes[random.bounded(static_cast<int>(bytes.size()))] ^= char(1 << random.bounded(8));
    }
    damaged.append(bytes);
  }
  for (int i = 0; i < damaged.size(); ++i) {
    VideoGraph graph(clock_);
    QImage target(32, 16, QImage::Format_RGB32);
    if (Start(graph, Write(QString("damaged%1.avi").arg(i), damaged[i])) != 0) continue;
    EXPECT_GE(PlayToEnd(graph, 20000, &target), 0) << "clip " << i;
  }
}

TEST_F(VideoGraphTest, MusicDrawsNothingAndEndsAfterItsDuration) {
  const QString tone = Clip("tone.mp3", {"-f", "lavfi", "-i", "sine=frequency=440:duration=1"});
  VideoGraph graph(clock_);
  ASSERT_EQ(Start(graph, tone), 0);
  QImage target(16, 8, QImage::Format_RGB32);
  target.fill(kUntouched);
  const int ended = PlayToEnd(graph, 3000, &target);
  EXPECT_GE(ended, 950);
  EXPECT_LE(ended, 2000);
  EXPECT_EQ(target.pixel(4, 4), kUntouched);
}

}  // namespace

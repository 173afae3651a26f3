#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QPainter>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QUdpSocket>
#include <QtEndian>

#include <algorithm>
#include <functional>
#include <optional>
#include <set>

#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/file_system.h"
#include "render/flash/back_swf_image.h"
#include "render/flash/flash_background.h"
#include "render/flash/process_flash_host.h"
#include "render/flash/swf.h"
#include "render/flash/swf_dialog.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_reader.h"
#include "render/media/media_item_player.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/screenshot.h"
#include "tests/support/swf_writer.h"

using namespace Qt::StringLiterals;

namespace {

// Generous: the machine may be busy with other tests.
constexpr int kWaitMs = 20000;
const QString kRecordGuid = u"0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9"_s;

// Dispatches events until condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, int limitMs = kWaitMs) {
  const QDeadlineTimer deadline(limitMs);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
  return true;
}

// Eight frames at 10 per second, the square moving right and down over a dark red
// stage: its corner pixel has neither green nor blue, as the recorder wants of a
// painted movie.
TestMovie MovingSquare() {
  TestMovie movie;
  movie.background = QColor(160, 0, 0);
  for (int frame = 1; frame <= 8; ++frame) movie.positions.push_back({frame * 20, frame * 10});
  return movie;
}

QString SaveMovie(const TestMovie& movie, const QString& name = u"movie.swf"_s) {
  const QString path = GetAppDir() + name;
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(WriteTestMovie(movie));
  return path;
}

// Where the square is in a picture: its top-left corner, or (-1, -1).
QPoint SquareAt(const QImage& picture, const QColor& color) {
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixel(x, y) == color.rgb()) return {x, y};
    }
  }
  return {-1, -1};
}

// Listeners on loopback that a movie's script would aim at: UDP as WebRTC's STUN
// goes, TCP for TURN over TCP and for pictures.
struct LoopbackListeners {
  QUdpSocket udp;
  QTcpServer tcp;
  LoopbackListeners() {
    EXPECT_TRUE(udp.bind(QHostAddress::LocalHost, 0));
    EXPECT_TRUE(tcp.listen(QHostAddress::LocalHost, 0));
  }
  bool Reached() const { return udp.hasPendingDatagrams() || tcp.hasPendingConnections(); }
};

// javascript: addresses a movie asks for. The first forges the page's messages to the
// helper (a call out, the end of the player) and asks for a picture from the TCP
// listener; the second opens a WebRTC connection towards both listeners.
QStringList HostileScripts(const LoopbackListeners& to) {
  const QString udp = QString::number(to.udp.localPort());
  const QString tcp = QString::number(to.tcp.serverPort());
  return {
      u"javascript:console.log('qf:call:<invoke name=\"forged\" returntype=\"xml\">"
      u"<arguments/></invoke>');Function('return (forgedToo)(...arguments);')();"
      u"new Image().src='http://127.0.0.1:"_s +
          tcp + u"/';console.log('qf:broken');void 0"_s,
      u"javascript:const pc=new RTCPeerConnection({iceServers:[{urls:['stun:127.0.0.1:"_s + udp +
          u"','turn:127.0.0.1:"_s + tcp +
          u"?transport=tcp'],username:'u',credential:'c'}]});pc.createDataChannel('d');"
          u"pc.createOffer().then((offer)=>pc.setLocalDescription(offer));void 0"_s};
}

// The real host, made after the installed helper has been chosen; skipped only
// where the helper could not be built.
class RealFlashHostTest : public testing::Test {
 protected:
  void SetUp() override {
#ifndef QUENDRA_FLASH_HOST_BUILT
    GTEST_SKIP() << "Qt WebEngine is not installed: the Flash helper is not built";
#endif
    ASSERT_TRUE(UseInstalledFlashPlayer()) << "flash-host or Ruffle missing beside the tests";
  }
  void TearDown() override { SetFlashHostFactory({}); }

  std::unique_ptr<FlashHost> Open(const QString& path, QSize size = {320, 160}) {
    std::unique_ptr<FlashHost> host = MakeFlashHost();
    EXPECT_TRUE(host->Create({0, 0, size.width(), size.height()}, size));
    EXPECT_TRUE(host->SetMenu(false));
    EXPECT_TRUE(host->SetScaleMode(kFlashScaleExactFit));
    EXPECT_TRUE(host->SetMovie(path));
    return host;
  }

  QImage Capture(FlashHost& host) {
    QImage picture(320, 160, QImage::Format_RGB32);
    EXPECT_TRUE(host.Capture(picture));
    return picture;
  }
};

TEST_F(RealFlashHostTest, PlaysTheMovieStopsRestartsAndTakesANewBackground) {
  const TestMovie movie = MovingSquare();
  std::unique_ptr<FlashHost> host = Open(SaveMovie(movie));
  ASSERT_TRUE(host->SetLoop(true));
  EXPECT_TRUE(host->IsPlaying());

  std::set<std::pair<int, int>> seen;
  const std::set<std::pair<int, int>> placed = {{20, 10},  {40, 20},  {60, 30},  {80, 40},
                                                {100, 50}, {120, 60}, {140, 70}, {160, 80}};
  ASSERT_TRUE(WaitFor([&] {
    const QImage picture = Capture(*host);
    EXPECT_EQ(picture.pixel(319, 159), movie.background.rgb());
    const QPoint at = SquareAt(picture, movie.squareColor);
    EXPECT_TRUE(placed.count({at.x(), at.y()})) << at.x() << "," << at.y();
    seen.insert({at.x(), at.y()});
    return seen.size() >= 4;
  }));

  // Stopped, the movie stands still (it moved every 100 ms while it played).
  ASSERT_TRUE(host->Stop());
  EXPECT_FALSE(host->IsPlaying());
  QImage stopped = Capture(*host);
  QElapsedTimer still;
  still.start();
  ASSERT_TRUE(WaitFor([&] {
    const QImage now = Capture(*host);
    if (now != stopped) {
      stopped = now;
      still.restart();
    }
    return still.hasExpired(400);
  }));
  ASSERT_TRUE(host->Play());
  EXPECT_TRUE(host->IsPlaying());
  EXPECT_TRUE(WaitFor([&] { return Capture(*host) != stopped; }));

  // A new background loads the movie again: the first capture shows it, never the
  // empty page or the movie before.
  ASSERT_TRUE(host->SetBackgroundColor(0x00C000));
  EXPECT_EQ(Capture(*host).pixel(319, 159), qRgb(0, 0xC0, 0));
  EXPECT_TRUE(WaitFor([&] { return SquareAt(Capture(*host), movie.squareColor).x() >= 0; }));

  // Without loop the movie ends after its eight frames.
  ASSERT_TRUE(host->SetLoop(false));
  EXPECT_TRUE(WaitFor([&] { return !host->IsPlaying(); }));
}

TEST_F(RealFlashHostTest, RecordsFiftyFramesOfTheMovie) {
  struct Recorder : CSwf {
    Recorder() {
      recordMode_ = 1;
      framePath_ = PakFramePath(kRecordGuid);
    }
  };
  // A white stage, which the corner pixel alone would take for a movie not yet painted.
  TestMovie movie = MovingSquare();
  movie.background = Qt::white;
  ASSERT_TRUE(CreateDirTree(AppFolderPath(AppFolder::Temp)));
  Recorder recorder;
  ASSERT_EQ(recorder.Open(320, SaveMovie(movie), 160), 1);
  ASSERT_TRUE(recorder.SetPlayLength(0));
  ASSERT_EQ(recorder.Play(), 1);
  ASSERT_TRUE(WaitFor([&] { return recorder.IsDone(); }));
  ASSERT_FALSE(recorder.RecordFailed());

  CPakReader reader;
  ASSERT_TRUE(reader.Open(PakFramePath(kRecordGuid)));
  ASSERT_EQ(reader.ReadHeader(1), 1);
  EXPECT_EQ(reader.Header().FrameCount, 50u);
  QImage frame(320, 160, QImage::Format_RGB32);
  std::set<int> columns;
  for (int n = 0; n < 50; ++n) {
    int width = 0, height = 0;
    ASSERT_EQ(reader.DrawNextFrame(&width, &height, frame), 1) << n;
    EXPECT_EQ(frame.pixel(319, 159), movie.background.rgb()) << n;
    const QPoint at = SquareAt(frame, movie.squareColor);
    EXPECT_EQ(at.x() % 20, 0) << n;
    EXPECT_EQ(at.y(), at.x() / 2) << n;
    columns.insert(at.x());
  }
  EXPECT_GE(columns.size(), 4u);
}

TEST_F(RealFlashHostTest, RefusesBadMoviesAndEveryRemoteAddress) {
  std::unique_ptr<FlashHost> host = MakeFlashHost();
  ASSERT_TRUE(host->Create({0, 0, 320, 160}, {320, 160}));
  QElapsedTimer elapsed;
  elapsed.start();
  EXPECT_FALSE(host->SetMovie(GetAppDir() + u"missing.swf"_s));
  const QByteArray whole = WriteTestMovie(MovingSquare());
  for (const QByteArray& bytes : {QByteArray(400, 'x'), whole.left(30)}) {
    QFile damaged(GetAppDir() + u"damaged.swf"_s);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(bytes);
    damaged.close();
    EXPECT_FALSE(host->SetMovie(damaged.fileName()));
  }
  EXPECT_LT(elapsed.elapsed(), 2 * kFlashLoadLimitMs + 5000);

  // The movie asks for a page on this machine and calls out to its container.
  LoopbackHttpServer server;
  HttpRoute route;
  route.body = whole;
  server.Route("/remote.swf", route);
  TestMovie asking = MovingSquare();
  asking.loadUrl = server.Url("/remote.swf");
  asking.callName = u"notify"_s;
  asking.callArgument = u"a<b"_s;
  QStringList calls;
  host->SetFlashCallHandler([&calls](const QString& request) { calls << request; });
  ASSERT_TRUE(host->SetMovie(SaveMovie(asking)));
  ASSERT_TRUE(WaitFor([&] { return !calls.isEmpty(); }));
  EXPECT_EQ(calls.front(),
            u"<invoke name=\"notify\" returntype=\"xml\"><arguments><string>a&lt;b</string>"
            u"</arguments></invoke>"_s);
  // The movie asked for the page before it called out; a request would be here by now.
  QElapsedTimer running;
  running.start();
  ASSERT_TRUE(WaitFor([&] { return running.hasExpired(500); }));
  EXPECT_EQ(server.Requests("/remote.swf"), 0);
  EXPECT_FALSE(
      host->CallFunction(u"<invoke name=\"none\" returntype=\"xml\"><arguments/>"
                         u"</invoke>"_s));

  // A closed host's helper plays the next host's movie.
  host.reset();
  std::unique_ptr<FlashHost> next = Open(SaveMovie(MovingSquare(), u"next.swf"_s));
  EXPECT_TRUE(WaitFor([&] { return SquareAt(Capture(*next), QColor(255, 200, 0)).x() >= 0; }));
}

TEST_F(RealFlashHostTest, AMovieRunsNoScriptForgesNothingAndReachesNoListener) {
  LoopbackListeners listeners;
  std::unique_ptr<FlashHost> host = MakeFlashHost();
  ASSERT_TRUE(host->Create({0, 0, 320, 160}, {320, 160}));
  QStringList calls;
  host->SetFlashCallHandler([&calls](const QString& request) { calls << request; });
  for (const QString& script : HostileScripts(listeners)) {
    // Each way a movie opens an address: the page itself, a new window, a form.
    TestMovie movie = MovingSquare();
    movie.getUrls = {{script, {}, 0}, {script, u"_blank"_s, 0}, {script, u"_self"_s, 1}};
    movie.callName = u"done"_s;
    calls.clear();
    ASSERT_TRUE(host->SetMovie(SaveMovie(movie)));
    ASSERT_TRUE(WaitFor([&] { return !calls.isEmpty(); }));
    // The movie asked for the addresses before it called out; give the scripts time.
    QElapsedTimer running;
    running.start();
    ASSERT_TRUE(WaitFor([&] { return listeners.Reached() || running.hasExpired(1500); }));
    EXPECT_FALSE(listeners.Reached()) << script.toStdString();
    // The movie calls out again each time its timeline repeats; nothing else calls.
    for (const QString& call : calls) {
      EXPECT_TRUE(call.startsWith(u"<invoke name=\"done\""_s)) << call.toStdString();
    }
    EXPECT_TRUE(host->IsPlaying());
    EXPECT_GE(SquareAt(Capture(*host), movie.squareColor).x(), 0);
  }
}

TEST_F(RealFlashHostTest, ASwfMediaItemPlaysMovingInThePreview) {
  const TestMovie movie = MovingSquare();
  QImage target(320, 160, QImage::Format_RGB32);
  MediaItemPlayer item;
  ASSERT_EQ(item.Load(&target, SaveMovie(movie), kMediaFlash, 320, 160, 0, 5, 50, 0), 1);
  std::set<int> columns;
  ASSERT_TRUE(WaitFor([&] {
    if (item.Step() != 1) return true;  // ended: the check below tells
    const int column = SquareAt(target, movie.squareColor).x();
    if (column >= 0) columns.insert(column);
    return columns.size() >= 4;
  }));
  EXPECT_GE(columns.size(), 4u);
}

// The built-in movies the build installs beside the test program.
QString InstalledData() { return QCoreApplication::applicationDirPath() + u"/Data/"_s; }

// Copies them into the test's program folder, where the players look for them.
void CopyBuiltInMovies() {
  for (const QString& folder : {u"flashback"_s, u"flashword"_s}) {
    const QDir source(InstalledData() + folder);
    ASSERT_TRUE(CreateDirTree(AppFolderPath(AppFolder::Data) + folder));
    const QStringList names = source.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty()) << folder.toStdString();
    for (const QString& name : names) {
      ASSERT_TRUE(QFile::copy(source.filePath(name),
                              AppFilePath(AppFolder::Data, QString(folder + u'/' + name))));
    }
  }
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a compressed movie holds: its main timeline's frames and frame rate, the
// frame counts of its sprites, and whether it has actions.
struct MovieOutline {
  int frames = 0;
  int frameRate = 0;
  std::vector<int> spriteFrames;
  bool actions = false;
};

// Walks the tags of a compressed movie to its end tag; nothing when a length is off
// or the frames differ from the header's count.
std::optional<MovieOutline> Outline(const QByteArray& file) {
  if (file.size() < 8 || !file.startsWith("CWS")) return std::nullopt;
  const quint32 length = qFromLittleEndian<quint32>(file.constData() + 4);
  QByteArray sized(4, '\0');
  qToBigEndian(length - 8, sized.data());
  const QByteArray body = qUncompress(sized + file.mid(8));
  if (body.isEmpty() || static_cast<quint32>(body.size()) + 8 != length) return std::nullopt;
  const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(body.constData() + at); };
  const qsizetype rectBytes = (5 + 4 * (static_cast<uchar>(body[0]) >> 3) + 7) / 8;
  if (rectBytes + 4 > body.size()) return std::nullopt;
  MovieOutline outline;
  outline.frameRate = static_cast<uchar>(body[rectBytes + 1]);
  const int declared = u16(rectBytes + 2);
  for (qsizetype at = rectBytes + 4; at + 2 <= body.size();) {
    const int code = u16(at) >> 6;
    qint64 size = u16(at) & 0x3F;
    at += 2;
    if (size == 0x3F) {
      if (at + 4 > body.size()) return std::nullopt;
      size = qFromLittleEndian<quint32>(body.constData() + at);
      at += 4;
    }
    if (at + size > body.size()) return std::nullopt;
    if (code == 0) {
      if (at != body.size() || outline.frames != declared) return std::nullopt;
      return outline;
    }
    if (code == 1) ++outline.frames;
    if (code == 12) outline.actions = true;
    if (code == 39 && size >= 4) outline.spriteFrames.push_back(u16(at + 2));
    at += size;
  }
  return std::nullopt;
}

TEST(BuiltInMovies, AreWholeMoviesAndASecondRunWritesTheSameBytes) {
  QTemporaryDir again;
  QProcess generator;
  generator.start(QStringLiteral(QUENDRA_PYTHON),
                  {u"-B"_s, QStringLiteral(QUENDRA_MOVIE_SCRIPT), again.path()});
  ASSERT_TRUE(generator.waitForFinished(120000));
  ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
  const auto same = [&](const QString& name) {
    const QByteArray bytes = ReadAll(InstalledData() + name);
    EXPECT_EQ(bytes, ReadAll(again.path() + u'/' + name)) << name.toStdString();
    return bytes;
  };
  EXPECT_TRUE(same(u"flashback/0.fbk"_s).contains("<PropertyData>"));
  for (int number = 1; number <= 22; ++number) {
    const std::optional<MovieOutline> movie = Outline(same(u"flashback/%1.fbk"_s.arg(number)));
    ASSERT_TRUE(movie) << number;
    EXPECT_EQ(movie->frames, 1) << number;  // the scene loops in its sprite: five seconds
    EXPECT_EQ(movie->spriteFrames, std::vector<int>{5 * movie->frameRate}) << number;
    EXPECT_TRUE(movie->actions) << number;  // the reading of back.xml
  }
  for (int number = 1; number <= 74; ++number) {
    const std::optional<MovieOutline> movie = Outline(same(u"flashword/%1"_s.arg(number)));
    ASSERT_TRUE(movie) << number;
    EXPECT_EQ(movie->frames, 1) << number;
    EXPECT_TRUE(movie->actions) << number;
  }
  EXPECT_FALSE(QFile::exists(again.path() + u"/flashword/75"_s));
  EXPECT_FALSE(QFile::exists(again.path() + u"/flashback/23.fbk"_s));
}

// Whether a picture holds more than one colour.
bool ShowsSomething(const QImage& picture) {
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixel(x, y) != picture.pixel(0, 0)) return true;
    }
  }
  return false;
}

QString Guid(int n) { return u"0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8%1"_s.arg(n, 2, 10, QChar(u'0')); }

TEST_F(RealFlashHostTest, ABuiltInBackgroundRecordsFiftyChangingFrames) {
  CopyBuiltInMovies();
  ASSERT_TRUE(CreateDirTree(AppFolderPath(AppFolder::Temp)));
  CBackSwfImage recorder;
  ASSERT_EQ(recorder.Load(6, 128, 64, 1, kRecordGuid), 1);
  ASSERT_TRUE(WaitFor([&] { return recorder.IsDone(); }));
  ASSERT_FALSE(recorder.RecordFailed());
  CPakReader reader;
  ASSERT_TRUE(reader.Open(PakFramePath(kRecordGuid)));
  ASSERT_EQ(reader.ReadHeader(1), 1);
  ASSERT_EQ(reader.Header().FrameCount, 50u);
  QImage frame(128, 64, QImage::Format_RGB32);
  QImage previous;
  int changes = 0;
  for (int n = 0; n < 50; ++n) {
    int width = 0, height = 0;
    ASSERT_EQ(reader.DrawNextFrame(&width, &height, frame), 1) << n;
    if (n == 0) {
      EXPECT_TRUE(ShowsSomething(frame));
    } else if (frame != previous) {
      ++changes;
    }
    previous = frame.copy();
  }
  EXPECT_GE(changes, 44);
}

// Pictures side by side, columns to a row, each over its number.
QImage Sheet(const std::vector<QImage>& cells, int columns) {
  const QSize cell = cells.front().size() + QSize(4, 16);
  const int rows = (static_cast<int>(cells.size()) + columns - 1) / columns;
  QImage sheet(cell.width() * columns, cell.height() * rows, QImage::Format_RGB32);
  sheet.fill(qRgb(64, 64, 64));
  QPainter painter(&sheet);
  painter.setPen(Qt::white);
  painter.setFont(QFont(u"DejaVu Sans"_s, 8));
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const QPoint at(static_cast<int>(i) % columns * cell.width() + 2,
                    static_cast<int>(i) / columns * cell.height() + 2);
    painter.drawImage(at, cells[i]);
    painter.drawText(QRect(at + QPoint(0, cells[i].height()), QSize(cell.width() - 4, 14)),
                     Qt::AlignCenter, QString::number(i + 1));
  }
  return sheet;
}

// Plays count movies on a few hosts side by side, each host one movie after another,
// and keeps of each movie `keep` pictures 200 ms apart, from the first that shows
// something 0.9 s or more after its start: the flash words then hold their first
// line, the backgrounds move.
std::vector<std::vector<QImage>> MidPlayPictures(
    int count, int keep, QSize control, int scaleMode,
    const std::function<bool(FlashHost&, int)>& start) {
  constexpr int kHosts = 6;
  std::vector<std::unique_ptr<FlashHost>> hosts;
  for (int i = 0; i < std::min(count, kHosts); ++i) {
    hosts.push_back(MakeFlashHost());
    EXPECT_TRUE(hosts.back()->Create({0, 0, control.width(), control.height()}, control));
    EXPECT_TRUE(hosts.back()->SetMenu(false) && hosts.back()->SetScaleMode(scaleMode));
  }
  std::vector<std::vector<QImage>> pictures(static_cast<std::size_t>(count));
  for (int first = 0; first < count; first += kHosts) {
    const std::size_t playing = std::min(hosts.size(), static_cast<std::size_t>(count - first));
    std::vector<QElapsedTimer> started(playing), taken(playing);
    for (std::size_t i = 0; i < playing; ++i) {
      const int n = first + static_cast<int>(i);
      EXPECT_TRUE(hosts[i]->SetLoop(true)) << n + 1;
      EXPECT_TRUE(start(*hosts[i], n)) << n + 1;
      started[i].start();
    }
    const auto takeNext = [&](std::size_t i) {
      std::vector<QImage>& kept = pictures[first + i];
      if (static_cast<int>(kept.size()) == keep || started[i].elapsed() < 900) return;
      if (!kept.empty() && taken[i].elapsed() < 200) return;
      QImage picture(128, 64, QImage::Format_RGB32);
      if (!hosts[i]->Capture(picture) || (kept.empty() && !ShowsSomething(picture))) return;
      kept.push_back(picture);
      taken[i].start();
    };
    WaitFor(
        [&] {
          for (std::size_t i = 0; i < playing; ++i) takeNext(i);
          return std::all_of(
              pictures.begin() + first, pictures.begin() + first + playing,
              [&](const std::vector<QImage>& p) { return static_cast<int>(p.size()) == keep; });
        },
        5000 + 300 * keep);
  }
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    EXPECT_EQ(static_cast<int>(pictures[i].size()), keep) << "movie " << i + 1 << " shows nothing";
    pictures[i].resize(keep, QImage(128, 64, QImage::Format_RGB32));
  }
  return pictures;
}

std::vector<QImage> Firsts(const std::vector<std::vector<QImage>>& pictures) {
  std::vector<QImage> firsts;
  for (const std::vector<QImage>& movie : pictures) firsts.push_back(movie.front());
  return firsts;
}

TEST_F(RealFlashHostTest, EveryBuiltInBackgroundAndFlashWordEffectShows) {
  CopyBuiltInMovies();
  // Five seconds of each background, a loop, as the chooser's cells show it.
  constexpr int kCellFrames = 25;
  const std::vector<std::vector<QImage>> backgrounds = MidPlayPictures(
      22, kCellFrames, {kFlashBackgroundControlWidth, kFlashBackgroundControlHeight},
      kFlashScaleExactFit, [](FlashHost& host, int n) {
        EXPECT_EQ(PrepareFlashBackground(n, Guid(n), 128, 64), 1);
        EXPECT_TRUE(host.SetMovie(FlashBackgroundMoviePath(n, Guid(n))));
        return host.Play();
      });
  SavePicture(Sheet(Firsts(backgrounds), 4), u"built_in_backgrounds"_s);
  // Strips of the cells' frames at their size, from which the chooser's GIFs are made.
  for (std::size_t n = 0; n < backgrounds.size(); ++n) {
    QImage strip(64, 32 * kCellFrames, QImage::Format_RGB32);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int frame = 0; frame < kCellFrames; ++frame)
      painter.drawImage(QRect(0, 32 * frame, 64, 32), backgrounds[n][frame]);
    SavePicture(strip, u"background_cell_%1"_s.arg(n + 1));
  }

  // Words in four scripts, each in a face the system may lack.
  const QStringList words{u"Quendra"_s, u"闪烁文字"_s, u"Привет"_s, u"مرحبا"_s};
  const QStringList faces{u"DejaVu Sans"_s, u"宋体"_s, u"Arial"_s, u"Tahoma"_s};
  const std::vector<std::vector<QImage>> effects = MidPlayPictures(
      74, 1, {kFlashWordControlWidth, kFlashWordControlHeight}, 0, [&](FlashHost& host, int n) {
        const FlashWordStyle style{faces[n % 4], 16, MakeColorRef(255, 255, 0), n % 3 == 0};
        return host.SetMovie(AppFilePath(AppFolder::Data, u"flashword/%1"_s.arg(n + 1))) &&
               host.CallFunction(CSwfDialog::BuildAddTextCall(style, words[n % 4], 128, 64));
      });
  SavePicture(Sheet(Firsts(effects), 8), u"flash_word_effects"_s);
}

TEST(FlashHostChoice, WithoutTheHelperEveryHostIsTheNullHost) {
  QTemporaryDir empty;
  EXPECT_FALSE(UseFlashPlayerIn(empty.path()));
  EXPECT_FALSE(MakeFlashHost()->Create({0, 0, 32, 16}, {32, 16}));
  CSwf swf;
  EXPECT_EQ(swf.Open(32, GetAppDir() + u"movie.swf"_s, 16), 0);
  SetFlashHostFactory({});
}

}  // namespace

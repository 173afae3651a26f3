#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/file_system.h"
#include "render/common/fake_play_clock.h"
#include "render/common/random_source.h"
#include "render/flash/back_swf_image.h"
#include "render/flash/flash_background.h"
#include "render/flash/swf.h"
#include "render/frame/pak_file.h"
#include "tests/support/fake_flash_host.h"

using namespace Qt::StringLiterals;

namespace {

const QString kGuid = u"0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9"_s;
const QByteArray kTemplate =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<PropertyData>\r\n<Keep>1</Keep>\r\n</PropertyData>\r\n";

void WriteFile(const QString& path, const QByteArray& bytes) {
  ASSERT_TRUE(CreateDirTree(path.left(path.lastIndexOf(u'/'))));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The installation's background files: the template and movies 1.fbk to 23.fbk.
void InstallFlashback(const QByteArray& templateXml = kTemplate) {
  WriteFile(FlashBackgroundTemplatePath(), templateXml);
  for (int file = 1; file <= 23; ++file) {
    WriteFile(AppFilePath(AppFolder::Data, u"flashback/%1.fbk"_s.arg(file)),
              "movie " + QByteArray::number(file));
  }
}

QString BackXmlPath() { return FlashBackgroundFolder(kGuid) + u"back.xml"_s; }

// The children of PropertyData in back.xml as "Name=text".
QStringList BackXmlEntries() {
  QXmlStreamReader reader(ReadFile(BackXmlPath()));
  QStringList entries;
  while (!reader.atEnd()) {
    if (reader.readNext() != QXmlStreamReader::StartElement) continue;
    if (reader.name() == u"PropertyData"_s) continue;
    const QString name = reader.name().toString();
    entries << name + u'=' + reader.readElementText();
  }
  return entries;
}

// A random source that always draws the same value.
class FixedRandom : public RandomSource {
 public:
  std::uint32_t Next() override { return 300; }  // % 299 + 1 gives 2
};

// Delivers n ticks of timer 1 through the messaging layer and dispatches them,
// stopping early once the recording is done.
void Tick(CSwf& swf, int n = 1) {
  for (int i = 0; i < n && !swf.IsDone(); ++i) {
    ASSERT_TRUE(PostMessage(swf.Handle(), WM_TIMER, kFlashTimerId, 0));
    QCoreApplication::processEvents();
  }
}

// Captures 1-2 blue, from 3 on red at (0, 0) and elsewhere a pattern of the capture
// number and the row, so that frames and their row order can be told apart.
void PaintLateStart(int capture, QImage& picture) {
  if (capture < 3) {
    picture.fill(qRgb(0, 0, 255));
    return;
  }
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(10, capture, y * 10));
  }
  picture.setPixel(0, 0, qRgb(255, 0, 0));
}

struct BackgroundCase {
  int number;
  const char* parameters;  // after the size, "Name=value" separated by ";"
};

const BackgroundCase kBackgroundCases[] = {
    {0, "StarNumber=40;StarColor=#ff0000"},
    {1, "ParticleCount=40;ParticleColor=#ff0000"},
    {2, "RainNumber=40;PlaySound=False;SoundVolume=0"},
    {3, "SnowNumber=40;SnowColor=#ff0000"},
    {4, "DropNumber=40"},
    {5, "CircleCount=40;CircleColor=#ff0000"},
    {6, "SpinColor=#ff0000;SpinSpeed=1;SpinCenterX=0;SpinCenterY=0"},
    {7,
     "MoveDirection=Top to Bottom;MoveSpeed=1;LineColor=#ff0000;LineThick=10;"
     "IntervalThick=10"},
    {8, "DropNumber=40"},
    {9, "StarCount=40;StarColor=#ff0000"},
    {10, "FireworkNumber=40"},
    {11, "HeartCount=40;Heart1Color=#ff0000;Heart2Color=#ff0000"},
    {12, "CameraNumber=40;CameraColor=#ff0000"},
    {13, "StarNumber=40"},
    {14, "ArrowNumber=40;ArrowColor=#ff0000"},
    {15, "ParticleNumber=40;ParticleColor=#ff0000"},
    {16, "ChippingNumber=40"},
    {17, "FlowerNumber=40;Color1=#ff0000;Color2=#ff0000;Color3=#ff0000;Color4=#ff0000"},
    {18, "LeafNumber=40"},
    {19, "StarNumber=40"},
    {20, "Flicker=True"},
    {21, "CircleColor=#ff0000;CircleCenterX=0;CircleCenterY=0"},
    {22, ""},
};

TEST(FlashBackgroundTest, WritesTheSizeAndTheParametersOfEachNumber) {
  InstallFlashback();
  for (const BackgroundCase& row : kBackgroundCases) {
    SCOPED_TRACE(row.number);
    ASSERT_EQ(PrepareFlashBackground(row.number, kGuid, 96, 48), 1);
    QStringList expected{u"Keep=1"_s, u"Movie.Width=96"_s, u"Movie.Height=48"_s};
    for (const QString& parameter :
         QString::fromUtf8(row.parameters).split(u';', Qt::SkipEmptyParts)) {
      expected << u"Background."_s + parameter;
    }
    EXPECT_EQ(BackXmlEntries(), expected);
    EXPECT_EQ(ReadFile(FlashBackgroundMoviePath(row.number, kGuid)),
              "movie " + QByteArray::number(row.number + 1));
  }
}

TEST(FlashBackgroundTest, PreparingAgainKeepsOneSetAndTheMovieCopy) {
  InstallFlashback();
  ASSERT_EQ(PrepareFlashBackground(4, kGuid, 96, 48), 1);
  WriteFile(FlashBackgroundMoviePath(4, kGuid), "edited copy");
  ASSERT_EQ(PrepareFlashBackground(4, kGuid, 128, 32), 1);
  EXPECT_EQ(BackXmlEntries(), (QStringList{u"Keep=1"_s, u"Movie.Width=128"_s, u"Movie.Height=32"_s,
                                           u"Background.DropNumber=40"_s}));
  EXPECT_EQ(ReadFile(FlashBackgroundMoviePath(4, kGuid)), "edited copy");
}

TEST(FlashBackgroundTest, RefusesBadTemplatesNamesAndNumbers) {
  InstallFlashback("<?xml version=\"1.0\"?>\r\n<Other><PropertyData/></Other>\r\n");
  WriteFile(BackXmlPath(), "previous");
  EXPECT_EQ(PrepareFlashBackground(0, kGuid, 96, 48), 0);
  EXPECT_EQ(ReadFile(BackXmlPath()), "previous");
  ASSERT_TRUE(QFile::remove(FlashBackgroundTemplatePath()));
  EXPECT_EQ(PrepareFlashBackground(0, kGuid, 96, 48), 0);
  EXPECT_EQ(ReadFile(BackXmlPath()), "previous");

  InstallFlashback();
  EXPECT_EQ(PrepareFlashBackground(-1, kGuid, 96, 48), 0);
  for (const QString& guid : {u"../escape"_s, u""_s, u"0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F/"_s}) {
    EXPECT_EQ(PrepareFlashBackground(0, guid, 96, 48), 0);
  }
  EXPECT_EQ(QDir(AppFolderPath(AppFolder::Temp)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
            QStringList{kGuid});
  EXPECT_FALSE(FileExists(GetAppDir() + u"escape"_s));
}

class FlashRecorderTest : public testing::Test {
 protected:
  void SetUp() override {
    SetProcessRandom(&random_);
    InstallFlashback();
  }
  void TearDown() override { SetProcessRandom(nullptr); }

  FixedRandom random_;
  FakeFlashHosts hosts_;
  FakePlayClock clock_{0, 1000};
};

TEST_F(FlashRecorderTest, RecordsFiftyFramesFromTheFirstPaint) {
  hosts_.paint = PaintLateStart;
  CBackSwfImage swf(clock_);
  ASSERT_EQ(swf.Load(3, 5, 3, 1, kGuid), 1);
  EXPECT_EQ(hosts_.calls,
            (std::vector<QString>{u"Create 2,2,7,5 1150x525"_s, u"SetMenu 0"_s, u"SetScaleMode 2"_s,
                                  u"SetMovie "_s + FlashBackgroundMoviePath(3, kGuid),
                                  u"SetLoop 1"_s, u"Play"_s}));
  Tick(swf, 52);
  EXPECT_FALSE(swf.IsDone());
  EXPECT_FALSE(FileExists(PakFramePath(kGuid)));
  Tick(swf, 10);
  ASSERT_TRUE(swf.IsDone());
  EXPECT_FALSE(swf.RecordFailed());
  EXPECT_EQ(hosts_.Captures(), 53);
  EXPECT_FALSE(KillTimer(swf.Handle(), kFlashTimerId));

  const QByteArray file = ReadFile(PakFramePath(kGuid));
  PakHeaderBytes head{};
  ASSERT_GE(file.size(), kPakHeaderSize);
  std::copy_n(file.constData(), kPakHeaderSize, head.begin());
  EXPECT_EQ(DecodePakHeader(head), (PakFileHeader{kPakMagic, 5, 3, 0xFFFFFFFF, 50, 0}));
  const int frameBytes = 16 * 3;
  ASSERT_EQ(file.size(), kPakHeaderSize + 50 * frameBytes);
  // Frame 1 is capture 4; its first stored row is the bottom row (row 2).
  EXPECT_EQ(file.mid(kPakHeaderSize, 3), QByteArray("\x14\x04\x0a", 3));
  for (int n = 1; n <= 50; ++n) {
    QImage capture(5, 3, QImage::Format_RGB32);
    PaintLateStart(n + 3, capture);
    const Dib24 expected = Dib24::FromImage(capture);
    const QByteArray frame = file.mid(kPakHeaderSize + (n - 1) * frameBytes, frameBytes);
    ASSERT_EQ(frame, QByteArray(reinterpret_cast<const char*>(expected.Bits()), frameBytes))
        << "frame " << n;
  }
}

TEST_F(FlashRecorderTest, AMovieThatNeverPaintsFailsAtTheLimitAndLeavesNoFile) {
  hosts_.paint = [](int, QImage& picture) { picture.fill(qRgb(0, 40, 0)); };
  CBackSwfImage swf(clock_);
  ASSERT_EQ(swf.Load(0, 5, 3, 1, kGuid), 1);
  Tick(swf, 5);
  clock_.Advance(kFlashRecordLimitMs - 1);
  Tick(swf);
  EXPECT_FALSE(swf.IsDone());
  clock_.Advance(1);
  Tick(swf);
  EXPECT_TRUE(swf.IsDone());
  EXPECT_TRUE(swf.RecordFailed());
  EXPECT_FALSE(KillTimer(swf.Handle(), kFlashTimerId));
  EXPECT_FALSE(FileExists(PakFramePath(kGuid)));
  EXPECT_TRUE(QDir(AppFolderPath(AppFolder::Temp)).entryList({u"*.pak*"_s}).isEmpty());
}

TEST_F(FlashRecorderTest, PlayLengthAndIsPlayingEndTheMovie) {
  CBackSwfImage background(clock_);
  ASSERT_EQ(background.Load(1, 5, 3, 1, kGuid), 1);
  clock_.Advance(4999);
  EXPECT_EQ(background.HasEnded(), 0);
  clock_.Advance(1);
  EXPECT_EQ(background.HasEnded(), 1);
  EXPECT_EQ(background.HasEnded(), 1);
  EXPECT_EQ(hosts_.Count(u"Stop"_s), 1);
  EXPECT_FALSE(KillTimer(background.Handle(), kFlashTimerId));

  bool playing = true;
  hosts_.isPlaying = [&playing] { return playing; };
  CSwf swf(clock_);
  ASSERT_EQ(swf.Open(5, u"movie.swf"_s, 3), 1);
  ASSERT_TRUE(swf.SetPlayLength(0));
  EXPECT_EQ(hosts_.calls.back(), u"SetLoop 0"_s);
  ASSERT_EQ(swf.Play(), 1);
  clock_.Advance(60000);
  EXPECT_EQ(swf.HasEnded(), 0);
  playing = false;
  EXPECT_EQ(swf.HasEnded(), 1);
}

TEST_F(FlashRecorderTest, DrawBlanksUntilTheFirstPaintAndEndsAfterFiveSeconds) {
  hosts_.paint = [](int capture, QImage& picture) {
    picture.fill(qRgb(200, 0, 0));
    if (capture == 1) picture.setPixel(0, 0, qRgb(0, 1, 0));
    if (capture == 2) picture.setPixel(0, 0, qRgb(0, 0, 1));
    if (capture == 4) picture.setPixel(0, 0, qRgb(0, 255, 0));  // after the start
  };
  CBackSwfImage swf(clock_);
  ASSERT_EQ(swf.Load(2, 6, 4, 0, kGuid), 1);
  QImage dc(6, 4, QImage::Format_RGB32);
  for (int capture = 1; capture <= 4; ++capture) {
    SCOPED_TRACE(capture);
    dc.fill(Qt::white);
    ASSERT_EQ(swf.Draw(dc, 6, 4), 1);
    QImage expected(6, 4, QImage::Format_RGB32);
    hosts_.paint(capture, expected);
    if (capture <= 2) expected.fill(Qt::black);
    EXPECT_EQ(dc, expected);
  }
  clock_.Advance(5000);
  EXPECT_EQ(swf.Draw(dc, 6, 4), 0);
}

TEST(FlashNullHostTest, NothingOpensAndNoFrameFileIsMade) {
  InstallFlashback();
  CSwf swf;
  EXPECT_EQ(swf.Open(5, u"movie.swf"_s, 3), 0);
  EXPECT_FALSE(swf.IsOpen());
  CBackSwfImage background;
  EXPECT_EQ(background.Load(4, 5, 3, 1, kGuid), 0);
  EXPECT_FALSE(background.IsOpen());
  EXPECT_FALSE(background.IsDone());
  EXPECT_FALSE(FileExists(PakFramePath(kGuid)));
  EXPECT_TRUE(FileExists(BackXmlPath()));
  EXPECT_TRUE(FileExists(FlashBackgroundMoviePath(4, kGuid)));
}

}  // namespace

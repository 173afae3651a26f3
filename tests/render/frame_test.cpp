#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include <limits>

#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/file_system.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_frame_reader.h"
#include "render/frame/pak_freshness.h"
#include "render/frame/pak_reader.h"
#include "render/frame/pak_writer.h"
#include "render/raster/dib24.h"

namespace {

const QString kName = QStringLiteral("0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9");
constexpr ColorRef kBack = 0x00123456;

QString TempPath() {
  EXPECT_TRUE(CreateDirTree(AppFolderPath(AppFolder::Temp)));
  return PakFramePath(kName);
}

// Frame n of a test file: pixel (x, y) is red x, green y, blue n.
Dib24 TestFrame(int width, int height, int n) {
  Dib24 frame(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) frame.SetPixel(x, y, MakeColorRef(x, y, n));
  }
  return frame;
}

void WritePak(const QString& path, int width, int height, int frames, int lastExtent,
              ColorRef back = kBack) {
  PakWriter writer;
  ASSERT_TRUE(writer.Open(path, width, height, back)) << qPrintable(writer.ErrorText());
  for (int n = 0; n < frames; ++n) ASSERT_TRUE(writer.AppendFrame(TestFrame(width, height, n)));
  ASSERT_TRUE(writer.Finish(lastExtent)) << qPrintable(writer.ErrorText());
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

// A header written byte by byte from the format's table.
QByteArray HeaderBytes(qint32 width, qint32 height, quint32 back, qint32 count, qint32 extent) {
  QByteArray bytes("\xFD\xFC\xFB\xFA", 4);
  for (quint32 value : {quint32(width), quint32(height), back, quint32(count), quint32(extent)}) {
    for (int shift = 0; shift < 32; shift += 8) bytes.append(char((value >> shift) & 0xFF));
  }
  return bytes;
}

TEST(PakFormat, HeaderBytesFollowTheFormatTable) {
  const PakFileHeader header{kPakMagic, 64, 32, 0x00112233, 3, 37};
  const PakHeaderBytes bytes = EncodePakHeader(header);
  const QByteArray expected = HeaderBytes(64, 32, 0x00112233, 3, 37);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()), kPakHeaderSize), expected);
  EXPECT_EQ(DecodePakHeader(bytes), header);
  EXPECT_EQ(EncodePakHeader({kPakMagic, -1, 2, 0xFFFFFFFF, 0, 0})[4], 0xFF);
}

TEST(PakFormat, WrittenFileIsHeaderThenBottomUpFramesAndNothingElse) {
  const QString path = TempPath();
  WritePak(path, 5, 2, 3, 4);
  const QByteArray bytes = ReadAll(path);
  // Rows of 5 pixels take 16 bytes; a frame is 32 bytes.
  ASSERT_EQ(bytes.size(), 24 + 3 * 32);
  EXPECT_EQ(bytes.left(24), HeaderBytes(5, 2, kBack, 3, 4));
  // Frame 2: its first stored row is the picture's bottom row (y 1), blue first.
  const QByteArray frame2 = bytes.mid(24 + 2 * 32, 32);
  EXPECT_EQ(frame2.mid(0, 6), QByteArray("\x02\x01\x00\x02\x01\x01", 6));
  EXPECT_EQ(frame2.mid(15, 1), QByteArray(1, '\0'));  // padding
  EXPECT_EQ(frame2.mid(16, 3), QByteArray("\x02\x00\x00", 3));
  EXPECT_FALSE(QDir(AppFolderPath(AppFolder::Temp)).entryList(QDir::Files).size() != 1)
      << "a temporary file was left behind";
}

TEST(PakFormat, FramePathsAreGuidNamesUnderTemp) {
  EXPECT_EQ(PakFramePath(kName), AppFilePath(AppFolder::Temp, QString(kName + ".pak")));
  EXPECT_TRUE(PakFramePath(QStringLiteral("../../etc/passwd")).isEmpty());
  EXPECT_TRUE(PakFramePath(QString()).isEmpty());
}

TEST(PakFrameReader, RoundTripOfSeveralFramesAndAFileCutShort) {
  const QString path = TempPath();
  WritePak(path, 7, 3, 4, 5);
  PakFrameReader reader;
  ASSERT_TRUE(reader.Open(path));
  ASSERT_EQ(reader.ReadHeader(), PakCheck::Ok);
  EXPECT_EQ(reader.Header(), (PakFileHeader{kPakMagic, 7, 3, kBack, 4, 5}));
  for (int n = 0; n < 4; ++n) {
    ASSERT_TRUE(reader.ReadNextFrame()) << n;
    const Dib24 expected = TestFrame(7, 3, n);
    EXPECT_TRUE(std::equal(expected.Bits(), expected.Bits() + expected.SizeInBytes(),
                           reader.Frame().Bits()))
        << "frame " << n;
  }
  EXPECT_EQ(reader.FramesRead(), 4);
  EXPECT_FALSE(reader.ReadNextFrame());  // never past what the header announces

  // Reading again from the header, then the file is cut short underneath (rows of 24
  // bytes, frames of 72): the reading ends there.
  ASSERT_EQ(reader.ReadHeader(), PakCheck::Ok);
  ASSERT_TRUE(reader.ReadNextFrame());
  ASSERT_TRUE(QFile::resize(path, 24 + 72 + 30));
  EXPECT_FALSE(reader.ReadNextFrame());
  EXPECT_EQ(reader.FramesRead(), 1);
  EXPECT_FALSE(PakFrameReader().Open(path + ".missing"));
}

TEST(PakFrameReader, HostileHeadersAreRefusedBeforeAnyAllocation) {
  const QString path = TempPath();
  struct Case {
    const char* name;
    QByteArray bytes;
    PakCheck expected;
  };
  const QByteArray oneFrame(4 * 2, '\0');  // 1 x 2 pixels, rows of 4 bytes
  const Case cases[] = {
      {"short header", HeaderBytes(1, 2, 0, 1, 1).left(23), PakCheck::Truncated},
      {"bad magic", QByteArray("\xFD\xFC\xFB\xFB") + HeaderBytes(1, 2, 0, 1, 1).mid(4) + oneFrame,
       PakCheck::BadMagic},
      {"no frames", HeaderBytes(1, 2, 0, 0, 1) + oneFrame, PakCheck::NoFrames},
      {"negative count", HeaderBytes(1, 2, 0, -5, 1) + oneFrame, PakCheck::NoFrames},
      {"zero width", HeaderBytes(0, 2, 0, 1, 1) + oneFrame, PakCheck::BadSize},
      {"negative height", HeaderBytes(1, -2, 0, 1, 1) + oneFrame, PakCheck::BadSize},
      {"huge frame", HeaderBytes(65535, 65535, 0, 1, 1) + oneFrame, PakCheck::BadSize},
      {"huge count", HeaderBytes(1, 2, 0, std::numeric_limits<qint32>::max(), 1) + oneFrame,
       PakCheck::Truncated},
      {"huge count of big frames", HeaderBytes(4096, 4096, 0, 0x7FFFFFFF, 1) + oneFrame,
       PakCheck::Truncated},
      {"one frame short", HeaderBytes(1, 2, 0, 2, 1) + oneFrame, PakCheck::Truncated},
      {"exact", HeaderBytes(1, 2, 0, 1, 1) + oneFrame, PakCheck::Ok},
  };
  for (const Case& c : cases) {
    WriteBytes(path, c.bytes);
    PakFrameReader reader;
    ASSERT_TRUE(reader.Open(path));
    EXPECT_EQ(reader.ReadHeader(), c.expected) << c.name;
    EXPECT_EQ(reader.ReadNextFrame(), c.expected == PakCheck::Ok) << c.name;
  }
}

TEST(PakWriter, ReplacesTheFileOnlyWhenComplete) {
  const QString path = TempPath();
  WritePak(path, 2, 2, 1, 2);
  const QByteArray old = ReadAll(path);
  {
    PakWriter writer;
    ASSERT_TRUE(writer.Open(path, 3, 3, kBack));
    ASSERT_TRUE(writer.AppendFrame(TestFrame(3, 3, 0)));
    EXPECT_EQ(ReadAll(path), old);  // readers still see the whole old file
    ASSERT_TRUE(writer.Finish(3));
  }
  EXPECT_EQ(ReadAll(path).left(24), HeaderBytes(3, 3, kBack, 1, 3));
}

TEST(PakWriter, FailureIsReportedAndLeavesNoFile) {
  const QString path = TempPath();
  WritePak(path, 2, 2, 1, 2);
  {
    PakWriter writer;
    ASSERT_TRUE(writer.Open(path, 3, 3, kBack));
    EXPECT_FALSE(writer.AppendFrame(TestFrame(3, 4, 0)));
    EXPECT_FALSE(writer.ErrorText().isEmpty());
    EXPECT_FALSE(writer.AppendFrame(TestFrame(3, 3, 0)));  // a failed writer stays failed
    EXPECT_FALSE(writer.Finish(3));
  }
  // The stale file is gone too, so the content counts as outdated.
  EXPECT_FALSE(FileExists(path));
  {
    PakWriter writer;  // given up before Finish
    ASSERT_TRUE(writer.Open(path, 3, 3, kBack));
    ASSERT_TRUE(writer.AppendFrame(TestFrame(3, 3, 0)));
  }
  EXPECT_TRUE(QDir(AppFolderPath(AppFolder::Temp)).entryList(QDir::Files).isEmpty());

  PakWriter writer;
  EXPECT_FALSE(writer.Open(GetAppDir() + "missing/x.pak", 3, 3, kBack));
  EXPECT_TRUE(writer.ErrorText().contains("missing/x.pak"));
  EXPECT_FALSE(writer.Open(path, 0, 3, kBack));
  EXPECT_FALSE(writer.Finish(0));
}

TEST(CPakReader, BothHeaderOperationsRefuseBadFiles) {
  const QString path = TempPath();
  WriteBytes(path, HeaderBytes(2, 2, 0, 0, 2) + QByteArray(16, '\0'));
  CPakReader play;
  ASSERT_TRUE(play.Open(path));
  EXPECT_EQ(play.ReadHeaderForPlay(10, 0), 0);
  CPakReader scroll;
  ASSERT_TRUE(scroll.Open(path));
  EXPECT_EQ(scroll.ReadHeader(1), 0);
  QImage target(2, 2, QImage::Format_RGB32);
  int width = -1, height = -1;
  EXPECT_EQ(scroll.DrawNextFrame(&width, &height, target), 0);
  EXPECT_EQ(play.DrawNextFrameStretched(target, 2, 2), 0);
}

TEST(CPakReader, PlayTimingFromTheStay) {
  const QString path = TempPath();
  WritePak(path, 2, 2, 1, 2);
  CPakReader reader;
  ASSERT_TRUE(reader.Open(path));
  ASSERT_EQ(reader.ReadHeaderForPlay(30, 1), 1);  // three seconds
  EXPECT_EQ(reader.Timing().stayMs, 3000);
  EXPECT_EQ(reader.Timing().stayTicks, 100);  // of 30 ms
  EXPECT_EQ(reader.Timing().tickMode, 1);
}

// The scroll player's side of a test file: its reader and the white surface it draws on.
struct ScrollPlayer {
  CPakReader reader;
  QImage target;
  int width = 0;
  int height = 0;

  bool Start(int frameWidth, int frameHeight, int frames, int lastExtent, int trailingFill) {
    WritePak(TempPath(), frameWidth, frameHeight, frames, lastExtent);
    target = QImage(frameWidth, frameHeight, QImage::Format_RGB32);
    target.fill(Qt::white);
    return reader.Open(TempPath()) && reader.ReadHeader(trailingFill) == 1;
  }
  int Draw() { return reader.DrawNextFrame(&width, &height, target); }
};

TEST(CPakReader, OneFrameStripIsDrawnOnlyAsWideAsItsUsedWidth) {
  ScrollPlayer player;
  ASSERT_TRUE(player.Start(64, 4, 1, 37, 1));
  ASSERT_EQ(player.Draw(), 1);
  EXPECT_EQ(player.width, 37);
  EXPECT_EQ(player.height, 4);
  EXPECT_EQ(player.target.pixel(36, 3), qRgb(36, 3, 0));
  EXPECT_EQ(player.target.pixel(37, 3), qRgb(255, 255, 255));
  EXPECT_EQ(player.Draw(), 0);  // nothing more
}

TEST(CPakReader, TrailingFillAfterTheLastFrame) {
  ScrollPlayer player;
  ASSERT_TRUE(player.Start(8, 2, 2, 3, 0));
  ASSERT_EQ(player.Draw(), 1);
  EXPECT_EQ(player.width, 8);
  EXPECT_EQ(player.target.pixel(7, 1), qRgb(7, 1, 0));
  ASSERT_EQ(player.Draw(), 1);
  EXPECT_EQ(player.width, 3);
  EXPECT_EQ(player.target.pixel(2, 0), qRgb(2, 0, 1));
  EXPECT_EQ(player.target.pixel(3, 0), qRgb(3, 0, 0));  // left from the first frame
  ASSERT_EQ(player.Draw(), 1);
  EXPECT_EQ(player.width, 8);
  EXPECT_EQ(player.height, 2);
  EXPECT_EQ(player.target.pixel(7, 1), ColorRefToQRgb(kBack));
  EXPECT_EQ(player.target.pixel(0, 0), ColorRefToQRgb(kBack));
  EXPECT_EQ(player.Draw(), 0);
}

TEST(CPakReader, StretchedFramesUseNearestNeighbours) {
  const QString path = TempPath();
  WritePak(path, 2, 1, 1, 0);
  CPakReader reader;
  ASSERT_TRUE(reader.Open(path));
  ASSERT_EQ(reader.ReadHeaderForPlay(10, 0), 1);
  QImage target(4, 2, QImage::Format_RGB32);
  ASSERT_EQ(reader.DrawNextFrameStretched(target, 4, 2), 1);
  EXPECT_EQ(target.pixel(1, 1), qRgb(0, 0, 0));
  EXPECT_EQ(target.pixel(2, 0), qRgb(1, 0, 0));
  EXPECT_EQ(target.pixel(3, 1), qRgb(1, 0, 0));
}

TEST(IsPakOutdated, SizeColourAndSoundness) {
  const QString path = TempPath();
  EXPECT_EQ(IsPakOutdated(kName, 16, 8, kBack), 1) << "missing";
  WritePak(path, 16, 8, 2, 16);
  EXPECT_EQ(IsPakOutdated(kName, 16, 8, kBack), 0);
  EXPECT_EQ(IsPakOutdated(kName, 17, 8, kBack), 1) << "other width";
  EXPECT_EQ(IsPakOutdated(kName, 16, 9, kBack), 1) << "other height";
  EXPECT_EQ(IsPakOutdated(kName, 16, 8, kBack ^ 1), 1) << "other colour";
  EXPECT_EQ(IsPakOutdated(kName.toLower(), 16, 8, kBack), 1) << "another file";
  EXPECT_EQ(IsPakOutdated(QStringLiteral("../x"), 16, 8, kBack), 1) << "not a GUID text";

  const QByteArray whole = ReadAll(path);
  WriteBytes(path, whole.left(23));
  EXPECT_EQ(IsPakOutdated(kName, 16, 8, kBack), 1) << "shorter than a header";
  WriteBytes(path, whole.left(whole.size() - 1));
  EXPECT_EQ(IsPakOutdated(kName, 16, 8, kBack), 1) << "a frame cut short";
  WriteBytes(path, whole.left(24));
  EXPECT_EQ(IsPakOutdated(kName, 16, 8, kBack), 1) << "frames missing";
  WriteBytes(path, HeaderBytes(16, 8, kBack, 0, 16));
  EXPECT_EQ(IsPakOutdated(kName, 16, 8, kBack), 1) << "unfinished writer";
  WriteBytes(path, whole + QByteArray(5, 'x'));
  EXPECT_EQ(IsPakOutdated(kName, 16, 8, kBack), 0) << "bytes after the frames are ignored";
  QFile::remove(path);
  QDir().mkpath(path);
  EXPECT_EQ(IsPakOutdated(kName, 16, 8, kBack), 1) << "a folder is not a frame file";
}

}  // namespace

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/file_system.h"
#include "model/project/area_items.h"
#include "render/common/fake_play_clock.h"
#include "render/common/random_source.h"
#include "render/flash/flash_text_call.h"
#include "render/flash/swf_dialog.h"
#include "render/frame/pak_file.h"
#include "render/raster/gdi_text.h"
#include "tests/support/fake_flash_host.h"

using namespace Qt::StringLiterals;

namespace {

const QString kGuid = u"0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9"_s;
const FlashWordStyle kStyle{u"DejaVu Sans"_s, 12, 0x0000FF, true, true, false};

int Width(const QString& text) { return TextExtent(FlashWordFont(kStyle), text).width(); }

TEST(FlashWordTextTest, WrapsRunsToTheAreaWidth) {
  const QFont font = FlashWordFont(kStyle);
  // Room for "AB" and its 2 pixels a character, not for "ABC".
  const int twoLetters = Width(u"AB"_s) + 4;
  struct Case {
    QString text;
    int width;
    QString wrapped;
    int lines;
  } cases[] = {
      {u"ABCD"_s, 1000, u"ABCD"_s, 1},
      {u"AB\r\nCD\n"_s, 1000, u"ABCD\n"_s, 1},
      {u""_s, 1000, u" "_s, 1},
      {u"\r\n"_s, 1000, u" "_s, 1},
      {u"ABCDE"_s, twoLetters, u"AB^CD^E"_s, 3},
      // A character wider than the area stands alone, even the first and the last.
      {u"WAW"_s, Width(u"A"_s) + 2, u"W^A^W^"_s, 4},
      {u"A😀B"_s, 1, u"A^😀^B^"_s, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    const WrappedFlashText wrapped = WrapFlashText(c.text, font, c.width);
    EXPECT_EQ(wrapped.text, c.wrapped);
    EXPECT_EQ(wrapped.lines, c.lines);
  }
}

TEST(FlashWordTextTest, BuildsTheAddTextCall) {
  const QString w1 = QString::number(Width(u"国"_s) * 113);
  const QString w2 = QString::number(Width(u"W"_s) * 123);
  EXPECT_EQ(CSwfDialog::BuildAddTextCall(kStyle, u"AB^CD"_s, 96, 32),
            u"<invoke name=\"addText\" returntype=\"xml\"><arguments><string>AB^CD`96`32`"
            "DejaVu Sans`"_s +
                QString::number(Width(u"国"_s)) +
                u"`0`0`0`0`0xff0000`0xff0000`0xff0000``true`true``true`1`1.0`0x0`1.swf``2000`"_s +
                w1 + u'`' + w2 + u"`</string></arguments></invoke>"_s);
  // The style block of an item with underline alone and another colour.
  FlashWordItem item{};
  ASSERT_TRUE(CopyBoundedText(item.FontProp_FontName, u"A&B"));
  item.FontProp_FontSize = 12;
  item.FontProp_FontColor = 0x00563412;
  item.FontProp_FontUnderLined = 1;
  const FlashWordStyle plain = FlashWordStyleOf(item);
  const QString call = CSwfDialog::BuildAddTextCall(plain, u"<a&b>"_s, 8, 9);
  EXPECT_TRUE(call.contains(u"<string>&lt;a&amp;b&gt;`8`9`A&amp;B`"_s)) << call.toStdString();
  EXPECT_TRUE(call.contains(u"`0x123456`0x123456`0x123456````true`true`"_s)) << call.toStdString();
}

TEST(FlashWordTextTest, SubstitutesFontFamiliesInOrder) {
  const std::pair<QString, QString> rows[] = {
      {u"华文细黑"_s, u"STXihei"_s},
      {u"华文楷体"_s, u"STKaiti"_s},
      {u"华文宋体"_s, u"STSong"_s},
      {u"华文中宋"_s, u"STZhongsong"_s},
      {u"华文仿宋"_s, u"STFangsong"_s},
      {u"方正舒体"_s, u"FZShuTi"_s},
      {u"方正姚体"_s, u"FZYaoti"_s},
      {u"方正超粗黑简体"_s, u"FZChaoCuHei-M10S"_s},
      {u"华文彩云"_s, u"STCaiyun"_s},
      {u"华文琥珀"_s, u"STHupo"_s},
      {u"华文隶书"_s, u"STLiti"_s},
      {u"华文行楷"_s, u"STXingkai"_s},
      {u"华文新魏"_s, u"STXinwe"_s},
      {u"仿宋_GB2312"_s, u"FangSong_GB2312"_s},
      {u"楷体_GB2312"_s, u"KaiTi_GB2312"_s},
      {u"微軟正黑"_s, u"Microsoft JhengHei"_s},
      {u"微软雅黑"_s, u"Microsoft YaHe"_s},
      {u"黑体"_s, u"SimHei"_s},
      {u"新宋体"_s, u"NSimSun"_s},
      {u"宋体"_s, u"SimSun"_s},
      {u"仿宋"_s, u"FangSong"_s},
      {u"楷体"_s, u"KaiTi"_s},
      {u"隶书"_s, u"LiSu"_s},
      {u"幼圆"_s, u"YouYuan"_s},
      {u"DejaVu Sans"_s, u"DejaVu Sans"_s},
      {u"宋体宋体"_s, u"SimSunSimSun"_s},
  };
  for (const auto& [face, family] : rows)
    EXPECT_EQ(FlashFontFamily(face), family) << face.toStdString();
}

class FlashWordRecorderTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDirTree(AppFolderPath(AppFolder::Temp)));
    ASSERT_TRUE(CreateDirTree(AppFilePath(AppFolder::Data, u"flashword"_s)));
    QFile movie(AppFilePath(AppFolder::Data, u"flashword/3"_s));
    ASSERT_TRUE(movie.open(QIODevice::WriteOnly));
    SetFlashWordNotice([this](const QString& text) { notices_ << text; });
  }
  void TearDown() override { SetFlashWordNotice(nullptr); }

  FlashTextRecord Record(const QString& text, int record = 1, std::int64_t color = -1) const {
    return {2, kGuid, text, 40, 16, color, record};
  }
  // "ABCDEABCDE" on two lines.
  FlashTextRecord TwoLines(std::int64_t color = -1) const {
    return {2, kGuid, u"ABCDEABCDE"_s, Width(u"ABCDE"_s) + 10, 16, color, 1};
  }
  // Ticks of timer 1 through the messaging layer until the recording is done.
  void RunUntilDone(CSwfDialog& dialog, int ticks = 100) {
    for (int i = 0; i < ticks && !dialog.IsDone(); ++i) {
      ASSERT_TRUE(PostMessage(dialog.Handle(), WM_TIMER, kFlashWordTimerId, 0));
      QCoreApplication::processEvents();
    }
  }
  PakFileHeader HeaderOnDisk() const {
    QFile file(PakFramePath(kGuid));
    PakHeaderBytes bytes{};
    if (!file.open(QIODevice::ReadOnly) ||
        file.read(reinterpret_cast<char*>(bytes.data()), kPakHeaderSize) != kPakHeaderSize) {
      return {};
    }
    const PakFileHeader header = DecodePakHeader(bytes);
    EXPECT_EQ(file.size(), kPakHeaderSize + header.FrameCount * PakFrameBytes(header));
    return header;
  }

  FakeFlashHosts hosts_;
  QStringList notices_;
};

TEST_F(FlashWordRecorderTest, RecordsUntilTheLastLineEvent) {
  hosts_.flashCallAfterCaptures = {4};
  CSwfDialog dialog;
  ASSERT_EQ(dialog.RenderFlashText(kStyle, Record(u"AB"_s)), 1);
  EXPECT_EQ(dialog.LineCount(), 1);
  ASSERT_EQ(hosts_.calls.size(), 4u);
  EXPECT_TRUE(hosts_.calls[0].endsWith(u" 1000x500"_s));
  EXPECT_EQ(hosts_.calls[1], u"SetMovie "_s + AppFilePath(AppFolder::Data, u"flashword/3"_s));
  EXPECT_EQ(hosts_.calls[2], u"SetLoop 1"_s);
  EXPECT_EQ(hosts_.calls[3],
            u"CallFunction "_s + CSwfDialog::BuildAddTextCall(kStyle, u"AB"_s, 40, 16));
  RunUntilDone(dialog);
  ASSERT_TRUE(dialog.IsDone());
  EXPECT_FALSE(dialog.RecordFailed());
  EXPECT_EQ(dialog.FlashEventCount(), 1);
  EXPECT_EQ(HeaderOnDisk(), (PakFileHeader{kPakMagic, 40, 16, 0xFFFFFFFF, 4, 0}));
  EXPECT_FALSE(KillTimer(dialog.Handle(), kFlashWordTimerId));

  // Two lines, an event after captures 3 and 6, and a colour.
  hosts_.calls.clear();
  hosts_.flashCallAfterCaptures = {3, 6};
  CSwfDialog coloured;
  const FlashTextRecord twoLines = TwoLines(0x00336699);
  ASSERT_EQ(coloured.RenderFlashText(kStyle, twoLines), 1);
  EXPECT_EQ(coloured.LineCount(), 2);
  EXPECT_EQ(hosts_.Count(u"SetBackgroundColor"_s), 1);
  EXPECT_EQ(hosts_.calls[2], u"SetBackgroundColor 996633"_s);
  RunUntilDone(coloured);
  EXPECT_EQ(HeaderOnDisk(), (PakFileHeader{kPakMagic, twoLines.width, 16, 0x996633, 6, 0}));
  EXPECT_TRUE(notices_.isEmpty());
}

TEST_F(FlashWordRecorderTest, ATemplateWithoutEventsStopsAtTheLimit) {
  FakePlayClock clock;
  CSwfDialog dialog(clock);
  ASSERT_EQ(dialog.RenderFlashText(kStyle, TwoLines()), 1);
  ASSERT_EQ(dialog.LineCount(), 2);
  RunUntilDone(dialog, 5);
  clock.Advance(3 * kFlashWordRecordLimitMs - 1);
  RunUntilDone(dialog, 1);
  EXPECT_FALSE(dialog.IsDone());
  clock.Advance(1);
  RunUntilDone(dialog, 1);
  EXPECT_TRUE(dialog.IsDone());
  EXPECT_TRUE(dialog.RecordFailed());
  EXPECT_FALSE(FileExists(PakFramePath(kGuid)));
}

TEST_F(FlashWordRecorderTest, FailuresWriteNothingAndNoticeOnlyWhenRecording) {
  CSwfDialog dialog;
  FlashTextRecord missing = Record(u"AB"_s);
  missing.playStyle = 7;
  EXPECT_EQ(dialog.RenderFlashText(kStyle, missing), 0);
  EXPECT_EQ(hosts_.Count(u"Create"_s), 0);

  hosts_.failingCalls = {u"CallFunction"_s};
  EXPECT_EQ(dialog.RenderFlashText(kStyle, Record(u"AB"_s, 0)), 0);
  EXPECT_TRUE(notices_.isEmpty());
  EXPECT_EQ(dialog.RenderFlashText(kStyle, Record(u"AB"_s, 1)), 0);
  EXPECT_EQ(notices_, QStringList{u"parameter error！"_s});
  EXPECT_EQ(hosts_.LiveHosts(), 0);

  hosts_.failingCalls.clear();
  hosts_.createFails = true;
  EXPECT_EQ(dialog.RenderFlashText(kStyle, Record(u"AB"_s, 1)), 0);
  EXPECT_EQ(notices_.size(), 1);
  EXPECT_FALSE(FileExists(PakFramePath(kGuid)));
}

TEST_F(FlashWordRecorderTest, PlaysWithoutRecording) {
  hosts_.flashCallAfterCaptures = {2};
  CSwfDialog dialog;
  ASSERT_EQ(dialog.RenderFlashText(kStyle, Record(u"AB"_s, 0)), 1);
  QImage picture(40, 16, QImage::Format_RGB32);
  ASSERT_EQ(dialog.Capture(picture), 1);
  EXPECT_EQ(picture.pixel(5, 5), FakeFlashHosts::PaintedColor(1));
  ASSERT_EQ(dialog.Capture(picture), 1);
  EXPECT_EQ(dialog.FlashEventCount(), dialog.LineCount());
  EXPECT_FALSE(dialog.IsDone());
  EXPECT_FALSE(FileExists(PakFramePath(kGuid)));
}

TEST(FlashWordNullHostTest, GivesZeroWithoutANotice) {
  ASSERT_TRUE(CreateDirTree(AppFilePath(AppFolder::Data, u"flashword"_s)));
  QFile movie(AppFilePath(AppFolder::Data, u"flashword/1"_s));
  ASSERT_TRUE(movie.open(QIODevice::WriteOnly));
  int notices = 0;
  SetFlashWordNotice([&notices](const QString&) { ++notices; });
  std::unique_ptr<CSwfDialog> dialog(new CSwfDialog);
  EXPECT_EQ(dialog->RenderFlashText(kStyle, {0, kGuid, u"AB"_s, 40, 16, -1, 1}), 0);
  SetFlashWordNotice(nullptr);
  EXPECT_EQ(notices, 0);
  EXPECT_FALSE(FileExists(PakFramePath(kGuid)));
}

}  // namespace

// The program builder: its calls recorded one by one in front of the real library,
// and a screen built in the model, sent to an emulated card and read back there.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <string>
#include <vector>

#include "app/builder/program_builder.h"
#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/project/clear_project.h"
#include "model/project/current_screen.h"
#include "model/project/project_editing.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_writer.h"
#include "render/text/rtf_render.h"
#include "tests/sdk/generate/page_test_support.h"
#include "tests/support/card_emulator.h"
#include "tests/support/display_data_codec.h"
#include "tests/support/project_building.h"

namespace {

using testsupport::PlaceArea;

std::vector<std::string> Log;
std::vector<PageInfo> Pages;

// Each call is logged as the words of its arguments after the handle, then made in
// the library, whose result it returns.
std::string Word(std::int32_t value) { return std::to_string(value); }
std::string Word(const AreaRect* r) {
  return Word(r->X) + "," + Word(r->Y) + "," + Word(r->Width) + "x" + Word(r->Height);
}
std::string Word(const ProgramTimeInfo* time) { return "time" + Word(time->TimeFlags); }
std::string Word(const WaterBorderInfo* border) { return "border" + Word(border->BorderSpeed); }
std::string Word(const DigitalClockAreaInfo*) { return "digital"; }
std::string Word(const ClockAreaInfo*) { return "analog"; }
std::string Word(const TimeAreaInfo*) { return "countdown"; }
std::string Word(const char16_t* path) { return QString::fromUtf16(path).toStdString(); }
std::string Word(const PageInfo* page) {
  Pages.push_back(*page);
  return Word(page->Effect) + "," + Word(page->Speed) + "," + Word(page->StayTime);
}

template <auto Call, typename... Args>
auto Recorded(ProgramHandle set, Args... args) {
  std::string line;
  ((line += (line.empty() ? "" : " ") + Word(args)), ...);
  Log.push_back(line);
  return Call(set, args...);
}

const SdkProgramCalls kRecorder{
    [](std::int32_t w, std::int32_t h, std::int32_t color, std::int32_t mode) {
      Log.push_back("create " + Word(w) + "x" + Word(h) + " " + Word(color) + " " + Word(mode));
      return KQ_CreateProgram(w, h, color, mode);
    },
    &Recorded<&KQ_AddProgram>,
    &Recorded<&KQ_SetProgramTime>,
    &Recorded<&KQ_AddWaterBorder>,
    &Recorded<&KQ_AddImageTextArea>,
    &Recorded<&KQ_AddImageTextAreaDataFromFile>,
    &Recorded<&KQ_AddDigitalClockArea>,
    &Recorded<&KQ_AddClockArea>,
    &Recorded<&KQ_AddTimeArea>,
};

class NoTree : public ProjectTreeItems {
  void DeleteAllItems() override {}
};

BackgroundItem Back(std::int32_t type, std::int32_t delay, std::int32_t speed, QString path = {}) {
  BackgroundItem item{};
  item.FileType = type, item.DelayTime = delay, item.Speed = speed;
  (void)CopyBoundedText(item.FilePath, path);
  return item;
}

FileAreaItem File(std::int32_t type, const QString& path) {
  FileAreaItem item{};
  item.FileType = type, item.InStyle = 3, item.InSpeed = 2, item.DelayTime = 6;
  (void)CopyBoundedText(item.FilePath, path);
  return item;
}

class ProgramBuilder : public testing::Test {
 protected:
  void SetUp() override {
    Log.clear();
    Pages.clear();
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
    screen_.LedWidth = 128, screen_.LedHeight = 64, screen_.LedColor = 1;
  }
  // The job of the checked programs (or all), built through the recorder.
  OwnedProgramSet Build(std::int32_t* refusal, bool all = false, std::int32_t mode = 0) {
    CollectCheckedPrograms(screen_, NoTree{}, job_, all);
    return BuildScreenProgram(job_, mode, refusal, kRecorder);
  }
  ProgramRecord& Checked() {
    ProgramRecord& program = AddProgram(screen_);
    program.CheckState = 1;
    return program;
  }

  ScreenRecord screen_{};
  ScreenSendJob job_{};
  std::int32_t refusal_ = 1;
};

TEST_F(ProgramBuilder, NumbersCheckedProgramsFromTwoAndEachAreaPart) {
  PlaceArea(AddProgram(screen_), kSingleLineArea, 0, 0, 8, 8);
  EXPECT_TRUE(Build(&refusal_) && job_.Programs.empty() && refusal_ == 0);
  EXPECT_TRUE(Build(&refusal_, true) && job_.Programs.size() == 1 && refusal_ == 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"create 128x64 2 0", "create 128x64 2 0"}));

  ProgramRecord& program = Checked();
  program.PlayTime = 99, program.LoopCount = 3;  // StopType 0: by loops
  AreaRecord& clock = PlaceArea(program, kDigitalClockArea, 0, 0, 40, 20);
  clock.IsUseBorder = 1, clock.BorderWidth = 2, clock.BorderSpeed = 16, clock.IsUseBack = 1;
  clock.Backgrounds = {Back(5, 0, 0), Back(3, 9, 31, "a\\b.gif")};
  PlaceArea(program, kAnalogClockArea, 40, 0, 72, 32);
  PlaceArea(program, kCountdownArea, 72, 0, 128, 20);
  Log.clear();
  EXPECT_TRUE(Build(&refusal_, true, 2));
  EXPECT_EQ(Log, (std::vector<std::string>{"create 128x64 2 2", "2 0 3", "2 2 0,0,40x20 border18",
                                           "2 3 2,2,36x16 digital", "2 4 2,2,36x16 0",
                                           "2 4 a/b.gif 93,200,0", "2 5 40,0,32x32 analog",
                                           "2 6 72,0,56x20 countdown"}));
  EXPECT_EQ(refusal_, KQ_ERR_PAGE_NOT_FOUND);
}

TEST_F(ProgramBuilder, EffectAndSpeedListsWholeAndClampedAtTheirEnds) {
  auto& pages =
      std::get<std::vector<FileItem>>(PlaceArea(Checked(), kImageTextArea, 0, 0, 8, 8).Kind);
  for (int entry = -1; entry <= 40; ++entry) {
    FileItem& page = pages.emplace_back(FileItem{});
    page.InStyle = page.InSpeed = entry;
    (void)CopyBoundedText(page.guid, NewGuidText());
  }
  EXPECT_TRUE(Build(&refusal_));
  const std::vector<int> effects = {1,  1,  99, 2,  4,  3,  5,  97, 96, 94, 95, 6,  12, 13,
                                    14, 15, 16, 17, 61, 62, 50, 51, 52, 53, 8,  9,  10, 11,
                                    20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 0,  0};
  const std::vector<int> speeds = {1,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,
                                   11,  12,  13,  14,  15,  16,  18,  20,  22,  24,  28,
                                   32,  36,  40,  45,  50,  60,  70,  90,  120, 160, 200,
                                   200, 200, 200, 200, 200, 200, 200, 200, 200};
  ASSERT_EQ(Pages.size(), effects.size());
  for (std::size_t i = 0; i < Pages.size(); ++i) {
    EXPECT_EQ(Pages[i].Effect, effects[i]) << i;
    EXPECT_EQ(Pages[i].Speed, speeds[i]) << i;
  }
}

TEST_F(ProgramBuilder, FirstRefusalComesBackWhileTheSetStillSends) {
  ProgramRecord& program = Checked();
  PlaceArea(program, kSingleLineArea, 8, 0, 40, 16);  // no frame file
  OwnedProgramSet set = Build(&refusal_);
  EXPECT_EQ(refusal_, KQ_ERR_PAGE_NOT_FOUND);
  AreaRecord& thin = PlaceArea(program, kSingleLineArea, 0, 0, 3, 16);
  thin.IsUseBorder = 1, thin.BorderWidth = 2;
  std::rotate(program.Areas.begin(), program.Areas.end() - 1, program.Areas.end());
  set = Build(&refusal_);
  EXPECT_EQ(refusal_, KQ_ERR_BAD_SIZE);
  CommInfo usb{};
  usb.SendType = KQ_SEND_USB;
  (void)CopyBoundedText(usb.UsbRoot, GetAppDir());
  EXPECT_EQ(KQ_Send(&usb, set.get()), KQ_OK);
  EXPECT_TRUE(QFileInfo::exists(GetAppDir() + "marvane/KQ-P/kq_disp_dat.usb"));
}

// A picture whose pixels run through channel values on both sides of 128.
QImage Pattern(int width, int height, int seed) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.setPixel(x, y, qRgb((x * 37 + y * 11 + seed) % 256, (x * 5 + y * 71 + seed) % 256, 9));
    }
  }
  return image;
}

void WriteFrames(const char16_t* guid, const std::vector<QImage>& frames) {
  PakWriter writer;
  ASSERT_TRUE(writer.Open(PakFramePath(ReadBoundedText(guid, kNameCapacity)), frames[0].width(),
                          frames[0].height(), 0));
  for (const QImage& frame : frames) ASSERT_TRUE(writer.AppendFrame(Dib24::FromImage(frame)));
  ASSERT_TRUE(writer.Finish(0));
}

TEST_F(ProgramBuilder, TextAtItsPageLimitIsSentAndReported) {
  auto& pages =
      std::get<std::vector<FileItem>>(PlaceArea(Checked(), kImageTextArea, 0, 0, 1, 1).Kind);
  FileItem& page = pages.emplace_back(FileItem{});
  page.AddType = 1;
  (void)CopyBoundedText(page.guid, NewGuidText());
  const int limit = MaxTextPages(1, 1);
  WriteFrames(page.guid, std::vector<QImage>(limit - 1, QImage(1, 1, QImage::Format_RGB32)));
  EXPECT_TRUE(Build(&refusal_));
  EXPECT_EQ(refusal_, 0);
  WriteFrames(page.guid, std::vector<QImage>(limit, QImage(1, 1, QImage::Format_RGB32)));
  EXPECT_TRUE(Build(&refusal_));
  EXPECT_EQ(refusal_, kRefusalTextPageLimit);
  EXPECT_EQ(Pages.size(), 2u);  // the page is added all the same
  page.AddType = 3;             // a table has no page limit
  EXPECT_TRUE(Build(&refusal_));
  EXPECT_EQ(refusal_, 0);
}

// The frame's planes are the picture's red and green channels thresholded at 128.
void ExpectShows(const emu::PageFrame& frame, const emu::DisplayArea& area, const QImage& picture) {
  std::vector<std::uint8_t> pixels;
  ASSERT_EQ(
      emu::PlanesToPixels(frame.planes, area.left, picture.width(), picture.height(), 2, pixels),
      "");
  int wrong = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb pixel = picture.pixel(x, y);
      const int lit = (qRed(pixel) >= 128 ? 1 : 0) | (qGreen(pixel) >= 128 ? 2 : 0);
      wrong += pixels[std::size_t(y) * picture.width() + x] != lit;
    }
  }
  EXPECT_EQ(wrong, 0);
}

void ExpectPage(const emu::PageFrame& frame, int effect, int speed, int stay) {
  EXPECT_EQ(frame.effect, effect);
  EXPECT_EQ(frame.speed, speed);
  EXPECT_EQ(frame.stay, stay);
}

void ExpectArea(const emu::DisplayArea& area, int layer, int kind, int left, int top, int right,
                int bottom) {
  EXPECT_EQ(std::vector<int>({area.layer, area.kind, area.left, area.top, area.right, area.bottom}),
            std::vector<int>({layer, kind, left, top, right, bottom}));
}

template <std::size_t N>
void SetFont(char16_t (&name)[N], std::int32_t& size) {
  (void)CopyBoundedText(name, u"DejaVu Sans");
  size = 9;
}

TEST_F(ProgramBuilder, ScreenFromTheModelReachesTheCardAsBuilt) {
  ProgramRecord& timed = Checked();
  timed.StopType = 1, timed.PlayTime = 30, timed.LoopCount = 2, timed.IsProgramTiming = 1;
  timed.IsDate = 1, timed.IsWeek = 1, timed.WeekVaule = 0x2A;
  timed.StartYear = 2026, timed.StartMonth = 12, timed.StartDay = 1, timed.StartHour = 8;
  timed.EndYear = 2027, timed.EndMonth = 1, timed.EndDay = 31, timed.EndHour = 20;
  timed.IsUseBorder = 1, timed.BorderColor = 0xFF, timed.BorderSpeed = 3;

  AreaRecord& line = PlaceArea(timed, kSingleLineArea, 8, 8, 72, 28);
  line.IsUseBorder = 1, line.BorderWidth = 2, line.IsUseBack = 1;
  auto& lineInfo = std::get<SingleLineAreaInfo>(line.Kind);
  lineInfo.InStyle = 2, lineInfo.InSpeed = 4, lineInfo.DelayTime = 3;
  const std::vector<QImage> lineFrames = {Pattern(60, 16, 0), Pattern(60, 16, 99)};
  WriteFrames(lineInfo.guid, lineFrames);
  const QImage back = Pattern(60, 16, 7);
  ASSERT_TRUE(back.save(GetAppDir() + "back.png"));
  line.Backgrounds = {Back(4, 7, 1, GetAppDir() + "back.png"), Back(8, 4, 0)};
  (void)CopyBoundedText(line.Backgrounds[1].guid, NewGuidText());
  WriteFrames(line.Backgrounds[1].guid, {Pattern(60, 16, 50)});

  auto& pages =
      std::get<std::vector<FileItem>>(PlaceArea(timed, kImageTextArea, 72, 8, 120, 28).Kind);
  std::vector<QImage> pictures;
  for (int entry : {0, 10, 39}) {
    FileItem& page = pages.emplace_back(FileItem{});
    page.InStyle = entry, page.InSpeed = entry * 31 / 39, page.DelayTime = int(pages.size());
    (void)CopyBoundedText(page.guid, NewGuidText());
    WriteFrames(page.guid, {pictures.emplace_back(Pattern(48, 20, entry))});
  }
  auto& digital =
      std::get<DigitalClockAreaInfo>(PlaceArea(timed, kDigitalClockArea, 8, 28, 48, 44).Kind);
  SetFont(digital.ShowStrFont_FontName, digital.ShowStrFont_FontSize);
  digital.IsShowHour = digital.IsShowMinite = 1, digital.TimeColor = 0xFF;
  auto& analog = std::get<ClockAreaInfo>(PlaceArea(timed, kAnalogClockArea, 48, 28, 80, 60).Kind);
  SetFont(analog.ShowStrFont_FontName, analog.ShowStrFont_FontSize);
  analog.HourPointerWidth = analog.MinutePointerWidth = analog.SecondPointerWidth = 1;
  auto& countdown = std::get<TimeAreaInfo>(PlaceArea(timed, kCountdownArea, 80, 28, 124, 44).Kind);
  SetFont(countdown.ShowStrFont_FontName, countdown.ShowStrFont_FontSize);
  countdown.nYear = 2030, countdown.nMonth = 6, countdown.nDay = 15, countdown.nHour = 12;
  countdown.IsShowDay = countdown.IsShowHour = 1, countdown.ShowStrFont_FontColor = 0xFF;

  PlaceArea(AddProgram(screen_), kSingleLineArea, 0, 0, 8, 8);  // unchecked
  ProgramRecord& looped = Checked();
  looped.PlayTime = 99, looped.LoopCount = 3;
  auto& files =
      std::get<std::vector<FileAreaItem>>(PlaceArea(looped, kFilesArea, 16, 8, 80, 40).Kind);
  const QImage still = Pattern(64, 32, 3);
  ASSERT_TRUE(still.save(GetAppDir() + "still.png"));
  pagetest::WriteFile(GetAppDir() + "moving.gif",
                      pagetest::MakeGif(2, 1, {{{1, 2}, 10}, {{2, 3}, 10}, {{3, 1}, 10}}));
  files = {File(4, GetAppDir() + "still.png"), File(3, GetAppDir() + "moving.gif")};

  emu::Card card;
  emu::TcpCard server(card);
  ASSERT_TRUE(server.Listening());
  const QStringList octets = QString::fromStdString(server.Address()).split('.');
  for (const QString& octet : octets) screen_.LedIp = screen_.LedIp << 8 | octet.toUInt();
  CommInfo info{};
  MakeCommInfo(screen_, info);
  info.CardAddress = 1;
  const OwnedProgramSet set = Build(&refusal_);
  EXPECT_EQ(refusal_, 0);
  ASSERT_EQ(KQ_Send(&info, set.get()), KQ_OK);
  ASSERT_EQ(card.Payloads().size(), 1u);
  emu::DisplayData data;
  ASSERT_EQ(emu::DecodeDisplayData(card.Payloads()[0], data), "");

  EXPECT_EQ(std::vector<int>({data.width, data.height, data.colorType}),
            std::vector<int>({128, 64, 2}));
  ASSERT_EQ(data.programs.size(), 2u);
  const emu::DisplayProgram& first = data.programs[0];
  EXPECT_EQ(std::vector<int>({first.playTime, first.loopCount, first.timeFlags, first.weekdayMask}),
            std::vector<int>({30, 2, 5, 0x2A}));
  EXPECT_EQ(first.start, (emu::CardTime{2026, 12, 1, 8, 0, 0}));
  EXPECT_EQ(first.end, (emu::CardTime{2027, 1, 31, 20, 0, 0}));
  ASSERT_EQ(first.areas.size(), 8u);
  ExpectArea(first.areas[0], 1, 15, 0, 0, 127, 63);
  EXPECT_EQ(first.areas[0].speed, 4);
  ExpectArea(first.areas[1], 1, 15, 8, 8, 71, 27);
  ExpectArea(first.areas[2], 1, 1, 10, 10, 69, 25);
  ASSERT_EQ(first.areas[2].frames.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    ExpectPage(first.areas[2].frames[i], 2, 5, 3);
    ExpectShows(first.areas[2].frames[i], first.areas[2], lineFrames[i]);
  }
  const emu::DisplayArea& background = first.areas[3];
  ExpectArea(background, 0, 1, 10, 10, 69, 25);
  ASSERT_EQ(background.frames.size(), 2u);
  ExpectPage(background.frames[0], 1, 2, 7);
  ExpectShows(background.frames[0], background, back);
  ExpectPage(background.frames[1], 93, 1, 4);
  ExpectArea(first.areas[4], 1, 1, 72, 8, 119, 27);
  ASSERT_EQ(first.areas[4].frames.size(), 3u);
  const int codes[3][3] = {{1, 1, 1}, {6, 8, 2}, {0, 200, 3}};
  for (int i = 0; i < 3; ++i) {
    ExpectPage(first.areas[4].frames[i], codes[i][0], codes[i][1], codes[i][2]);
    ExpectShows(first.areas[4].frames[i], first.areas[4], pictures[i]);
  }
  ExpectArea(first.areas[5], 1, 5, 8, 28, 47, 43);
  ExpectArea(first.areas[6], 1, 10, 48, 28, 79, 59);
  ExpectArea(first.areas[7], 1, 7, 80, 28, 123, 43);
  EXPECT_EQ(first.areas[7].target, (emu::CardTime{2030, 6, 15, 12, 0, 0}));
  EXPECT_FALSE(first.areas[5].elements.empty() || first.areas[6].face.empty() ||
               first.areas[7].elements.empty());

  const emu::DisplayProgram& second = data.programs[1];
  EXPECT_EQ(std::vector<int>({second.playTime, second.loopCount, second.timeFlags}),
            std::vector<int>({0, 3, 0}));
  ASSERT_EQ(second.areas.size(), 1u);
  const emu::DisplayArea& list = second.areas[0];
  ExpectArea(list, 1, 1, 16, 8, 79, 39);
  ASSERT_EQ(list.frames.size(), 4u);
  ExpectPage(list.frames[0], 4, 3, 6);
  ExpectShows(list.frames[0], list, still);
  for (int i = 1; i < 4; ++i) EXPECT_EQ(list.frames[i].effect, 93);
}

}  // namespace

// The preview shows what the card shows: one program of every area kind the two share
// (a single line, an image-text page in a border, a picture, a countdown, a digital
// and an analog clock) is played one tick in the preview window at a fixed moment, and
// built, sent to a USB folder, decoded and composed as the card shows it; every pixel
// must agree, on a one-colour, a two-colour and a full-colour screen, with colours on
// both sides of each channel's threshold. The analog clock's hands are black, which
// neither draws: the card draws hands from its own time, which the composition leaves
// out.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/builder/program_builder.h"
#include "app/canvas/preview_dialog.h"
#include "controls/shell/program_messages.h"
#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "render/borders/border_strips.h"
#include "render/common/fake_play_clock.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_writer.h"
#include "tests/support/card_picture.h"
#include "tests/support/display_data_codec.h"
#include "tests/support/project_building.h"
#include "tests/support/screenshot.h"

namespace {

using testsupport::PlaceArea;

constexpr int kWidth = 128;
constexpr int kHeight = 64;
// The moment both are shown at: Saturday 14 March 2026, 15:15:15 in UTC+8.
constexpr emu::CardClock kMoment{2026, 3, 14, 15, 15, 15, 6};
constexpr std::int64_t kMomentSeconds = 1773472515;

// Channel values at and around the threshold, and the ends.
constexpr int kValues[] = {0, 127, 128, 129, 255};

ColorRef Threshold(int red, int green, int blue) { return MakeColorRef(red, green, blue); }

// A picture whose pixels run through the threshold values in every channel.
QImage Pattern(int width, int height, int seed) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.setPixel(x, y,
                     qRgb(kValues[(x + seed) % 5], kValues[(y + 2 * x + seed) % 5],
                          kValues[(x / 5 + y + seed) % 5]));
    }
  }
  return image;
}

void WriteFrame(const char16_t (&guid)[kNameCapacity], const QImage& frame) {
  PakWriter writer;
  ASSERT_TRUE(writer.Open(PakFramePath(ReadBoundedText(guid)), frame.width(), frame.height(), 0));
  ASSERT_TRUE(writer.AppendFrame(Dib24::FromImage(frame)));
  ASSERT_TRUE(writer.Finish(0));
}

template <std::size_t N>
void SetFace(char16_t (&face)[N], std::int32_t& size, int points) {
  CopyBoundedText(face, u"DejaVu Sans");
  size = points;
}

// Every test of the suite runs in UTC+8 (the moment's zone), spelled as a POSIX rule.
class ZoneOfTheMoment {
 public:
  ZoneOfTheMoment() {
    const char* zone = std::getenv("TZ");
    saved_ = zone ? std::optional<std::string>(zone) : std::nullopt;
    ::setenv("TZ", "CST-8", 1);
    ::tzset();
  }
  ~ZoneOfTheMoment() {
    if (saved_) {
      ::setenv("TZ", saved_->c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }

 private:
  std::optional<std::string> saved_;
};

// The program: areas of every kind the preview and the card share, laid side by side.
void BuildProgram(ProgramRecord& program) {
  program.CheckState = 1;
  program.StopType = 2;  // until stopped

  auto& line = std::get<SingleLineAreaInfo>(PlaceArea(program, kSingleLineArea, 0, 0, 64, 16).Kind);
  CopyBoundedText(line.guid, NewGuidText());
  line.DelayTime = 5;
  WriteFrame(line.guid, Pattern(64, 16, 0));

  AreaRecord& bordered = PlaceArea(program, kImageTextArea, 64, 0, 128, 32);
  bordered.IsUseBorder = 1;
  bordered.BorderValue = 4;
  bordered.BorderWidth = BorderStripThickness(0, 4);
  bordered.BorderColor = Threshold(128, 255, 127);
  FileItem& page = std::get<std::vector<FileItem>>(bordered.Kind).emplace_back(FileItem{});
  CopyBoundedText(page.guid, NewGuidText());
  page.DelayTime = 5;
  const int inset = 2 * bordered.BorderWidth;
  WriteFrame(page.guid, Pattern(64 - inset, 32 - inset, 3));

  auto& files =
      std::get<std::vector<FileAreaItem>>(PlaceArea(program, kFilesArea, 0, 16, 32, 32).Kind);
  const QString picture = GetAppDir() + "picture.png";
  ASSERT_TRUE(Pattern(32, 16, 1).save(picture));
  FileAreaItem& file = files.emplace_back(FileAreaItem{});
  file.FileType = 4;
  file.DelayTime = 5;
  CopyBoundedText(file.FilePath, picture);

  // Two lines in a 16-pixel area: the fixed text's line would start above the area.
  auto& countdown = std::get<TimeAreaInfo>(PlaceArea(program, kCountdownArea, 32, 16, 64, 32).Kind);
  SetFace(countdown.ShowStrFont_FontName, countdown.ShowStrFont_FontSize, 7);
  CopyBoundedText(countdown.ShowStr, u"Go");
  countdown.ShowStrFont_FontColor = Threshold(129, 128, 255);
  countdown.TimeStrColor = Threshold(255, 129, 127);
  countdown.IsMutleLineShow = 1;
  countdown.IsShowMinute = countdown.IsShowSecond = 1;
  countdown.ShowType = 3;
  countdown.nYear = 2026, countdown.nMonth = 3, countdown.nDay = 14, countdown.nHour = 16;

  // Three lines in 32 pixels: the first would start above the area.
  auto& digital =
      std::get<DigitalClockAreaInfo>(PlaceArea(program, kDigitalClockArea, 0, 32, 96, 64).Kind);
  SetFace(digital.ShowStrFont_FontName, digital.ShowStrFont_FontSize, 7);
  digital.IsMutleLineShow = 1;
  digital.IsShowYear = digital.IsShowMonth = digital.IsShowDay = 1;
  digital.DateFormat = 4;  // a four-digit year
  digital.IsShowWeek = 1;
  digital.WeekFormat = 2;
  digital.IsShowHour = digital.IsShowMinite = digital.IsShowSecond = 1;
  digital.TimeFormat = 6;  // "PM" behind the time
  digital.DateColor = Threshold(128, 129, 255);
  digital.WeekColor = Threshold(255, 127, 129);
  digital.TimeColor = Threshold(129, 255, 128);

  auto& analog =
      std::get<ClockAreaInfo>(PlaceArea(program, kAnalogClockArea, 96, 32, 128, 64).Kind);
  SetFace(analog.ShowStrFont_FontName, analog.ShowStrFont_FontSize, 6);
  CopyBoundedText(analog.ShowStr, u"KQ");
  analog.ShowStrFont_FontColor = Threshold(128, 128, 127);
  analog.HourMarkColor = Threshold(255, 128, 129);
  analog.HourMarkWidth = 2;
  analog.MiniteMarkColor = Threshold(127, 200, 128);
  analog.MiniteMarkWidth = 1;
  analog.MiniteMarkType = 1;
  // The date is wider than the area: it starts at the area's left edge.
  analog.IsShowDate = 1;
  analog.DateFormat = 3;
  SetFace(analog.DateFont_FontName, analog.DateFont_FontSize, 5);
  analog.DateFont_FontColor = Threshold(129, 129, 129);
  analog.IsShowWeek = 1;
  analog.WeekFormat = 2;
  SetFace(analog.WeekFont_FontName, analog.WeekFont_FontSize, 5);
  analog.WeekFont_FontColor = Threshold(128, 255, 200);
}

// The card's picture of the job's first program, through the library and a USB folder.
QImage CardPicture(const ScreenSendJob& job) {
  std::int32_t refusal = -1;
  const OwnedProgramSet set = BuildScreenProgram(job, 0, &refusal);
  EXPECT_EQ(refusal, 0);
  CommInfo usb{};
  usb.SendType = KQ_SEND_USB;
  CopyBoundedText(usb.UsbRoot, GetAppDir());
  EXPECT_EQ(KQ_Send(&usb, set.get()), KQ_OK);
  QFile file(GetAppDir() + "marvane/KQ-P/kq_disp_dat.usb");
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  emu::DisplayData data;
  EXPECT_EQ(emu::DecodeDisplayData({bytes.begin(), bytes.end()}, data), "");
  std::vector<std::uint8_t> pixels;
  if (data.programs.empty()) return {};
  EXPECT_EQ(emu::ComposeProgram(data, data.programs[0], kMoment, pixels), "");
  QImage picture(data.width, data.height, QImage::Format_RGB32);
  for (int y = 0; y < data.height; ++y) {
    for (int x = 0; x < data.width; ++x) {
      const int bits = pixels[std::size_t(y) * data.width + x];
      picture.setPixel(x, y, qRgb(bits & 1 ? 255 : 0, bits & 2 ? 255 : 0, bits & 4 ? 255 : 0));
    }
  }
  return picture;
}

// The preview window playing the job's first program one tick, four times enlarged
// (each screen pixel 4 x 4, the grid on its last row and column); kept as a screenshot.
QImage PreviewWindowPicture(const ScreenSendJob& job, const PlayClock& clock, const QString& name) {
  CPreviewDialog window(nullptr, clock);
  window.resize(4 * kWidth, 4 * kHeight);
  window.SetCanvasSize(kWidth, kHeight, 4.0f);
  window.SetZoom(4.0f);
  SendMessage(window.Handle(), WM_TIMER, kCanvasBadgeTimer, 0);
  PlayList = job.Programs;
  SendMessage(window.Handle(), UM_CANVAS_COMMAND, 3, 0);
  SendMessage(window.Handle(), WM_TIMER, kCanvasFrameTimer, 0);
  EXPECT_FALSE(SaveScreenshot(window, name).isEmpty());
  const QImage shown = window.Shown();
  SendMessage(window.Handle(), UM_CANVAS_COMMAND, 3, 1);
  PlayList.clear();
  return shown;
}

TEST(PreviewAndCard, EveryPixelAgreesOnEveryColourType) {
  const ZoneOfTheMoment zone;
  ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
  const char* const names[] = {"one_colour", "two_colours", "full_colour"};
  for (const int ledColor : {0, 1, 2}) {
    ScreenRecord screen{};
    screen.LedWidth = kWidth;
    screen.LedHeight = kHeight;
    screen.LedColor = ledColor;
    ProgramRecord& program = AddProgram(screen);
    BuildProgram(program);
    ScreenSendJob job{&screen, {ProgramSendItem{&program, {}}}};
    for (const auto& area : program.Areas) job.Programs[0].Areas.push_back(area.get());

    const FakePlayClock clock(kMomentSeconds, 1000);
    const QImage preview =
        PreviewWindowPicture(job, clock, QStringLiteral("preview_") + names[ledColor]);
    ASSERT_EQ(preview.size(), QSize(4 * kWidth, 4 * kHeight));
    const QImage card = CardPicture(job);
    ASSERT_EQ(card.size(), QSize(kWidth, kHeight));
    EXPECT_FALSE(
        SavePicture(card.scaled(4 * kWidth, 4 * kHeight), QStringLiteral("card_") + names[ledColor])
            .isEmpty());

    int differing = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const QRgb shown = preview.pixel(4 * x + 1, 4 * y + 1);
        if (shown == card.pixel(x, y)) continue;
        if (++differing <= 10) {
          ADD_FAILURE() << names[ledColor] << " (" << x << ", " << y << "): preview " << std::hex
                        << shown << ", card " << card.pixel(x, y);
        }
      }
    }
    EXPECT_EQ(differing, 0) << names[ledColor];
  }
}

}  // namespace

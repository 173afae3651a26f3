// The clock and countdown pages end to end: an area of each kind set up on its page
// in the main window, the screen sent with the send command to an emulated card, and
// the card's blocks read back: element kinds, colour bits, time difference, target.
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <set>

#include "app/main_window/quendra_dlg.h"
#include "controls/shell/main_window_ids.h"
#include "editors/clock/clock_dialog.h"
#include "editors/clock/digital_clock_dialog.h"
#include "editors/clock/time_dialog.h"
#include "model/common/app_paths.h"
#include "model/project/clear_project.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/support/card_emulator.h"
#include "tests/support/display_data_codec.h"
#include "tests/support/screenshot.h"

namespace {

constexpr std::uint32_t kRed = 0x0000FF;  // ColorRef 0x00BBGGRR
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kYellow = 0x00FFFF;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// Chooses an entry as a click in the drop-down list does.
void Choose(QComboBox& list, int index) {
  list.setCurrentIndex(index);
  emit list.activated(index);
}
void Choose(QComboBox& list, const QString& text) { Choose(list, list.findText(text)); }

// A colour picked on a colour button; its command arrives posted.
void Pick(CColorPicker* button, std::uint32_t color) {
  ASSERT_NE(button, nullptr);
  button->SetColor(color);
  QCoreApplication::processEvents();
}

std::vector<int> Kinds(const emu::DisplayArea& area) {
  std::vector<int> kinds;
  for (const emu::LayoutElement& element : area.elements) kinds.push_back(element.kind);
  return kinds;
}
std::vector<int> ColorBits(const emu::DisplayArea& area) {
  std::vector<int> bits;
  for (const emu::LayoutElement& element : area.elements) bits.push_back(element.colorBits);
  return bits;
}

class ClockPagesSend : public apptest::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
    window_ = std::make_unique<CQuendraDlg>(Hooks());
    window_->show();
  }
  void TearDown() override {
    window_.reset();
    MainWindowTest::TearDown();
  }

  // One screen of three colours reaching the card, a checked program with a digital
  // clock, an analog clock and a countdown, each with the model's empty record.
  void BuildProject(const emu::TcpCard& card) {
    ClearProject(window_->ProjectPage());
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedNo = 1, screen.LedWidth = 160, screen.LedHeight = 64, screen.LedColor = 2;
    for (const QString& octet : QString::fromStdString(card.Address()).split('.'))
      screen.LedIp = screen.LedIp << 8 | octet.toUInt();
    ProgramRecord& program = AddProgram(screen);
    program.CheckState = 1, program.LoopCount = 1;
    const struct {
      std::int32_t kind;
      QRect rect;
    } areas[] = {{kDigitalClockArea, QRect(0, 0, 96, 32)},
                 {kAnalogClockArea, QRect(96, 0, 64, 64)},
                 {kCountdownArea, QRect(0, 32, 96, 32)}};
    for (const auto& [kind, rect] : areas) {
      AreaRecord& area = *AddArea(program, kind);
      area.AreaRect_Left = rect.left(), area.AreaRect_Top = rect.top();
      area.AreaRect_Right = rect.right() + 1, area.AreaRect_Bottom = rect.bottom() + 1;
    }
    // The hands' widths are not edited on the page.
    auto& analog = std::get<ClockAreaInfo>(program.Areas[1]->Kind);
    analog.HourPointerWidth = 3, analog.MinutePointerWidth = 2, analog.SecondPointerWidth = 1;
    window_->ProjectPage().BuildTreeFromModel();
  }
  template <typename Page>
  Page& SelectArea(int index, PageSlot slot) {
    QTreeWidget& tree = window_->ProjectPage().Tree();
    tree.setCurrentItem(tree.topLevelItem(0)->child(0)->child(index));
    QCoreApplication::processEvents();
    return static_cast<Page&>(window_->ProjectPage().Page(slot));
  }

  void SetUpDigitalClock() {
    auto& page = SelectArea<CDigitalClockDialog>(0, PageSlot::DigitalClock);
    Choose(page.DateFormatList(), 4);                                  // YYYY-MM-DD
    Choose(page.TimeFormatList(), 2);                                  // HH:mm:ss
    for (int part : {0, 1, 2, 4, 5, 6}) page.PartCheck(part).click();  // all but the weekday
    Pick(page.ColorButton(1122), kGreen);
    Pick(page.ColorButton(1123), kBlue);
    Choose(page.SignList(), QStringLiteral("+"));
    page.OffsetPicker().setTime(QTime(2, 20));
    Choose(page.FaceList(), QStringLiteral("DejaVu Sans"));
    Choose(page.SizeList(), QStringLiteral("9"));
  }
  void SetUpAnalogClock() {
    auto& page = SelectArea<CClockDialog>(1, PageSlot::AnalogClock);
    Choose(page.SignList(), QStringLiteral("+"));
    page.OffsetPicker().setTime(QTime(1, 5));
    Choose(page.HourMarkTypeList(), 1);  // squares
    Choose(page.HourMarkSizeList(), 3);
    Pick(page.ColorButton(1119), kBlue);
    Choose(page.MinuteMarkSizeList(), 1);
    Pick(page.ColorButton(1120), kGreen);
    Pick(page.ColorButton(1121), kRed);
    Pick(page.ColorButton(1122), kGreen);
    Pick(page.ColorButton(1125), kWhite);
  }
  void SetUpCountdown() {
    auto& page = SelectArea<CTimeDialog>(2, PageSlot::Countdown);
    Choose(page.FormatList(), 3);  // XXdXXhXXmXXs
    for (int unit : {0, 1, 3}) page.UnitCheck(unit).click();
    page.DatePicker().setDate(QDate(2031, 7, 4));
    page.TimePicker().setTime(QTime(8, 9, 10));
    Pick(page.ColorButton(1221), kYellow);
    Pick(page.ColorButton(1220), kRed);
    QTest::keyClicks(&page.TextEdit(), QStringLiteral("Go"));
    page.SeveralLinesRadio().click();
    Choose(page.FaceList(), QStringLiteral("DejaVu Sans"));
    Choose(page.SizeList(), QStringLiteral("9"));
  }

  std::unique_ptr<CQuendraDlg> window_;
};

TEST_F(ClockPagesSend, TheCardGetsWhatThePagesSetUp) {
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 20});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  BuildProject(tcp);
  SetUpDigitalClock();
  SetUpAnalogClock();
  SetUpCountdown();
  QTest::qWait(100);  // a few frames of the preview
  SaveScreenshot(*window_, QStringLiteral("clock_pages_main_window"));
  SaveScreenshot(window_->PreviewFrame(), QStringLiteral("clock_pages_preview"));

  SendMessage(window_->Handle(), WM_COMMAND, ID_TOOLBAR_SEND, 0);
  ASSERT_EQ(card.Payloads().size(), 1u);
  emu::DisplayData data;
  ASSERT_EQ(emu::DecodeDisplayData(card.Payloads()[0], data), "");
  ASSERT_EQ(data.programs.size(), 1u);
  const std::vector<emu::DisplayArea>& areas = data.programs[0].areas;
  ASSERT_EQ(areas.size(), 3u);

  const emu::DisplayArea& digital = areas[0];
  ASSERT_EQ(digital.kind, 5);
  EXPECT_EQ(Kinds(digital), (std::vector<int>{20, 255, 10, 255, 6, 7, 255, 11, 255, 13}));
  EXPECT_EQ(ColorBits(digital), (std::vector<int>{2, 2, 2, 2, 2, 4, 4, 4, 4, 4}));
  EXPECT_EQ(digital.timeOffset, 140);  // "+" adds 2:20

  const emu::DisplayArea& analog = areas[1];
  ASSERT_EQ(analog.kind, 10);
  EXPECT_EQ(analog.timeOffset, 0x8000 | 65);  // "+" is 0 in this record
  EXPECT_EQ(analog.handColorBits, (std::array<int, 3>{1, 2, 7}));
  EXPECT_EQ(analog.handWidths, (std::array<int, 3>{3, 2, 1}));
  std::vector<std::uint8_t> face;
  ASSERT_EQ(emu::PlanesToPixels(analog.face, 96, 64, 64, data.colorType, face), "");
  EXPECT_EQ(std::set<std::uint8_t>(face.begin(), face.end()),
            (std::set<std::uint8_t>{0, 2, 4}));  // black, green minute and blue hour marks

  const emu::DisplayArea& countdown = areas[2];
  ASSERT_EQ(countdown.kind, 7);
  EXPECT_EQ(countdown.target, (emu::CardTime{2031, 7, 4, 8, 9, 10}));
  EXPECT_EQ(Kinds(countdown), (std::vector<int>{6, 255, 8, 255, 13, 255, 255}));
  EXPECT_EQ(ColorBits(countdown), (std::vector<int>{3, 3, 3, 3, 3, 3, 1}));
  // The text on the upper line, the counters below it.
  EXPECT_LT(countdown.elements.back().y, countdown.elements.front().y);
}

TEST_F(ClockPagesSend, ALanguageSwitchRetextsThePages) {
  const struct {
    PageSlot slot;
    QLatin1StringView section;
    int labelId;
  } labels[] = {{PageSlot::DigitalClock, lang_section::IDD_DIGITALCLOCK_DIALOG, 1485},
                {PageSlot::AnalogClock, lang_section::IDD_CLOCK_DIALOG, 1476},
                {PageSlot::Countdown, lang_section::IDD_TIME_DIALOG, 1533}};
  const auto labelText = [this](PageSlot slot, int id) {
    auto* label = qobject_cast<QLabel*>(FindControl(&window_->ProjectPage().Page(slot), id));
    return label ? label->text() : QString();
  };
  emu::Card card;
  emu::TcpCard tcp(card);
  BuildProject(tcp);
  SelectArea<CClockDialog>(1, PageSlot::AnalogClock);
  for (WPARAM language : {ID_LANGUAGE_CHINESE, ID_LANGUAGE_ENGLISH}) {
    SendMessage(window_->Handle(), WM_COMMAND, language, 0);
    for (const auto& [slot, section, id] : labels) {
      EXPECT_EQ(labelText(slot, id), ReadLangText(section, 1000)) << id;
    }
    if (language == ID_LANGUAGE_CHINESE) {
      SaveScreenshot(*window_, QStringLiteral("clock_pages_main_window_chinese"));
    }
  }
}

}  // namespace

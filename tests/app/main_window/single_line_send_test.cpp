// A single line from the page to the card: text typed on the single-line page in two
// colours, scrolled continuously end to end, sent with the current screen and found
// on an emulated card as the frames of the page's frame file.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QTest>
#include <QTreeWidget>

#include <set>

#include "app/builder/program_builder.h"
#include "app/tree/main_dialog.h"
#include "controls/color/color_picker.h"
#include "controls/rich_edit/rich_edit_ex.h"
#include "controls/shell/main_window_ids.h"
#include "editors/page_parts/char_format_controls.h"
#include "editors/single_line/single_line_dialog.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/project/clear_project.h"
#include "model/project/project_globals.h"
#include "render/frame/pak_frame_reader.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/support/card_emulator.h"
#include "tests/support/display_data_codec.h"
#include "tests/support/screenshot.h"

namespace {

constexpr int kContinuousCode = 97;  // the card's code of effect 6
constexpr int kTwoColors = 2;

// Pixels of the card's frame that differ from the frame file's frame as a two-colour
// card keeps it: red and green lit at 128 or more.
int WrongPixels(const emu::PageFrame& card, const Dib24& frame) {
  std::vector<std::uint8_t> pixels;
  if (!emu::PlanesToPixels(card.planes, 0, card.width, card.height, kTwoColors, pixels).empty())
    return -1;
  int wrong = 0;
  for (int y = 0; y < card.height; ++y) {
    for (int x = 0; x < card.width; ++x) {
      const QRgb pixel = ColorRefToQRgb(frame.Pixel(x, y));
      const int lit = (qRed(pixel) >= 128 ? 1 : 0) | (qGreen(pixel) >= 128 ? 2 : 0);
      wrong += pixels[std::size_t(y) * card.width + x] != lit;
    }
  }
  return wrong;
}

class SingleLineSend : public apptest::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::UserData)));
    window_ = std::make_unique<CQuendraDlg>(Hooks());
    window_->show();
  }
  void TearDown() override {
    window_.reset();
    MainWindowTest::TearDown();
  }
  CSingleLineDialog& Page() {
    return static_cast<CSingleLineDialog&>(window_->ProjectPage().Page(PageSlot::SingleLine));
  }
  // Colours the characters [start, end) as the user does: select, then pick.
  void Color(int start, int end, ColorRef color) {
    Page().TextEdit().SetSel(start, end);
    QCoreApplication::sendPostedEvents();
    Page().Formats().ColorPicker().SetColor(color);
    QCoreApplication::sendPostedEvents();
  }

  std::unique_ptr<CQuendraDlg> window_;
};

TEST_F(SingleLineSend, TheTypedLineReachesTheCardAsItsFrames) {
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 20});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  ClearProject(window_->ProjectPage());
  ScreenRecord& screen = ScreenList.emplace_back();
  screen.LedNo = 1, screen.LedWidth = 64, screen.LedHeight = 32, screen.LedColor = 1;
  static_cast<void>(CopyBoundedText(screen.LedName, u"Card"));
  for (const QString& octet : QString::fromStdString(tcp.Address()).split('.'))
    screen.LedIp = screen.LedIp << 8 | octet.toUInt();
  ProgramRecord& program = AddProgram(screen);
  program.CheckState = 1;
  AreaRecord& area = *AddArea(program, kSingleLineArea);
  area.AreaRect_Right = 64, area.AreaRect_Bottom = 32;
  auto& info = std::get<SingleLineAreaInfo>(area.Kind);
  info.DelayTime = 3;
  window_->ProjectPage().BuildTreeFromModel();
  QTreeWidget& tree = window_->ProjectPage().Tree();
  tree.setCurrentItem(tree.topLevelItem(0)->child(0)->child(0));
  QCoreApplication::sendPostedEvents();

  QTest::keyClicks(&Page().TextEdit(), QStringLiteral("Red Green Red"));
  Color(0, -1, 0x0000FF);
  Color(4, 9, 0x00FF00);
  Page().EffectCombo().setCurrentIndex(6);
  emit Page().EffectCombo().activated(6);
  Page().EndToEndCheck().click();
  Page().SpeedCombo().setCurrentIndex(4);
  emit Page().SpeedCombo().activated(4);
  ASSERT_EQ(info.IsLeftMove, 1);
  SaveScreenshot(*window_, QStringLiteral("main_window_single_line"));

  SendMessage(window_->Handle(), WM_COMMAND, ID_TOOLBAR_SEND, 0);
  ASSERT_EQ(card.Payloads().size(), 1u);
  emu::DisplayData data;
  ASSERT_EQ(emu::DecodeDisplayData(card.Payloads()[0], data), "");
  ASSERT_EQ(data.programs.size(), 1u);
  ASSERT_EQ(data.programs[0].areas.size(), 1u);
  const emu::DisplayArea& sent = data.programs[0].areas[0];
  EXPECT_EQ(sent.kind, 1);

  PakFrameReader reader;
  ASSERT_TRUE(reader.Open(PakFramePath(ReadBoundedText(info.guid))));
  ASSERT_EQ(reader.ReadHeader(), PakCheck::Ok);
  ASSERT_GT(reader.Header().FrameCount, 1);
  ASSERT_EQ(sent.frames.size(), std::size_t(reader.Header().FrameCount));
  for (const emu::PageFrame& frame : sent.frames) {
    ASSERT_TRUE(reader.ReadNextFrame());
    EXPECT_EQ(std::tuple(frame.effect, frame.speed, frame.stay),
              std::tuple(kContinuousCode, SdkSpeedValue(4), 3));
    EXPECT_EQ(WrongPixels(frame, reader.Frame()), 0);
  }
  // Both colours were sent.
  std::vector<std::uint8_t> pixels;
  std::set<std::uint8_t> lit;
  for (const emu::PageFrame& frame : sent.frames) {
    ASSERT_EQ(emu::PlanesToPixels(frame.planes, 0, frame.width, frame.height, kTwoColors, pixels),
              "");
    lit.insert(pixels.begin(), pixels.end());
  }
  EXPECT_EQ(lit, (std::set<std::uint8_t>{0, 1, 2}));
}

}  // namespace

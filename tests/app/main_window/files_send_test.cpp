// The files page end to end: a picture and a GIF added on the page of a files area in
// the main window, the picture given an effect, speed and stay time, the screen sent
// with the send command to an emulated card, and the card's pages read back.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "app/main_window/quendra_dlg.h"
#include "controls/shell/content_page_ids.h"
#include "controls/shell/main_window_ids.h"
#include "controls/support/digit_spin_edit.h"
#include "editors/file_list/files_dialog.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/project/clear_project.h"
#include "model/project/project_globals.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/sdk/generate/page_test_support.h"
#include "tests/support/card_emulator.h"
#include "tests/support/display_data_codec.h"
#include "tests/support/screenshot.h"

namespace {

constexpr int kAreaWidth = 32;
constexpr int kAreaHeight = 16;
constexpr int kWipeFromLeft = 20;  // the effect entry and its card code
constexpr int kWipeFromLeftCode = 51;
constexpr int kSpeedSetting = 5;  // the speed entry and its card value
constexpr int kSpeedValue = 6;
constexpr int kStay = 7;
constexpr int kRecordedFramesEffect = 93;

// The lit colours of a two-colour card: bit 0 red, bit 1 green.
enum Lit : std::uint8_t { kBlack = 0, kRed = 1, kGreen = 2, kYellow = 3 };

// The pixels of a card frame of the area, one Lit a pixel, rows from the top.
std::vector<std::uint8_t> FramePixels(const emu::PageFrame& frame) {
  std::vector<std::uint8_t> pixels;
  EXPECT_EQ(emu::PlanesToPixels(frame.planes, 0, kAreaWidth, kAreaHeight, 2, pixels), "");
  return pixels;
}

// What the card shows of a picture stretched twice over the area: the picture's
// pixel (x / 2, y / 2) as a function of it.
template <typename PictureLit>
std::vector<std::uint8_t> Doubled(PictureLit litAt) {
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < kAreaHeight; ++y) {
    for (int x = 0; x < kAreaWidth; ++x) pixels.push_back(litAt(x / 2, y / 2));
  }
  return pixels;
}

class FilesSend : public apptest::MainWindowTest {
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

  // One two-colour screen reaching the card, a checked program with one files area
  // selected on the project page.
  void FilesArea(const emu::TcpCard& card) {
    ClearProject(window_->ProjectPage());
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedNo = 1, screen.LedWidth = 64, screen.LedHeight = 32, screen.LedColor = 1;
    static_cast<void>(CopyBoundedText(screen.LedName, u"Card"));
    for (const QString& octet : QString::fromStdString(card.Address()).split('.'))
      screen.LedIp = screen.LedIp << 8 | octet.toUInt();
    ProgramRecord& program = AddProgram(screen);
    program.CheckState = 1, program.LoopCount = 1;
    area_ = AddArea(program, kFilesArea);
    area_->AreaRect_Right = kAreaWidth, area_->AreaRect_Bottom = kAreaHeight;
    window_->ProjectPage().BuildTreeFromModel();
    QTreeWidget& tree = window_->ProjectPage().Tree();
    tree.setCurrentItem(tree.topLevelItem(0)->child(0)->child(0));
    Page().SetHooks({[this](const QString&) { return chosen_; }, {}});
  }
  CFilesDialog& Page() {
    return static_cast<CFilesDialog&>(window_->ProjectPage().Page(PageSlot::Files));
  }
  void Add(const QString& path) {
    chosen_ = {path};
    SendMessage(Page().Handle(), WM_COMMAND, ID_FILES_ADD, 0);
  }

  std::unique_ptr<CQuendraDlg> window_;
  AreaRecord* area_ = nullptr;
  QStringList chosen_;
  QTemporaryDir folder_;
};

TEST_F(FilesSend, APictureAndAGifPlayAsTheCardsPages) {
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 20});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  FilesArea(tcp);

  // 16 x 8 quadrants: red, green; yellow, transparent (black on the card).
  QImage picture(16, 8, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.fillRect(0, 0, 8, 4, Qt::red);
  painter.fillRect(8, 0, 8, 4, Qt::green);
  painter.fillRect(0, 4, 8, 4, Qt::yellow);
  painter.end();
  const QString png = folder_.filePath(QStringLiteral("quadrants.png"));
  ASSERT_TRUE(picture.save(png));
  const QString gif = folder_.filePath(QStringLiteral("blink.gif"));
  pagetest::WriteFile(gif, pagetest::MakeGif(16, 8,
                                             {{std::vector<std::uint8_t>(128, 1), 20},
                                              {std::vector<std::uint8_t>(128, 2), 20}}));

  Add(png);
  Page().EffectCombo().setCurrentIndex(kWipeFromLeft);
  emit Page().EffectCombo().activated(kWipeFromLeft);
  Page().SpeedCombo().setCurrentIndex(kSpeedSetting);
  emit Page().SpeedCombo().activated(kSpeedSetting);
  Page().StayEdit().Edit().setText(QString::number(kStay));
  emit Page().StayEdit().Edit().textEdited(QString::number(kStay));
  Add(gif);
  SaveScreenshot(*window_, QStringLiteral("main_window_files"));
  const auto& items = std::get<std::vector<FileAreaItem>>(area_->Kind);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].InStyle, kWipeFromLeft);

  SendMessage(window_->Handle(), WM_COMMAND, ID_TOOLBAR_SEND, 0);
  ASSERT_EQ(card.Payloads().size(), 1u);
  emu::DisplayData data;
  ASSERT_EQ(emu::DecodeDisplayData(card.Payloads()[0], data), "");
  ASSERT_EQ(data.programs.size(), 1u);
  ASSERT_EQ(data.programs[0].areas.size(), 1u);
  const std::vector<emu::PageFrame>& frames = data.programs[0].areas[0].frames;
  ASSERT_EQ(frames.size(), 3u);  // the picture, then the GIF's two frames

  EXPECT_EQ(frames[0].effect, kWipeFromLeftCode);
  EXPECT_EQ(frames[0].speed, kSpeedValue);
  EXPECT_EQ(frames[0].stay, kStay);
  EXPECT_EQ(FramePixels(frames[0]), Doubled([](int x, int y) {
              if (y < 4) return x < 8 ? kRed : kGreen;
              return x < 8 ? kYellow : kBlack;
            }));
  for (int i : {1, 2}) {
    EXPECT_EQ(frames[static_cast<std::size_t>(i)].effect, kRecordedFramesEffect);
    const Lit lit = i == 1 ? kRed : kGreen;
    EXPECT_EQ(FramePixels(frames[static_cast<std::size_t>(i)]),
              Doubled([lit](int, int) { return lit; }))
        << i;
  }
}

}  // namespace

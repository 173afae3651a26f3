// Backgrounds from the page to the card: a picture and a built-in background added
// on the background page, the built-in one recorded by the pre-rendering on the fake
// Flash host before the send of the current screen, both found on an emulated card
// as the pages of a background area under the content.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <optional>

#include "app/builder/send_error_text.h"
#include "app/tree/main_dialog.h"
#include "controls/buttons/button_qx.h"
#include "controls/shell/main_window_ids.h"
#include "editors/background/back_dialog.h"
#include "editors/background/swf_back_select_dialog.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/project/clear_project.h"
#include "model/project/project_globals.h"
#include "render/flash/flash_background.h"
#include "sdk/Corvanix.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/support/card_emulator.h"
#include "tests/support/display_data_codec.h"
#include "tests/support/eventually.h"
#include "tests/support/fake_flash_host.h"
#include "tests/support/swf_writer.h"

namespace {

constexpr int kRecordedFramesEffect = 93;
constexpr int kSpeedSetting = 20;  // the card's speed code 28
constexpr int kSpeedCode = 28;

void WriteFile(const QString& path, const QByteArray& bytes) {
  ASSERT_TRUE(QDir().mkpath(path.left(path.lastIndexOf(u'/'))));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

class BackgroundSend : public apptest::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
    // Stand-ins for the background template and the movie of background 3.
    WriteFile(FlashBackgroundTemplatePath(), "<?xml version=\"1.0\"?>\r\n<PropertyData/>\r\n");
    WriteFile(FlashBackgroundSourcePath(3), WriteTestMovie({}));
    // The picture: red left half, green right half.
    QImage picture(64, 32, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < 32; ++y)
      for (int x = 32; x < 64; ++x) picture.setPixel(x, y, qRgb(0, 255, 0));
    picturePath_ = GetAppDir() + QStringLiteral("UserData/halves.png");
    ASSERT_TRUE(QDir().mkpath(GetAppDir() + QStringLiteral("UserData")));
    ASSERT_TRUE(picture.save(picturePath_));
    window_ = std::make_unique<CQuendraDlg>(Hooks());
    window_->show();
  }
  void TearDown() override {
    window_.reset();
    MainWindowTest::TearDown();
  }

  // One screen of two colours reaching the card, a checked program with a digital
  // clock whose background holds the picture and built-in background 3, set on the
  // background page.
  void BuildProject(const emu::TcpCard& card) {
    ClearProject(window_->ProjectPage());
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedNo = 1, screen.LedWidth = 64, screen.LedHeight = 32, screen.LedColor = 1;
    for (const QString& octet : QString::fromStdString(card.Address()).split('.'))
      screen.LedIp = screen.LedIp << 8 | octet.toUInt();
    ProgramRecord& program = AddProgram(screen);
    program.CheckState = 1, program.LoopCount = 1;
    area_ = AddArea(program, kDigitalClockArea);
    area_->AreaRect_Right = 64, area_->AreaRect_Bottom = 32;
    window_->ProjectPage().BuildTreeFromModel();
    QTreeWidget& tree = window_->ProjectPage().Tree();
    tree.setCurrentItem(tree.topLevelItem(0)->child(0)->child(0));

    auto& page = static_cast<CBackDialog&>(window_->ProjectPage().Page(PageSlot::Background));
    page.UseCheck().click();
    page.SpeedList().setCurrentIndex(kSpeedSetting);
    page.SetFileChooser([this](const QString&) { return QStringList{picturePath_}; });
    page.ToolButton(CBackDialog::kAddFiles).click();
    EXPECT_EQ(page.SpeedList().currentIndex(), kSpeedSetting);
    QTimer::singleShot(0, [] {
      auto* chooser = dynamic_cast<CSwfBackSelectDialog*>(QApplication::activeModalWidget());
      if (chooser == nullptr) return ADD_FAILURE() << "no chooser";
      QTest::mouseClick(&chooser->Cell(3), Qt::LeftButton);
      chooser->OkButton().click();
    });
    page.ToolButton(CBackDialog::kAddBuiltIn).click();
    ASSERT_EQ(area_->Backgrounds.size(), 2u);
  }
  void Send() { SendMessage(window_->Handle(), WM_COMMAND, ID_TOOLBAR_SEND, 0); }

  // The hosts outlive the window, whose preview may hold hosts of its own.
  std::optional<FakeFlashHosts> hosts_;
  std::unique_ptr<CQuendraDlg> window_;
  AreaRecord* area_ = nullptr;
  QString picturePath_;
};

TEST_F(BackgroundSend, PictureAndRecordedBackgroundReachTheCardUnderTheContent) {
  FakeFlashHosts& hosts = hosts_.emplace();
  hosts.paint = [](int, QImage& picture) { picture.fill(qRgb(255, 0, 0)); };
  for (int capture = 1; capture <= 5000; ++capture) hosts.flashCallAfterCaptures.push_back(capture);
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 20});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  BuildProject(tcp);

  Send();
  ASSERT_EQ(card.Payloads().size(), 1u);
  EXPECT_EVENTUALLY_EQ(window_->StatusBar().Text(2), Text(1009));  // sent whole: success
  EXPECT_EQ(area_->Backgrounds[1].RenderFlag, 0);
  emu::DisplayData data;
  ASSERT_EQ(emu::DecodeDisplayData(card.Payloads()[0], data), "");
  ASSERT_EQ(data.programs.size(), 1u);
  const std::vector<emu::DisplayArea>& areas = data.programs[0].areas;
  ASSERT_EQ(areas.size(), 2u);
  const auto background = std::find_if(areas.begin(), areas.end(),
                                       [](const emu::DisplayArea& a) { return a.layer == 0; });
  ASSERT_NE(background, areas.end());
  ASSERT_GE(background->frames.size(), 2u);
  const emu::PageFrame& picture = background->frames[0];
  EXPECT_EQ(picture.effect, 1);
  EXPECT_EQ(picture.speed, kSpeedCode);
  EXPECT_EQ(picture.stay, 5);
  std::vector<std::uint8_t> pixels;
  ASSERT_EQ(emu::PlanesToPixels(picture.planes, 0, 64, 32, 2, pixels), "");
  EXPECT_EQ(pixels[10 * 64 + 10], 1);  // red
  EXPECT_EQ(pixels[10 * 64 + 50], 2);  // green
  for (std::size_t i = 1; i < background->frames.size(); ++i) {
    EXPECT_EQ(background->frames[i].effect, kRecordedFramesEffect) << i;
  }
  std::vector<std::uint8_t> recorded;
  ASSERT_EQ(emu::PlanesToPixels(background->frames[1].planes, 0, 64, 32, 2, recorded), "");
  EXPECT_EQ(recorded[10 * 64 + 50], 1);  // the fake movie's red
}

TEST_F(BackgroundSend, WithoutItsMovieNothingIsSentAndWithoutAPlayerTheSendFails) {
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 20});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  BuildProject(tcp);
  // Without its movie the background is refused before anything is sent, by name.
  ASSERT_TRUE(QFile::rename(FlashBackgroundSourcePath(3), FlashBackgroundSourcePath(3) + u'~'));
  Send();
  EXPECT_TRUE(card.Payloads().empty());
  ASSERT_FALSE(asked.empty());
  EXPECT_TRUE(asked.back().startsWith(Text(4104)));
  EXPECT_TRUE(asked.back().endsWith(u"\nData/flashback/4.fbk"));
  ASSERT_TRUE(QFile::rename(FlashBackgroundSourcePath(3) + u'~', FlashBackgroundSourcePath(3)));
  Send();
  EXPECT_EQ(area_->Backgrounds[1].RenderFlag, 1);
  EXPECT_EVENTUALLY_EQ(window_->StatusBar().Text(2),
                       Text(1010) + GetSendErrorText(KQ_ERR_PAGE_NOT_FOUND));
  EXPECT_EQ(ReadBoundedText(area_->Backgrounds[0].FilePath), picturePath_);
}

}  // namespace

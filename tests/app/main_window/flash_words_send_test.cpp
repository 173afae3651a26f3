// Flash words from the page to the card: items added and styled on the flash-words
// page, recorded by the pre-rendering on the fake Flash host before the send of the
// current screen, and found on an emulated card as the recorded frames.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

#include <optional>

#include "app/builder/send_error_text.h"
#include "app/tree/main_dialog.h"
#include "controls/color/color_picker.h"
#include "controls/lists/list_box_qx.h"
#include "controls/shell/content_page_ids.h"
#include "controls/shell/main_window_ids.h"
#include "controls/shell/program_messages.h"
#include "editors/flash_words/flash_word_dialog.h"
#include "editors/flash_words/flash_word_edit_dialog.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/project/clear_project.h"
#include "model/project/project_globals.h"
#include "render/frame/pak_frame_reader.h"
#include "sdk/Corvanix.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/support/card_emulator.h"
#include "tests/support/display_data_codec.h"
#include "tests/support/fake_flash_host.h"
#include "tests/support/screenshot.h"

namespace {

constexpr int kRecordedFramesEffect = 93;

// The frames of a frame file, as pictures.
std::vector<QImage> Recording(const FlashWordItem& item) {
  std::vector<QImage> frames;
  PakFrameReader reader;
  if (!reader.Open(PakFramePath(ReadBoundedText(item.guid))) ||
      reader.ReadHeader() != PakCheck::Ok) {
    return frames;
  }
  while (reader.ReadNextFrame()) frames.push_back(reader.Frame().ToImage());
  return frames;
}

// When the item's frame file was last written.
QDateTime WrittenAt(const FlashWordItem& item) {
  return QFileInfo(PakFramePath(ReadBoundedText(item.guid))).lastModified();
}

// Pixels of the card's frame that differ from the picture's red and green channels
// thresholded at 128.
int WrongPixels(const emu::PageFrame& frame, const QImage& picture) {
  std::vector<std::uint8_t> pixels;
  if (!emu::PlanesToPixels(frame.planes, 0, picture.width(), picture.height(), 2, pixels).empty())
    return -1;
  int wrong = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb pixel = picture.pixel(x, y);
      const int lit = (qRed(pixel) >= 128 ? 1 : 0) | (qGreen(pixel) >= 128 ? 2 : 0);
      wrong += pixels[std::size_t(y) * picture.width() + x] != lit;
    }
  }
  return wrong;
}

class FlashWordsSend : public apptest::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Data) + QStringLiteral("flashword")));
    for (const char* style : {"1", "4"}) {  // stand-ins for the templates of styles 0 and 3
      QFile file(AppFilePath(AppFolder::Data, QStringLiteral("flashword/") + style));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      ASSERT_GT(file.write("template"), 0);
    }
    window_ = std::make_unique<CQuendraDlg>(Hooks());
    window_->show();
  }
  void TearDown() override {
    window_.reset();
    MainWindowTest::TearDown();
  }

  // One screen of two colours reaching the card, a checked program with one
  // flash-words area selected on the project page.
  void FlashArea(const emu::TcpCard& card) {
    ClearProject(window_->ProjectPage());
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedNo = 1, screen.LedWidth = 64, screen.LedHeight = 32, screen.LedColor = 1;
    static_cast<void>(CopyBoundedText(screen.LedName, u"Card"));
    for (const QString& octet : QString::fromStdString(card.Address()).split('.'))
      screen.LedIp = screen.LedIp << 8 | octet.toUInt();
    ProgramRecord& program = AddProgram(screen);
    program.CheckState = 1;
    area_ = AddArea(program, kFlashWordArea);
    area_->AreaRect_Right = 64, area_->AreaRect_Bottom = 32;
    window_->ProjectPage().BuildTreeFromModel();
    QTreeWidget& tree = window_->ProjectPage().Tree();
    tree.setCurrentItem(tree.topLevelItem(0)->child(0)->child(0));
  }
  CFlashWordDialog& Page() {
    return static_cast<CFlashWordDialog&>(window_->ProjectPage().Page(PageSlot::FlashWords));
  }
  std::vector<FlashWordItem>& Items() { return std::get<std::vector<FlashWordItem>>(area_->Kind); }
  void Send() { SendMessage(window_->Handle(), WM_COMMAND, ID_TOOLBAR_SEND, 0); }

  // The hosts outlive the window, whose preview holds hosts of its own.
  std::optional<FakeFlashHosts> hosts_;
  std::unique_ptr<CQuendraDlg> window_;
  AreaRecord* area_ = nullptr;
};

TEST_F(FlashWordsSend, ChangedItemsAreRecordedAndSentAsTheirFrames) {
  FakeFlashHosts& hosts = hosts_.emplace();
  // Each capture lights a band of its own; a line is shown after every third.
  hosts.paint = [](int capture, QImage& picture) {
    picture.fill(Qt::black);
    QPainter(&picture).fillRect(0, 0, 4 * capture, 32, capture % 2 ? Qt::red : Qt::green);
  };
  for (int capture = 3; capture <= 300; capture += 3)
    hosts.flashCallAfterCaptures.push_back(capture);
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 20});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  FlashArea(tcp);

  Page().SetEditorRunner(
      [](CFlashWordEditDialog& editor) { editor.TextEdit().setPlainText(QStringLiteral("Hi")); });
  SendMessage(Page().Handle(), WM_COMMAND, ID_FLASH_WORDS_ADD, 0);
  SendMessage(Page().Handle(), WM_COMMAND, ID_FLASH_WORDS_ADD, 0);
  ASSERT_EQ(Items().size(), 2u);
  Page().EffectCombo().setCurrentIndex(3);
  emit Page().EffectCombo().activated(3);
  Page().SpeedCombo().setCurrentIndex(20);
  emit Page().SpeedCombo().activated(20);
  EXPECT_EQ(Items()[1].PlayStyle, 3);
  SaveScreenshot(*window_, QStringLiteral("main_window_flash_words"));

  Send();
  ASSERT_EQ(card.Payloads().size(), 1u);
  EXPECT_EQ(Items()[0].IsChanged, 0);
  EXPECT_EQ(Items()[1].IsChanged, 0);
  emu::DisplayData data;
  ASSERT_EQ(emu::DecodeDisplayData(card.Payloads()[0], data), "");
  ASSERT_EQ(data.programs.size(), 1u);
  ASSERT_EQ(data.programs[0].areas.size(), 1u);
  const emu::DisplayArea& area = data.programs[0].areas[0];
  std::vector<QImage> recorded = Recording(Items()[0]);
  const std::vector<QImage> second = Recording(Items()[1]);
  ASSERT_FALSE(recorded.empty());
  ASSERT_FALSE(second.empty());
  const std::size_t firstCount = recorded.size();
  recorded.insert(recorded.end(), second.begin(), second.end());
  ASSERT_EQ(area.frames.size(), recorded.size());
  for (std::size_t i = 0; i < recorded.size(); ++i) {
    EXPECT_EQ(area.frames[i].effect, kRecordedFramesEffect);
    EXPECT_EQ(area.frames[i].speed, i < firstCount ? 1 : 28) << i;  // speed settings 0 and 20
    EXPECT_EQ(WrongPixels(area.frames[i], recorded[i]), 0) << i;
  }

  // Nothing changed: nothing is recorded again; one colour changed: that item only.
  // (The preview's players make Flash hosts of their own, so the frame files tell.)
  const auto recordedBySend = [&] {
    std::vector<QDateTime> before;
    for (const FlashWordItem& item : Items()) before.push_back(WrittenAt(item));
    Send();
    std::vector<bool> recorded;
    for (std::size_t i = 0; i < Items().size(); ++i)
      recorded.push_back(WrittenAt(Items()[i]) != before[i]);
    return recorded;
  };
  EXPECT_EQ(recordedBySend(), (std::vector<bool>{false, false}));
  Page().ColorPicker().SetColor(0x00FF00);
  QCoreApplication::processEvents();
  EXPECT_EQ(Items()[1].IsChanged, 1);
  EXPECT_EQ(Items()[0].IsChanged, 0);
  EXPECT_EQ(recordedBySend(), (std::vector<bool>{false, true}));
  EXPECT_EQ(Items()[1].IsChanged, 0);
  EXPECT_EQ(card.Payloads().size(), 3u);
}

TEST_F(FlashWordsSend, WithoutAPlayerTheSendFailsOnTheMissingFrames) {
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 20});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  FlashArea(tcp);
  Page().SetEditorRunner([](CFlashWordEditDialog&) {});
  SendMessage(Page().Handle(), WM_COMMAND, ID_FLASH_WORDS_ADD, 0);
  Send();
  EXPECT_EQ(Items()[0].IsChanged, 1);
  QTRY_COMPARE(window_->StatusBar().Text(2), Text(1010) + GetSendErrorText(KQ_ERR_PAGE_NOT_FOUND));
}

}  // namespace

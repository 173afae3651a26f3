// Flash words from the page to the card: items added and styled on the flash-words
// page, recorded by the pre-rendering on the fake Flash host before the send of the
// current screen, and found on an emulated card as the recorded frames.
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
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
#include "render/flash/process_flash_host.h"
#include "render/flash/swf_dialog.h"
#include "render/frame/pak_frame_reader.h"
#include "sdk/Corvanix.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/app/main_window/send_fixture.h"
#include "tests/support/card_emulator.h"
#include "tests/support/display_data_codec.h"
#include "tests/support/eventually.h"
#include "tests/support/fake_flash_host.h"
#include "tests/support/screenshot.h"

namespace {

constexpr int kRecordedFramesEffect = 93;
// How long the real Flash player may take to record one effect.
constexpr int kRecordingWaitMs = 30 * 1000;

// When the item's frame file was last written.
QDateTime WrittenAt(const FlashWordItem& item) {
  return QFileInfo(PakFramePath(ReadBoundedText(item.guid))).lastModified();
}

using apptest::WrongPixels;

class FlashWordsSend : public apptest::SendTest {
 protected:
  void SetUp() override {
    SendTest::SetUp();
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Data) + QStringLiteral("flashword")));
    for (const char* style : {"1", "4"}) {  // stand-ins for the templates of styles 0 and 3
      QFile file(AppFilePath(AppFolder::Data, QStringLiteral("flashword/") + style));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      ASSERT_GT(file.write("template"), 0);
    }
    ShowWindow();
  }

  // The flash-words area on the card's screen, selected on the project page.
  void FlashArea(const emu::TcpCard& card) { area_ = &CardArea(card, kFlashWordArea); }
  CFlashWordDialog& Page() {
    return static_cast<CFlashWordDialog&>(window_->ProjectPage().Page(PageSlot::FlashWords));
  }
  std::vector<FlashWordItem>& Items() { return std::get<std::vector<FlashWordItem>>(area_->Kind); }

  AreaRecord* area_ = nullptr;
};

TEST_F(FlashWordsSend, ChangedItemsAreRecordedAndSentAsTheirFrames) {
  FakeFlashHosts hosts;
  // The window's flash hosts go before the list that counts them.
  const auto closeWindowFirst = qScopeGuard([this] { window_.reset(); });
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
  std::vector<QImage> recorded = apptest::FrameFileFrames(ReadBoundedText(Items()[0].guid));
  const std::vector<QImage> second = apptest::FrameFileFrames(ReadBoundedText(Items()[1].guid));
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

// The program's own templates on the real Flash host: a move, a zoom and blinds, each
// with two lines, recorded as the send records them and found on the card.
TEST_F(FlashWordsSend, BuiltInTemplatesCallBackOncePerLineAndReachTheCard) {
#ifndef QUENDRA_FLASH_HOST_BUILT
  GTEST_SKIP() << "Qt WebEngine is not installed: the Flash helper is not built";
#endif
  ASSERT_TRUE(UseInstalledFlashPlayer()) << "flash-host or Ruffle missing beside the tests";
  const auto closeWindowFirst = qScopeGuard([this] {
    window_.reset();
    SetFlashHostFactory({});
  });
  const std::vector<int> styles{29, 35, 52};  // "Move left", "Zoom in", "Blinds"
  for (const int style : styles) {
    const QString name = QStringLiteral("flashword/%1").arg(style + 1);
    ASSERT_TRUE(
        QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/Data/") + name,
                    AppFilePath(AppFolder::Data, name)));
  }
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 20});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  FlashArea(tcp);
  const QString text = QStringLiteral("闪烁文字闪烁");
  Page().SetEditorRunner(
      [&](CFlashWordEditDialog& editor) { editor.TextEdit().setPlainText(text); });
  for (std::size_t i = 0; i < styles.size(); ++i)
    SendMessage(Page().Handle(), WM_COMMAND, ID_FLASH_WORDS_ADD, 0);
  ASSERT_EQ(Items().size(), styles.size());
  ASSERT_EQ(WrapFlashText(text, FlashWordFont(FlashWordStyleOf(Items()[0])), 64).lines, 2);

  std::size_t frames = 0;
  for (std::size_t i = 0; i < styles.size(); ++i) {
    FlashWordItem& item = Items()[i];
    item.PlayStyle = styles[i];
    CSwfDialog recorder;
    ASSERT_EQ(
        recorder.RenderFlashText(FlashWordStyleOf(item),
                                 {styles[i], ReadBoundedText(item.guid), text, 64, 32, -1, 1}),
        1);
    EXPECT_EVENTUALLY_WITHIN(recorder.IsDone(), kRecordingWaitMs);
    ASSERT_FALSE(recorder.RecordFailed()) << styles[i];
    EXPECT_EQ(recorder.FlashEventCount(), 2) << styles[i];
    item.IsChanged = 0;
    frames += apptest::FrameFileFrames(ReadBoundedText(item.guid)).size();
  }

  Send();
  ASSERT_EQ(card.Payloads().size(), 1u);
  emu::DisplayData data;
  ASSERT_EQ(emu::DecodeDisplayData(card.Payloads()[0], data), "");
  ASSERT_EQ(data.programs.size(), 1u);
  ASSERT_EQ(data.programs[0].areas.size(), 1u);
  const std::vector<emu::PageFrame>& sent = data.programs[0].areas[0].frames;
  ASSERT_EQ(sent.size(), frames);
  std::size_t lit = 0;
  for (const emu::PageFrame& frame : sent) {
    std::vector<std::uint8_t> pixels;
    ASSERT_EQ(emu::PlanesToPixels(frame.planes, 0, 64, 32, 2, pixels), "");
    lit += std::any_of(pixels.begin(), pixels.end(), [](std::uint8_t p) { return p != 0; });
  }
  // Only the first moments of an entry (a zoom from nothing, blinds still shut) are dark.
  EXPECT_GE(lit, frames * 3 / 4);
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
  EXPECT_EVENTUALLY_EQ(window_->StatusBar().Text(2),
                       Text(1010) + GetSendErrorText(KQ_ERR_PAGE_NOT_FOUND));
}

}  // namespace

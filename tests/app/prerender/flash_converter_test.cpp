// Flash content recorded before a send, on the fake Flash host and the offscreen
// platform: what is collected, the wait with the busy window over a disabled main
// window, recorders that finish in any order, end at their limit or never start.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/prerender/flash_converter.h"
#include "controls/support/main_window.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/file_system.h"
#include "render/common/fake_play_clock.h"
#include "render/flash/flash_background.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_freshness.h"
#include "tests/support/fake_flash_host.h"
#include "tests/support/screenshot.h"

using namespace Qt::StringLiterals;

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
  ASSERT_TRUE(CreateDirTree(path.left(path.lastIndexOf(u'/'))));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QString Guid(int n) { return u"0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8%1"_s.arg(n, 2, 10, QChar(u'0')); }

// Whether the frame file of guid is sound and of width x height.
bool Recorded(const QString& guid, int width, int height) {
  return IsPakOutdated(guid, width, height, 0xFFFFFFFF) == 0;
}

// Movies that paint red at once and raise a line event after every capture.
void Script(FakeFlashHosts& hosts) {
  hosts.paint = [](int, QImage& picture) { picture.fill(qRgb(255, 0, 0)); };
  for (int capture = 1; capture <= 5000; ++capture) hosts.flashCallAfterCaptures.push_back(capture);
}

class FlashConverterTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDirTree(AppFolderPath(AppFolder::Temp)));
    WriteFile(AppFilePath(AppFolder::Data, u"flashword/1"_s), "template");
    WriteFile(FlashBackgroundTemplatePath(), "<?xml version=\"1.0\"?>\r\n<PropertyData/>\r\n");
    WriteFile(AppFilePath(AppFolder::Data, u"flashback/1.fbk"_s), "movie");
    main_.resize(320, 240);
    main_.show();
    main_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main_));
    other_.resize(100, 100);
    other_.show();
    SetMainWindow(&main_);
  }
  void TearDown() override { SetMainWindow(nullptr); }

  // An area of the rectangle (0, 0, width, height), added to the job's one program.
  AreaRecord& AddArea(int width, int height, int useBorder = 0, int borderWidth = 0) {
    auto area = std::make_unique<AreaRecord>();
    area->AreaRect_Right = width;
    area->AreaRect_Bottom = height;
    area->IsUseBorder = useBorder;
    area->BorderWidth = borderWidth;
    area->AreaType = kSingleLineArea;
    areas_.push_back(std::move(area));
    return *areas_.back();
  }
  FlashWordItem& AddWord(AreaRecord& area, int n, int changed = 1) {
    area.AreaType = kFlashWordArea;
    if (!std::holds_alternative<std::vector<FlashWordItem>>(area.Kind)) {
      area.Kind = std::vector<FlashWordItem>();
    }
    auto& words = std::get<std::vector<FlashWordItem>>(area.Kind);
    words.reserve(8);  // the test keeps references to the items
    FlashWordItem& word = words.emplace_back();
    EXPECT_TRUE(CopyBoundedText(word.guid, Guid(n)));
    EXPECT_TRUE(CopyBoundedText(word.FontProp_FontName, u"DejaVu Sans"));
    word.FontProp_FontSize = 12;
    word.ShowStr = u"AB"_s;
    word.IsChanged = changed;
    return word;
  }
  BackgroundItem& AddBackground(AreaRecord& area, int n, int fileType = kFlashBackground) {
    area.IsUseBack = 1;
    area.Backgrounds.reserve(8);
    BackgroundItem& background = area.Backgrounds.emplace_back();
    EXPECT_TRUE(CopyBoundedText(background.guid, Guid(n)));
    background.FileType = fileType;
    background.RenderFlag = 1;
    return background;
  }
  ScreenSendJob Job() {
    ScreenSendJob job{nullptr, {{nullptr, {}}}};
    for (auto& area : areas_) job.Programs[0].Areas.push_back(area.get());
    job.Programs[0].Areas.push_back(nullptr);
    return job;
  }

  // The busy window over the main window while one is shown.
  QWidget* Busy() const {
    for (QWidget* child : main_.findChildren<QWidget*>()) {
      if (child->isWindow() && child->isVisible()) return child;
    }
    return nullptr;
  }
  // Runs step every 10 ms while the converter waits; another window is active
  // meanwhile.
  void WaitWhile(CFlashConverter& converter, const std::function<void()>& step) {
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
      other_.activateWindow();
      step();
    });
    driver.start(10);
    EXPECT_EQ(converter.WaitUntilDone(), 1);
  }
  void ExpectMainWindowBack() {
    EXPECT_EQ(Busy(), nullptr);
    EXPECT_TRUE(main_.isEnabled());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main_, 1000));
  }

  QWidget main_;
  QWidget other_;
  std::vector<std::unique_ptr<AreaRecord>> areas_;
  FakePlayClock clock_;
};

TEST_F(FlashConverterTest, CollectsWhatMustBeRecordedAndCountsOnlyStartedRecorders) {
  auto hosts = std::make_optional<FakeFlashHosts>();
  Script(*hosts);
  AreaRecord& area = AddArea(40, 16);
  AddWord(area, 1);                       // changed
  AddWord(area, 2, 0);                    // unchanged, and its frame file is sound
  AddWord(area, 3, 0);                    // unchanged, but its frame file has another size
  AddWord(area, 4, 0);                    // unchanged, without a frame file
  AddBackground(area, 5, 3);              // a picture background
  AddBackground(area, 6).RenderFlag = 0;  // no frame file
  AddBackground(AddArea(40, 16), 7);
  areas_.back()->IsUseBack = 0;  // the area shows no background
  for (const auto& [n, width] : {std::pair{2, 40}, std::pair{3, 41}}) {
    PakFileHeader header{kPakMagic, width, 16, 0xFFFFFFFF, 1, 0};
    const PakHeaderBytes bytes = EncodePakHeader(header);
    WriteFile(PakFramePath(Guid(n)),
              QByteArray(reinterpret_cast<const char*>(bytes.data()), kPakHeaderSize) +
                  QByteArray(static_cast<int>(PakFrameBytes(header)), 0));
  }
  {
    CFlashConverter converter(clock_);
    converter.CollectScreen(Job());
    converter.CollectScreen(Job());  // the same content again is not recorded twice
    converter.StartRecorders();
    EXPECT_EQ(converter.Running(), 4);  // words 1, 3, 4 and background 6
    EXPECT_EQ(hosts->LiveHosts(), 4);
  }
  // Destroyed unfinished: the recorders are gone and their partial files discarded.
  EXPECT_EQ(hosts->LiveHosts(), 0);
  EXPECT_FALSE(FileExists(PakFramePath(Guid(1))));
  EXPECT_TRUE(Recorded(Guid(2), 40, 16));

  // Recorders that cannot start (no template for the play style, a name that is no
  // GUID text; then no player at all) do not count: the wait returns at once.
  auto& words = std::get<std::vector<FlashWordItem>>(area.Kind);
  words.resize(1);
  words[0].PlayStyle = 7;
  BackgroundItem& background = area.Backgrounds[1];
  ASSERT_TRUE(CopyBoundedText(background.guid, u"../escape"));
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) {  // a usable template and name, but no player
      hosts.reset();
      words[0].PlayStyle = 0;
      ASSERT_TRUE(CopyBoundedText(background.guid, Guid(6)));
    }
    CFlashConverter converter(clock_);
    EXPECT_EQ(converter.PrepareScreen(Job()), 1);
    EXPECT_EQ(converter.Running(), 0);
    EXPECT_EQ(converter.WaitUntilDone(), 1);
    ExpectMainWindowBack();
    EXPECT_EQ(words[0].IsChanged, 1);
  }
}

TEST_F(FlashConverterTest, WaitsForThreeRecordersInAnyOrder) {
  // Hosts 1 and 2 record the words, host 3 the background; each order releases one
  // recorder at a time and the next only once the one before has finished.
  for (const std::vector<int>& order : {std::vector{1, 2, 3}, {3, 2, 1}, {2, 3, 1}}) {
    SCOPED_TRACE(testing::PrintToString(order));
    areas_.clear();
    AreaRecord& words = AddArea(48, 20, 1, 2);
    FlashWordItem* items[] = {&AddWord(words, 1), &AddWord(words, 2), nullptr};
    AreaRecord& back = AddArea(30, 12);
    BackgroundItem& background = AddBackground(back, 3);
    for (int n = 1; n <= 3; ++n) QFile::remove(PakFramePath(Guid(n)));

    FakeFlashHosts hosts;
    Script(hosts);
    std::vector<int> released;
    hosts.held = [&](int host) {
      return std::find(released.begin(), released.end(), host) == released.end();
    };
    const auto flag = [&](int host) {
      return host == 3 ? background.RenderFlag : items[host - 1]->IsChanged;
    };
    CFlashConverter converter(clock_);
    converter.PrepareScreen(Job());
    ASSERT_EQ(converter.Running(), 3);
    int checks = 0;
    WaitWhile(converter, [&] {
      QWidget* busy = Busy();
      ASSERT_NE(busy, nullptr);
      EXPECT_EQ(busy->windowTitle(), u"正在转换数据..."_s);
      EXPECT_FALSE(main_.isEnabled());
      if (++checks == 1) SaveScreenshot(*busy, u"flash_converter_busy"_s);
      if (converter.Running() != 3 - static_cast<int>(released.size())) return;
      // Exactly the released recorders have finished.
      for (int host = 1; host <= 3; ++host) {
        const bool done = std::find(released.begin(), released.end(), host) != released.end();
        EXPECT_EQ(flag(host), done ? 0 : 1) << host;
      }
      if (released.size() < order.size()) released.push_back(order[released.size()]);
    });
    ExpectMainWindowBack();
    EXPECT_EQ(hosts.LiveHosts(), 0);
    for (int host = 1; host <= 3; ++host) EXPECT_EQ(flag(host), 0) << host;
    // Frame files at the content size: the border counts where it is used.
    EXPECT_TRUE(Recorded(Guid(1), 44, 16));
    EXPECT_TRUE(Recorded(Guid(2), 44, 16));
    EXPECT_TRUE(Recorded(Guid(3), 30, 12));
  }
}

TEST_F(FlashConverterTest, AMovieThatNeverPaintsEndsAtItsLimit) {
  FakeFlashHosts hosts;
  Script(hosts);
  hosts.paint = [](int, QImage& picture) { picture.fill(qRgb(0, 0, 255)); };
  AreaRecord& area = AddArea(40, 16, 0, 3);  // the border is not used: full size
  FlashWordItem& word = AddWord(area, 1);
  BackgroundItem& background = AddBackground(area, 2);
  CFlashConverter converter(clock_);
  converter.PrepareScreen(Job());
  ASSERT_EQ(converter.Running(), 2);
  WaitWhile(converter, [&] { clock_.Advance(converter.Running() == 2 ? 0 : 250); });
  ExpectMainWindowBack();
  EXPECT_LT(clock_.TickMs(), kFlashRecordLimitMs + kFlashWaitMarginMs);  // not the backstop
  EXPECT_EQ(word.IsChanged, 0);
  EXPECT_TRUE(Recorded(Guid(1), 40, 16));
  EXPECT_EQ(background.RenderFlag, 1);
  EXPECT_FALSE(FileExists(PakFramePath(Guid(2))));
}

}  // namespace

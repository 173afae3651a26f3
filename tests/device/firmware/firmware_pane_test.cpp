// The firmware pane through the main window and the firmware chooser, against the real
// controller library: a firmware file copied into both card folders of a folder that
// stands for a USB disk, or sent to an emulated card over TCP; the chooser's OK, its
// place and its mask.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/main_window_ids.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/firmware/firmware_file.h"
#include "device/firmware/firmware_ids.h"
#include "device/firmware/update_cpu_dialog.h"
#include "device/firmware/update_dialog.h"
#include "model/common/bounded_text.h"
#include "model/common/file_system.h"
#include "model/common/firmware_image.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_text.h"
#include "sdk/Corvanix.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/model/project/project_file_test_support.h"
#include "tests/support/card_emulator.h"
#include "tests/support/cut_texts.h"
#include "tests/support/fifo_watchdog.h"
#include "tests/support/recording_window.h"
#include "tests/support/screenshot.h"

namespace {

using testsupport::Message;

QString PaneText(int key) { return ReadLangText(QStringLiteral("IDD_UPDATECPU_DIALOG"), key); }

// Each control's text: the control's id, then its key (negative: PUBLIC's key).
void ExpectTexts(const QWidget& dialog, std::initializer_list<std::pair<int, int>> texts) {
  for (const auto& [id, key] : texts) {
    const auto* control = dialog.findChild<QWidget*>(QString::number(id));
    const auto* label = qobject_cast<const QLabel*>(control);
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    ASSERT_TRUE(label != nullptr || button != nullptr) << id;
    EXPECT_EQ(label != nullptr ? label->text() : button->text(),
              key < 0 ? ReadLangText(QStringLiteral("PUBLIC"), -key) : PaneText(key))
        << id;
  }
}

class FirmwarePane : public apptest::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(drive.isValid() && files.isValid());
    root = drive.path() + u'/';
    qputenv("QUENDRA_REMOVABLE_DRIVES", drive.path().toLocal8Bit());
    MainWindowHooks hooks = Hooks();
    hooks.chooseOpenFile = [this](const QString& filter) {
      filters << filter;
      return chosen;
    };
    window = std::make_unique<CQuendraDlg>(hooks);
    window->show();
    // The results reach a recorder in place of the main window.
    MainWindowHandle = main.Handle();
  }
  void TearDown() override {
    MainWindowHandle = window->Handle();
    window.reset();
    qunsetenv("QUENDRA_REMOVABLE_DRIVES");
    MainWindowTest::TearDown();
  }

  CUpdateDialog& Pane() { return static_cast<CUpdateDialog&>(window->Pane(kFirmwarePane)); }
  // Opens the pane for the current screen of that send type.
  ScreenRecord& Open(std::int32_t sendType) {
    ScreenRecord& screen = ScreenList.front();
    screen.SendType = sendType;
    SendMessage(window->Handle(), WM_COMMAND, ID_COMMANDS_FIRMWARE, 0);
    EXPECT_EQ(CurrentPaneIndex, kFirmwarePane);
    return screen;
  }
  QString Firmware(const QByteArray& bytes, const QString& name = QStringLiteral("fw.cpu")) {
    const QString path = files.filePath(name);
    EXPECT_TRUE(WriteBytes(path, bytes));
    return path;
  }
  void Choose(const QString& path) {
    chosen = path;
    Pane().OnBrowse();
  }
  // The question before an update of the first screen with firmware for model.
  QString Question(const QString& model) const {
    const ScreenRecord& screen = ScreenList.front();
    return FormatLangText(PaneText(1010),
                          {FormatLangText(PaneText(1011), {ReadBoundedText(screen.LedName),
                                                           QString::number(screen.LedNumber)}),
                           model});
  }
  static std::uint32_t Address(const emu::TcpCard& tcp) {
    std::uint32_t ip = 0;
    for (const QString& octet : QString::fromStdString(tcp.Address()).split('.')) {
      ip = ip << 8 | octet.toUInt();
    }
    return ip;
  }
  QString CardFile(const char* folder, const QString& name) const {
    return root + QStringLiteral("marvane/KQ-%1/%2").arg(folder, name);
  }
  void PutStaleFiles() {
    for (const char* folder : {"W", "P"}) {
      ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("marvane/KQ-%1").arg(folder)));
      for (const char* name : {"kq_disp_cfg.usb", "kq_disp_dat.usb"}) {
        ASSERT_TRUE(WriteBytes(CardFile(folder, name), "old"));
      }
    }
  }
  int StaleFileCount() const {
    int count = 0;
    for (const char* folder : {"W", "P"}) {
      for (const char* name : {"kq_disp_cfg.usb", "kq_disp_dat.usb"}) {
        count += FileExists(CardFile(folder, name)) ? 1 : 0;
      }
    }
    return count;
  }
  // The results the main window was sent, in order.
  std::vector<LPARAM> Results() {
    std::vector<LPARAM> results;
    for (const Message& message : main.Take()) {
      // The pane's one card is row 0 of the main window's results.
      if (message.msg == UM_SEND_RESULT && message.wParam == 0) results.push_back(message.lParam);
    }
    return results;
  }
  std::vector<LPARAM> Update() {
    static_cast<void>(main.Take());
    Pane().OnUpdate();
    return Results();
  }

  QTemporaryDir drive, files;
  QString root, chosen;
  QStringList filters;
  testsupport::RecordingWindow main;
  std::unique_ptr<CQuendraDlg> window;
};

using Codes = std::vector<LPARAM>;

TEST_F(FirmwarePane, CopiesTheFileIntoBothCardFoldersOfTheDrive) {
  Open(kSendByUsbDisk);
  EXPECT_TRUE(Pane().Drives().isVisible());
  const QByteArray firmware = QByteArray("W6      ") + QByteArray(3000, 'x');
  Choose(Firmware(firmware));
  EXPECT_EQ(filters, QStringList({"*.cpu *.CPU"}));
  EXPECT_EQ(Pane().Model(), "W6");
  PutStaleFiles();
  // Cancelled at the question, which names the screen, its card number and the model.
  answers = {kIdCancel};
  EXPECT_EQ(Update(), Codes());
  EXPECT_EQ(asked, QStringList({Question("W6")}));
  EXPECT_FALSE(FileExists(CardFile("W", "W6.cpu")));
  EXPECT_EQ(Update(), Codes({-1000, 0}));
  EXPECT_EQ(ReadBytes(CardFile("W", "W6.cpu")), firmware);
  EXPECT_EQ(ReadBytes(CardFile("P", "W6.cpu")), firmware);
  EXPECT_EQ(StaleFileCount(), 0);
  EXPECT_TRUE(Pane().UpdateButton().isEnabled());
  ExpectTexts(Pane(), {{1404, 1000}, {1407, 1001}, {1409, 1007}, {1412, 1002}});
  const auto tip = [this](int id) {
    return Pane().findChild<QWidget*>(QString::number(id))->toolTip();
  };
  EXPECT_TRUE(tip(1406).contains(PaneText(1006)));
  EXPECT_TRUE(tip(1411).contains(ReadLangText("IDD_SCREENPARAM_DIALOG", 1002)));
  EXPECT_TRUE(tip(1413).contains(ReadLangText("PUBLIC", 1004)));
  EXPECT_FALSE(SaveScreenshot(*window, QStringLiteral("firmware_pane_usb")).isEmpty());
  EXPECT_EQ(CutTextsInTranslations(
                Pane(), [this] { Pane().ApplyLanguage(); }, QStringLiteral("firmware_pane")),
            "");

  // The file chosen from the drive's own card folder survives its copy onto itself; a
  // folder in place of a settings file is left, and no failure of the update.
  ASSERT_TRUE(QDir().mkpath(CardFile("P", "kq_disp_dat.usb")));
  Choose(CardFile("W", "W6.cpu"));
  EXPECT_EQ(Update(), Codes({-1000, 0}));
  EXPECT_EQ(ReadBytes(CardFile("W", "W6.cpu")), firmware);

  // A terminator ends the model's text; a short file names a short model.
  const QByteArray terminated = QByteArray("A7B\0\0\0\0\0", 8) + "W6";
  Choose(Firmware(terminated, QStringLiteral("terminated.cpu")));
  EXPECT_EQ(Pane().Model(), "A7B");
  EXPECT_EQ(Update(), Codes({-1000, 0}));
  EXPECT_EQ(ReadBytes(CardFile("P", "A7B.cpu")), terminated);
  Choose(Firmware("C9", QStringLiteral("short.cpu")));
  EXPECT_EQ(Pane().Model(), "C9");
}

TEST_F(FirmwarePane, FailedFoldersAndCopiesLeaveTheDriveAsItWas) {
  Open(kSendByUsbDisk);
  // A model that is no file name of the card folder writes nothing at all.
  for (const char* model : {"../../a", "..", "a:b"}) {
    Choose(Firmware(model));
    EXPECT_EQ(Pane().Model(), model);
    EXPECT_EQ(Update(), Codes({-1000, -12})) << model;
    EXPECT_TRUE(QDir(root).isEmpty()) << model;
  }
  for (const char* model : {"a\x1F", "a\x7F", "a|"}) EXPECT_FALSE(IsFileNameModel(model)) << model;
  EXPECT_TRUE(IsFileNameModel("a b~"));

  Choose(Firmware("W6"));
  PutStaleFiles();
  // A folder where the first copy goes: the second is not tried.
  ASSERT_TRUE(QDir().mkpath(CardFile("W", "W6.cpu")));
  EXPECT_EQ(Update(), Codes({-1000, -12}));
  EXPECT_FALSE(FileExists(CardFile("P", "W6.cpu")));
  EXPECT_EQ(StaleFileCount(), 4);

  // A file where the first card folder goes: the second is not made.
  ASSERT_TRUE(QDir(root + "marvane").removeRecursively());
  ASSERT_TRUE(QDir().mkpath(root + "marvane"));
  ASSERT_TRUE(WriteBytes(root + "marvane/KQ-W", "file"));
  EXPECT_EQ(Update(), Codes({-1000, -17}));
  EXPECT_FALSE(DirExists(root + "marvane/KQ-P"));

  // Links planted as "marvane" and as a card folder: nothing is written through them.
  ASSERT_TRUE(QDir(root + "marvane").removeRecursively());
  ASSERT_TRUE(QFile::link(files.path(), root + "marvane"));
  EXPECT_EQ(Update(), Codes({-1000, -17}));
  ASSERT_TRUE(QFile::remove(root + "marvane"));
  ASSERT_TRUE(QDir().mkpath(root + "marvane"));
  ASSERT_TRUE(QFile::link(files.path(), root + "marvane/KQ-P"));
  EXPECT_EQ(Update(), Codes({-1000, -17}));
  EXPECT_TRUE(QDir(root + "marvane/KQ-W").isEmpty());
  EXPECT_EQ(QDir(files.path()).entryList(QDir::Files), QStringList({"fw.cpu"}));
}

TEST_F(FirmwarePane, RefusesMissingFilesAndDrives) {
  Open(kSendByUsbDisk);
  EXPECT_EQ(Update(), Codes());
  EXPECT_EQ(asked, QStringList({PaneText(1005)}));

  Choose(Firmware("W6"));
  const QString path = Pane().Path();
  for (const QString& bad : {files.path(), files.filePath("missing.cpu")}) {
    Choose(bad);
    EXPECT_EQ(Pane().Path(), path);
    EXPECT_EQ(Pane().Model(), "W6");
    EXPECT_EQ(asked.back(), FormatLangText(PaneText(1009), {QFileInfo(bad).fileName()}));
  }
  EXPECT_EQ(styles.back(), 0x10);
  const qsizetype shown = asked.size();
  Choose(QString());  // the chooser cancelled: no message, the file kept
  EXPECT_EQ(std::tuple(asked.size(), Pane().Path(), Pane().Model()),
            std::tuple(shown, path, QStringLiteral("W6")));

  // The list follows the drives at the pane's next look.
  drive.remove();
  SendMessage(Pane().Handle(), WM_TIMER, kDriveTimerId, 0);
  EXPECT_EQ(Pane().Drives().count(), 0);
  EXPECT_EQ(Update(), Codes());
  EXPECT_EQ(asked.back(), PaneText(1008));
  ASSERT_TRUE(QDir().mkpath(drive.path()));
  SendMessage(Pane().Handle(), WM_TIMER, kDriveTimerId, 0);
  EXPECT_EQ(Pane().Drives().SelectedRoot(), root);

  // Opened again for another screen: cleared, and without the drive controls.
  SendMessage(MainWindowHandle = window->Handle(), UM_PANE_BACK, kFirmwarePane, 0);
  MainWindowHandle = main.Handle();
  Open(kSendByNetwork);
  EXPECT_TRUE(Pane().Path().isEmpty() && Pane().Model().isEmpty());
  EXPECT_FALSE(Pane().Drives().isVisible());
}

TEST_F(FirmwarePane, FilesThatAreNoFirmwareAreRefusedAndNothingLeaves) {
  emu::Card card(1);
  emu::TcpCard server(card);
  ASSERT_TRUE(server.Listening());
  const QByteArray good = QByteArray("W6      ") + QByteArray(100, 'f');
  // Bytes that do not begin with a model name, and files that are not firmware.
  const QString path = files.filePath("fw.cpu");
  const std::function<bool()> spoil[] = {
      [&] { return WriteBytes(path, QByteArray::fromHex("9c3e07ff5a11d2e0") + good); },
      [&] { return WriteBytes(path, {}); },
      [&] {
        QFile big(path);
        return big.open(QIODevice::ReadWrite) && big.resize(kMaxFirmwareBytes + 1);
      },
      [&] { return QFile::remove(path) && fifotest::MakeFifo(path); },
  };
  for (const std::int32_t sendType : {kSendByUsbDisk, kSendByNetwork}) {
    ScreenRecord& screen = Open(sendType);
    screen.LedIp = Address(server);
    for (const auto& makeBad : spoil) {
      static_cast<void>(QFile::remove(path));
      Choose(Firmware(good));
      ASSERT_EQ(Pane().Model(), "W6");
      ASSERT_TRUE(makeBad());
      asked.clear();
      // Checked again before the question: refused, naming the file.
      EXPECT_EQ(Update(), Codes());
      EXPECT_EQ(asked, QStringList({FormatLangText(PaneText(1009), {"fw.cpu"})}));
      // Not taken when chosen either, and not copied when the copy is reached.
      Choose(path);
      EXPECT_EQ(asked.size(), 2);
      EXPECT_EQ(
          fifotest::ReturnsPromptly(path, [&] { return CopyFirmwareToDrive(root, path, "W6"); }),
          kFirmwareCopyFailed);
    }
    SendMessage(MainWindowHandle = window->Handle(), UM_PANE_BACK, kFirmwarePane, 0);
    MainWindowHandle = main.Handle();
  }
  EXPECT_TRUE(card.Frames().empty());
  EXPECT_TRUE(QDir(root).isEmpty());
}

TEST_F(FirmwarePane, SendsTheFileToANetworkCardWithProgressAtTheMainWindow) {
  emu::Card card(1), failingCard(1);  // at the screen's card number
  emu::TcpCard server(card), failing(failingCard);
  ASSERT_TRUE(server.Listening() && failing.Listening());
  ScreenRecord& screen = Open(kSendByNetwork);
  screen.LedIp = Address(server);
  // Large enough to go in several chunks, each answered with progress.
  const QByteArray firmware = QByteArray("W6\0\0\0\0\0\0", 8) + QByteArray(20000, 'f');
  Choose(Firmware(firmware));
  static_cast<void>(main.Take());
  Pane().OnUpdate();
  QCoreApplication::processEvents();
  EXPECT_EQ(asked, QStringList({Question("W6")}));
  ASSERT_EQ(card.Payloads().size(), 1u);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(card.Payloads()[0].data()),
                       static_cast<qsizetype>(card.Payloads()[0].size())),
            firmware);
  EXPECT_TRUE(card.Errors().empty());
  bool progressed = false;
  std::vector<LPARAM> results;
  for (const Message& message : main.Take()) {
    progressed |= message.msg == UM_SEND_PROGRESS;
    if (message.msg == UM_SEND_RESULT) results.push_back(message.lParam);
  }
  EXPECT_TRUE(progressed);
  EXPECT_EQ(results, Codes({KQ_STATUS_SENDING, KQ_OK}));
  EXPECT_FALSE(SaveScreenshot(*window, QStringLiteral("firmware_pane_network")).isEmpty());

  failingCard.ReactAlways({emu::Reaction::kAck, 9, 0});
  screen.LedIp = Address(failing);
  Pane().OnUpdate();
  QCoreApplication::processEvents();
  EXPECT_EQ(Results().back(), 9);
}

// The question names the first two screens and marks that there are more.
TEST_F(FirmwarePane, QuestionNamesTwoScreensAtMost) {
  ScreenRecord screens[3]{};
  QStringList cards;
  for (int i = 0; i < 3; ++i) {
    static_cast<void>(CopyBoundedText(screens[i].LedName, QStringLiteral("S%1").arg(i)));
    screens[i].LedNumber = i;
    cards << FormatLangText(PaneText(1011), {QStringLiteral("S%1").arg(i), QString::number(i)});
  }
  QString asked;
  const FirmwareAsk ask = [&asked](const QString& text, int) { return asked = text, kIdOk; };
  EXPECT_TRUE(ConfirmFirmwareUpdate({&screens[0], &screens[1], &screens[2]}, "W6", ask));
  EXPECT_EQ(asked, FormatLangText(PaneText(1010), {cards[0] + ", " + cards[1] + ", …", "W6"}));
}

TEST_F(FirmwarePane, ChooserKeepsOpenWithoutAFileAndSitsOnTheScreen) {
  QStringList notes;
  CUpdateCPUDialog chooser(
      window.get(), [&notes](const QString& text, int) { return notes << text, 1; },
      [this](const QString&) { return chosen; });
  chooser.show();
  chooser.OnUpgrade();
  EXPECT_TRUE(chooser.isVisible());
  EXPECT_EQ(notes, QStringList({PaneText(1005)}));
  chosen = Firmware(QByteArray(" W6 \0\0\0", 7));
  chooser.OnBrowse();
  EXPECT_EQ(chooser.Model(), "W6");
  ExpectTexts(chooser, {{1543, 1000}, {1544, 1001}, {1348, 1002}, {1347, -1001}});
  EXPECT_TRUE(chooser.findChild<QWidget*>("1350")->toolTip().contains(PaneText(1006)));
  EXPECT_FALSE(SaveScreenshot(chooser, QStringLiteral("firmware_chooser")).isEmpty());
  EXPECT_EQ(
      CutTextsInTranslations(
          chooser, [&chooser] { chooser.ApplyLanguage(); }, QStringLiteral("firmware_chooser")),
      "");
  chooser.OnUpgrade();
  EXPECT_EQ(chooser.result(), QDialog::Accepted);
  EXPECT_EQ(chooser.Path(), chosen);

  // The mask leaves out exactly the see-through pixels.
  const QImage& surface = chooser.Surface();
  const QRegion mask = chooser.mask();
  int wrong = 0;
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) {
      const bool seeThrough = surface.pixel(x, y) == SeeThroughDialog::kSeeThroughColor;
      wrong += mask.contains(QPoint(x, y)) == seeThrough ? 1 : 0;
    }
  }
  EXPECT_EQ(wrong, 0);
  // The balloon's outline runs along its last row above the 24-pixel pointer, open at
  // the pointer's mouth; the pointer's tip is a row above the surface's last.
  const int w = surface.width();
  const int body = surface.height() - 24;
  EXPECT_EQ(std::tuple(surface.pixel(w / 4, body - 1), surface.pixel(w / 4, body),
                       surface.pixel(w - 55, body - 1), surface.pixel(w - 31, body + 22)),
            std::tuple(qRgb(90, 120, 160), SeeThroughDialog::kSeeThroughColor, qRgb(244, 248, 252),
                       qRgb(90, 120, 160)));

  // 100 pixels inside the main window's right edge and 82 inside its bottom edge;
  // against a main window near the screen's right edge it stays on the screen.
  const QRect screen(0, 0, 1280, 800);
  const auto place = [&screen](const QRect& main) {
    return SeeThroughDialog::PlaceByInsets(main, CUpdateCPUDialog::kClientSize,
                                           CUpdateCPUDialog::kRightInset,
                                           CUpdateCPUDialog::kBottomInset, screen);
  };
  const QSize size = CUpdateCPUDialog::kClientSize;
  EXPECT_EQ(place(QRect(100, 50, 980, 690)),
            QPoint(100 + 980 - size.width() - 100, 50 + 690 - size.height() - 82));
  EXPECT_TRUE(screen.contains(QRect(place(QRect(1200, 100, 980, 690)), size)));
}

}  // namespace

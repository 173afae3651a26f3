// The send pane against the real controller library and emulated cards: programs and
// settings to many screens at once with each row's own progress and result, the pane
// locked while a call runs, and the screen groups with their dialogs.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <map>
#include <vector>

#include "app/builder/send_error_text.h"
#include "app/send/group_dialogs.h"
#include "app/send/send_dialog.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/program_messages.h"
#include "device/firmware/firmware_ids.h"
#include "device/firmware/update_cpu_dialog.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/project/clear_project.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "sdk/Corvanix.h"
#include "tests/app/app_fixture.h"
#include "tests/support/card_emulator.h"
#include "tests/support/card_settings_codec.h"
#include "tests/support/cut_texts.h"
#include "tests/support/display_data_codec.h"
#include "tests/support/screenshot.h"

namespace {

constexpr int kCom = 57;

class NoTree : public ProjectTreeItems {
  void DeleteAllItems() override {}
};

QString Text(int key) { return ReadLangText(QStringLiteral("IDD_SEND_DIALOG"), key); }

class SendPane : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    pane_.ApplyLanguage();  // made before the language files were in place
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
    pane_.resize(860, 520);
    pane_.show();
  }
  void TearDown() override {
    ClearProjectModel();
    AppTest::TearDown();
  }

  ScreenRecord& Screen(std::int32_t number, std::int32_t sendType, std::int32_t networkType = 0) {
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedNo = number, screen.SendType = sendType, screen.NetworkType = networkType;
    screen.LedWidth = 64, screen.LedHeight = 32;
    screen.Commport = kCom, screen.Bps = 115200;
    static_cast<void>(CopyBoundedText(screen.LedName, QStringLiteral("Screen %1").arg(number)));
    return screen;
  }
  ScreenRecord& TcpScreen(std::int32_t number, const emu::TcpCard& server) {
    ScreenRecord& screen = Screen(number, kSendByNetwork);
    for (const QString& octet : QString::fromStdString(server.Address()).split('.')) {
      screen.LedIp = screen.LedIp << 8 | octet.toUInt();
    }
    return screen;
  }
  // A program of one digital clock, checked or not, told apart by its loop count.
  static void ClockProgram(ScreenRecord& screen, bool checked, std::int32_t loops) {
    ProgramRecord& program = AddProgram(screen);
    program.CheckState = checked ? 1 : 0;
    program.LoopCount = loops;
    AreaRecord& area = *AddArea(program, kDigitalClockArea);
    area.AreaRect_Right = 32, area.AreaRect_Bottom = 16;
  }
  QString Status(int row) { return pane_.Screens().GetItemText(row, CSendDialog::kStatusColumn); }
  QAbstractButton* Button(int id) { return static_cast<QAbstractButton*>(pane_.Control(id)); }

  NoTree tree_;
  std::function<int(QDialog&)> answer_ = [](QDialog&) { return int(QDialog::Rejected); };
  CSendDialog pane_{nullptr, tree_, [this](QDialog& dialog) { return answer_(dialog); }};
};

emu::DisplayData Decoded(const emu::Card& card) {
  emu::DisplayData data;
  const auto payloads = card.Payloads();
  EXPECT_FALSE(payloads.empty());
  if (!payloads.empty()) {
    EXPECT_EQ(emu::DecodeDisplayData(payloads.back(), data), "");
  }
  return data;
}

TEST_F(SendPane, SendsToEveryCheckedScreenAtOnceWithEachRowsOwnResult) {
  emu::Card tcpCard, failingCard, serialCard;
  // Slow enough that every send has begun before the first ends, on a busy machine too.
  constexpr int kAnswerMs = 150;
  const emu::Reaction slow{emu::Reaction::kAck, 0, kAnswerMs};
  tcpCard.ReactAlways(slow);
  serialCard.ReactAlways(slow);
  failingCard.ReactAlways({emu::Reaction::kAck, 7, kAnswerMs});
  emu::TcpCard tcp(tcpCard), failing(failingCard);
  emu::SerialCard serial(serialCard, kCom);
  ASSERT_TRUE(tcp.Listening() && failing.Listening() && serial.Ready());
  ScreenRecord& allUnchecked = TcpScreen(1, tcp);
  ClockProgram(allUnchecked, false, 1);
  ClockProgram(TcpScreen(2, failing), true, 2);
  ScreenRecord& serialScreen = Screen(3, kSendBySerialLine);
  ClockProgram(serialScreen, false, 4);
  ClockProgram(serialScreen, true, 5);
  Screen(4, kSendByNetwork, 1);  // UDP
  Screen(5, kSendByUsbDisk);
  pane_.FillGroupList();
  ASSERT_EQ(pane_.Screens().GetItemCount(), 5);
  // A flat list: the first column starts at the list's edge, with no tree's indent.
  const QTreeWidget& rows = pane_.Screens();
  EXPECT_EQ(rows.visualItemRect(rows.topLevelItem(0)).left(), 0);

  // Every status text in the order it was written, and the pane's state meanwhile.
  std::vector<std::pair<int, QString>> log;
  std::map<int, LPARAM> rowScreens;
  for (int row = 0; row < 5; ++row) rowScreens[row] = pane_.Screens().GetItemData(row);
  QWidget previewFrame;
  pane_.SetPreviewFrame(&previewFrame);
  bool lockedThroughout = true, pictured = false;
  QObject::connect(
      &pane_.Screens(), &QTreeWidget::itemChanged, [&](QTreeWidgetItem* item, int column) {
        if (column != CSendDialog::kStatusColumn) return;
        const int row = pane_.Screens().indexOfTopLevelItem(item);
        log.emplace_back(row, item->text(column));
        lockedThroughout = lockedThroughout && !pane_.GroupList().isEnabled() &&
                           !pane_.Control(IDC_SEND_SELECT_ALL)->isEnabled() &&
                           !pane_.Control(IDC_SEND_EDIT_GROUPS)->isEnabled() &&
                           !Button(IDC_SEND_ADJUST_TIME)->isEnabled() &&
                           !pane_.BackButton().isEnabled() && !previewFrame.isEnabled();
        for (const auto& [r, screen] : rowScreens)
          lockedThroughout &= pane_.Screens().GetItemData(r) == screen;
        if (!pictured && item->text(column).endsWith('%')) {
          pictured = !SaveScreenshot(pane_, QStringLiteral("send_pane_sending")).isEmpty();
        }
      });
  pane_.OnSend();

  EXPECT_TRUE(lockedThroughout && pictured);
  EXPECT_TRUE(pane_.GroupList().isEnabled() && Button(IDC_SEND_PROGRAMS)->isEnabled() &&
              previewFrame.isEnabled());
  const QString notServed = Text(1024) + GetSendErrorText(KQ_ERR_NOT_SERVED);
  EXPECT_EQ(QStringList({Status(0), Status(1), Status(2), Status(3), Status(4)}),
            QStringList(
                {Text(1021), Text(1024) + GetSendErrorText(7), Text(1021), notServed, notServed}));
  EXPECT_EQ(pane_.Screens().RowPercent(0), 100);
  SaveScreenshot(pane_, QStringLiteral("send_pane_sent"));

  // Each served row went through generating, sending and percentages on its own, and
  // every one of them was sending before any finished.
  std::size_t firstDone = log.size();
  for (int row : {0, 2}) {
    std::vector<QString> texts;
    for (const auto& [r, text] : log) {
      if (r == row) texts.push_back(text);
    }
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[0], Text(1022));
    EXPECT_EQ(texts[1], Text(1023));
    EXPECT_TRUE(texts[2].endsWith('%'));
  }
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (log[i].second == Text(1021) && firstDone == log.size()) firstDone = i;
  }
  for (int row : {0, 1, 2}) {
    EXPECT_NE(std::find(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(firstDone),
                        std::make_pair(row, Text(1023))),
              log.begin() + static_cast<std::ptrdiff_t>(firstDone));
  }
  EXPECT_TRUE(Decoded(tcpCard).programs.empty());
  const emu::DisplayData serialData = Decoded(serialCard);
  ASSERT_EQ(serialData.programs.size(), 1u);
  EXPECT_EQ(serialData.programs[0].loopCount, 5);

  // A page file that cannot become display data stops the send before anything goes,
  // named in the message.
  ProgramRecord& broken = AddProgram(allUnchecked);
  broken.CheckState = 1;
  AreaRecord& files = *AddArea(broken, kFilesArea);
  files.AreaRect_Right = 16, files.AreaRect_Bottom = 16;
  FileAreaItem missing{};
  missing.FileType = 4;
  static_cast<void>(CopyBoundedText(missing.FilePath, QDir::temp().filePath("missing.png")));
  std::get<std::vector<FileAreaItem>>(files.Kind) = {missing};
  emit static_cast<QLabel*>(pane_.Control(IDC_SEND_SELECT_NONE))->linkActivated("#");
  EXPECT_EQ(pane_.Screens().topLevelItem(4)->checkState(0), Qt::Unchecked);
  pane_.Screens().topLevelItem(0)->setCheckState(0, Qt::Checked);
  QString shown;
  answer_ = [&shown](QDialog& dialog) {
    if (auto* box = dynamic_cast<CStyleMessageDialog*>(&dialog)) shown = box->Message();
    SaveScreenshot(dialog, QStringLiteral("send_check_refusal"));
    return int(QDialog::Accepted);
  };
  broken.CheckState = 0;  // unchecked, it is not looked at
  pane_.OnSend();
  EXPECT_EQ(tcpCard.Payloads().size(), 2u);
  broken.CheckState = 1;
  pane_.OnSend();
  EXPECT_EQ(tcpCard.Payloads().size(), 2u);
  EXPECT_TRUE(shown.endsWith(u"\nmissing.png"));  // outside the program folder: the name
  // A set the builder refused parts of (a border that leaves no content) fails even
  // though its card took it.
  files.AreaType = kDigitalClockArea, files.Kind = MakeKindRecord(kDigitalClockArea);
  files.IsUseBorder = 1, files.BorderWidth = 9;
  pane_.OnSend();
  EXPECT_EQ(tcpCard.Payloads().size(), 3u);
  EXPECT_EQ(Status(0), Text(1024) + GetSendErrorText(KQ_ERR_BAD_SIZE));
  EXPECT_EQ(Status(2), Text(1021));  // not a target this time
  pane_.OnScreenOn();                // a setting is not failed by an earlier program's refusal
  EXPECT_EQ(Status(0), Text(1021));
}

TEST_F(SendPane, SettingsReachEveryTcpAndSerialCard) {
  emu::Card tcpCard, serialCard;
  emu::TcpCard tcp(tcpCard);
  emu::SerialCard serial(serialCard, kCom);
  ASSERT_TRUE(tcp.Listening() && serial.Ready());
  Screen(3, kSendByUsbDisk);
  TcpScreen(1, tcp);
  Screen(2, kSendBySerialLine);
  pane_.FillGroupList();
  // Unchecked, the first row is no target: every result lands on its own row.
  pane_.Screens().topLevelItem(0)->setCheckState(0, Qt::Unchecked);
  pane_.OnAdjustTime();
  pane_.OnScreenOn();
  pane_.OnScreenOff();
  EXPECT_EQ(QStringList({Status(0), Status(1), Status(2)}),
            QStringList({QString(), Text(1021), Text(1021)}));
  for (const emu::Card* card : {&tcpCard, &serialCard}) {
    const auto payloads = card->Payloads();
    ASSERT_EQ(payloads.size(), 3u);
    std::vector<std::pair<int, int>> seen;
    for (const auto& payload : payloads) {
      emu::SettingsCommand command;
      EXPECT_EQ(emu::DecodeSettingsCommand(payload, command), "");
      seen.emplace_back(command.mask, command.mask == 32 ? command.power : -1);
    }
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{16, -1}, {32, 0}, {32, 1}}));
  }
}

// Each target's record: its link by send type, the pane's window and messages, its row.
TEST_F(SendPane, TargetsCarryTheirLinkTheirWindowAndTheirRow) {
  Screen(1, kSendByNetwork).LedIp = 0x0A000102;
  Screen(2, kSendByNetwork, 1);  // UDP
  Screen(3, kSendByUsbDisk);
  Screen(4, kSendBySerialLine);
  Screen(5, kSendByUsbDisk);
  pane_.FillGroupList();
  pane_.Screens().topLevelItem(2)->setCheckState(0, Qt::Unchecked);
  std::vector<CommInfo> infos;
  ASSERT_EQ(pane_.CollectCommInfos(infos), 4);
  const int rows[] = {0, 1, 3, 4}, types[] = {0, 1, 2, 3};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(infos[i].SendType, types[i]) << i;
    EXPECT_EQ(infos[i].CallerValue, rows[i]) << i;
    EXPECT_EQ(infos[i].NotifyWindow, pane_.Handle()) << i;
    EXPECT_EQ(infos[i].StatusMessage, WM_USER + 116u) << i;
    EXPECT_EQ(infos[i].ProgressMessage, WM_USER + 115u) << i;
  }
  EXPECT_EQ(ReadBoundedText(infos[0].IpAddress), "10.0.1.2");
  EXPECT_EQ(std::make_pair(infos[2].ComPort, infos[2].BaudRate), std::make_pair(kCom, 115200));
  // Progress shows as the percent's text in the row's status column.
  SendMessage(pane_.Handle(), UM_SEND_PROGRESS, 3, 42);
  EXPECT_EQ(Status(3), "42%");
  // Messages for a row past the last are dropped.
  SendMessage(pane_.Handle(), UM_SEND_RESULT, 5, KQ_OK);
  SendMessage(pane_.Handle(), UM_SEND_PROGRESS, 5, 42);
  EXPECT_EQ(pane_.Screens().topLevelItemCount(), 5);
}

TEST_F(SendPane, FirmwareFromTheChooserReachesEveryCheckedCard) {
  emu::Card first, second;
  emu::TcpCard firstServer(first), secondServer(second);
  ASSERT_TRUE(firstServer.Listening() && secondServer.Listening());
  TcpScreen(1, firstServer);
  TcpScreen(2, secondServer);
  Screen(3, kSendByUsbDisk);
  pane_.FillGroupList();
  const QString firmware = QDir(AppFolderPath(AppFolder::Temp)).filePath("W6.cpu");
  const QByteArray bytes = QByteArray("W6      ") + QByteArray(5000, 'f');
  QFile file(firmware);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
  file.close();

  // A cancelled chooser sends nothing.
  pane_.OnUpdateFirmware();
  EXPECT_TRUE(first.Payloads().empty());

  // The path typed into the chooser, then its OK; a message box is answered with the
  // button of `press`.
  QString typed = firmware;
  QStringList boxes;
  int press = kIdcMessageCancel, shots = 0;
  answer_ = [&](QDialog& dialog) {
    if (auto* box = dynamic_cast<CStyleMessageDialog*>(&dialog)) {
      boxes << box->Message();
      EXPECT_FALSE(SaveScreenshot(*box, QStringLiteral("firmware_box_%1").arg(++shots)).isEmpty());
      qobject_cast<QPushButton*>(FindControl(box, press))->click();
      return box->result();
    }
    auto& chooser = dynamic_cast<CUpdateCPUDialog&>(dialog);
    chooser.findChild<QLineEdit*>(QString::number(IDC_CHOOSER_PATH))->setText(typed);
    chooser.findChild<QPushButton*>(QString::number(IDC_CHOOSER_OK))->click();
    return chooser.result();
  };
  // The question names the cards the firmware would go to; cancelled, nothing goes.
  pane_.OnUpdateFirmware();
  const auto card = [](const char* name) {
    return FormatLangText(ReadLangText(QStringLiteral("IDD_UPDATECPU_DIALOG"), 1011),
                          {QLatin1String(name), QStringLiteral("0")});
  };
  EXPECT_EQ(boxes,
            QStringList({FormatLangText(ReadLangText(QStringLiteral("IDD_UPDATECPU_DIALOG"), 1010),
                                        {card("Screen 1") + ", " + card("Screen 2"), "W6"})}));
  EXPECT_TRUE(first.Payloads().empty() && second.Payloads().empty());

  press = kIdcMessageOk;
  pane_.OnUpdateFirmware();
  for (const emu::Card* card : {&first, &second}) {
    ASSERT_EQ(card->Payloads().size(), 1u);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(card->Payloads()[0].data()),
                         static_cast<qsizetype>(card->Payloads()[0].size())),
              bytes);
  }
  EXPECT_EQ(
      QStringList({Status(0), Status(1), Status(2)}),
      QStringList({Text(1021), Text(1021), Text(1024) + GetSendErrorText(KQ_ERR_NOT_SERVED)}));
  EXPECT_TRUE(Button(IDC_SEND_FIRMWARE)->isEnabled());

  // Bytes that name no card model are refused, naming the file, and go to no card.
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("\x9c\x3e\x07\xff" + bytes) > 0);
  file.close();
  boxes.clear();
  pane_.OnUpdateFirmware();
  EXPECT_EQ(boxes, QStringList({FormatLangText(
                       ReadLangText(QStringLiteral("IDD_UPDATECPU_DIALOG"), 1009), {"W6.cpu"})}));
  EXPECT_EQ(first.Payloads().size(), 1u);
  EXPECT_EQ(second.Payloads().size(), 1u);
}

TEST_F(SendPane, GroupsChooseTheirScreensOnce) {
  for (std::int32_t number : {1, 2, 3}) Screen(number, kSendByUsbDisk);
  pane_.FillGroupList();
  EXPECT_EQ(pane_.Screens().GetItemCount(), 3);

  // Default names count the groups; after a delete the next name may repeat.
  QStringList proposed;
  answer_ = [&](QDialog& dialog) {
    auto& add = dynamic_cast<CAddGroupDialog&>(dialog);
    proposed << add.NameEdit().text();
    EXPECT_EQ(add.windowTitle(), ReadLangText("IDD_ADDGROUP_DIALOG", 1001));
    EXPECT_EQ(add.findChild<QLabel*>()->text(), ReadLangText("IDD_ADDGROUP_DIALOG", 1000));
    add.show();
    SaveScreenshot(add, QStringLiteral("send_pane_add_group"));
    if (proposed.size() == 3) {  // the edit holds 64 characters
      add.NameEdit().clear();
      QTest::keyClicks(&add.NameEdit(), QString(65, u'g'));
    }
    static_cast<QPushButton*>(add.findChildren<QPushButton*>().first())->click();
    return dialog.result();
  };
  pane_.OnAddGroup();
  pane_.OnAddGroup();
  EXPECT_EQ(pane_.GroupList().currentRow(), 2);
  EXPECT_EQ(pane_.Screens().GetItemCount(), 0);
  pane_.OnSend();  // an empty group sends nothing
  pane_.GroupList().setCurrentRow(0);
  pane_.OnDeleteGroup();  // "all screens" is no group
  EXPECT_EQ(ScreenGroupList.size(), 2u);
  pane_.GroupList().setCurrentRow(1);
  pane_.OnDeleteGroup();
  EXPECT_EQ(pane_.GroupList().currentRow(), 0);
  EXPECT_EQ(pane_.Screens().GetItemCount(), 3);
  pane_.OnAddGroup();
  EXPECT_EQ(proposed, (QStringList{"Group 1", "Group 2", "Group 2"}));
  ASSERT_EQ(ScreenGroupList.size(), 2u);
  EXPECT_EQ(ScreenGroupList.front().GroupName, "Group 2");
  EXPECT_EQ(ScreenGroupList.back().GroupName, QString(64, u'g'));

  // The editor: ">" and "<" with no row chosen or ">" on a member change nothing, ">>"
  // takes all in order, "<<" empties.
  std::vector<std::vector<std::int32_t>> steps;
  answer_ = [&](QDialog& dialog) {
    auto& editor = dynamic_cast<CGroupSetDialog&>(dialog);
    const auto labels = editor.findChildren<QLabel*>();
    EXPECT_EQ(QStringList({editor.windowTitle(), labels.at(0)->text(), labels.at(1)->text()}),
              QStringList({ReadLangText("IDD_GROUPSET_DIALOG", 1000),
                           ReadLangText("IDD_GROUPSET_DIALOG", 1001),
                           ReadLangText("IDD_GROUPSET_DIALOG", 1002)}));
    auto press = [&](const char* name) {
      editor.findChild<QPushButton*>(QString::fromLatin1(name))->click();
      steps.push_back(ScreenGroupList.front().ScreenNos);
    };
    editor.show();
    editor.AllScreens().setCurrentRow(-1);
    press(">");
    editor.AllScreens().setCurrentRow(1);
    press(">");
    press(">");
    press(">>");
    EXPECT_EQ(editor.Members().count(), 3);
    SaveScreenshot(editor, QStringLiteral("send_pane_group_editor"));
    editor.Members().setCurrentRow(-1);
    press("<");
    editor.Members().setCurrentRow(0);
    press("<");
    press("<<");
    EXPECT_EQ(editor.Members().count(), 0);
    return int(QDialog::Accepted);
  };
  pane_.OnEditGroup();
  EXPECT_EQ(steps, (std::vector<std::vector<std::int32_t>>{
                       {}, {2}, {2}, {1, 2, 3}, {1, 2, 3}, {2, 3}, {}}));

  // A number held twice is one row; one without a screen none; a deleted screen's
  // number leaves every group in all its copies.
  ScreenGroupList.front().ScreenNos = {2, 9, 2, 3};
  ScreenGroupList.back().ScreenNos = {2};
  pane_.FillGroupList();
  pane_.GroupList().setCurrentRow(1);
  ASSERT_EQ(pane_.Screens().GetItemCount(), 2);
  EXPECT_EQ(pane_.Screens().GetItemText(0, 1), "Screen 2");
  EXPECT_EQ(pane_.Screens().GetItemText(1, 0), "2");
  pane_.GroupList().setCurrentRow(2);  // the last group
  EXPECT_EQ(pane_.Screens().GetItemCount(), 1);
  SendMessage(pane_.Handle(), UM_SCREEN_DELETED, 0, 2);
  EXPECT_EQ(ScreenGroupList.front().ScreenNos, (std::vector<std::int32_t>{9, 3}));
  EXPECT_TRUE(ScreenGroupList.back().ScreenNos.empty());
  SaveScreenshot(pane_, QStringLiteral("send_pane_group"));

  // The shared send's chooser names every screen with its colour type's text and size,
  // for every colour type there is and one past them.
  for (std::int32_t number : {4, 5}) Screen(number, kSendByUsbDisk);
  std::int32_t colour = 0;
  for (ScreenRecord& screen : ScreenList) screen.LedColor = colour++;
  QStringList items;
  answer_ = [&](QDialog& dialog) {
    auto& chooser = dynamic_cast<CLedSelectDialog&>(dialog);
    EXPECT_EQ(chooser.findChild<QLabel*>()->text(), ReadLangText("IDD_LEDSELECT_DIALOG", 1000));
    chooser.show();
    SaveScreenshot(chooser, QStringLiteral("send_pane_screen_chooser"));
    for (int i = 0; i < chooser.Screens().count(); ++i) items << chooser.Screens().itemText(i);
    return int(QDialog::Accepted);
  };
  pane_.OnSharedSend();
  ASSERT_EQ(items.size(), 5);
  for (int i = 0; i < 5; ++i) {
    const QString colourText = i < 4 ? ReadLangText("IDD_BASICSET_DIALOG", 1017 + i) : "";
    EXPECT_EQ(items[i], QStringLiteral("Screen %1 (Colour:").arg(i + 1) + colourText +
                            ",Width:64,Height:32)");
  }
}

TEST_F(SendPane, LanguageSwitchMakesTheColumnsAgain) {
  Screen(1, kSendByUsbDisk);
  pane_.FillGroupList();
  SelectLanguageFile(1);
  pane_.ApplyLanguage();
  ASSERT_EQ(pane_.Screens().columnCount(), 4);
  EXPECT_EQ(pane_.Screens().topLevelItem(0)->columnCount(), 4);  // a row has no more
  // The last column takes at least its width: it stretches to the list's edge.
  const int widths[] = {70, 100, 120, 190};
  for (int column = 0; column < 4; ++column) {
    EXPECT_EQ(pane_.Screens().headerItem()->text(column), Text(1016 + column));
    if (column < 3) {
      EXPECT_EQ(pane_.Screens().columnWidth(column), widths[column]);
    }
  }
  EXPECT_GE(pane_.Screens().columnWidth(3), widths[3]);
  EXPECT_NE(Text(1016), "No.");
  EXPECT_EQ(pane_.Screens().GetItemText(0, 1), "Screen 1");
  EXPECT_EQ(static_cast<QPushButton*>(pane_.Control(IDC_SEND_PROGRAMS))->text(), Text(1015));
  EXPECT_EQ(pane_.GroupList().item(0)->text(), Text(1020));
  EXPECT_EQ(pane_.windowTitle(), ReadLangText("IDD_QUENDRA_DIALOG", 1003));
  EXPECT_TRUE(pane_.BackButton().toolTip().contains(ReadLangText("PUBLIC", 1004)));
  EXPECT_TRUE(
      static_cast<QLabel*>(pane_.Control(IDC_SEND_SELECT_ALL))->text().contains(Text(1004)));
  EXPECT_TRUE(
      static_cast<QLabel*>(pane_.Control(IDC_SEND_SELECT_NONE))->text().contains(Text(1005)));
}

// The group dialogs take their texts when made: made again in each longer translation.
TEST_F(SendPane, GroupDialogsFitTheirTranslations) {
  Screen(1, kSendByUsbDisk);
  QWidget host;
  std::vector<std::unique_ptr<QDialog>> dialogs;
  const auto make = [&] {
    dialogs.clear();
    dialogs.push_back(std::make_unique<CAddGroupDialog>(&host, 1, 2));
    dialogs.push_back(std::make_unique<CAddGroupDialog>(&host, 0, 2, QStringLiteral("Hall")));
    dialogs.push_back(std::make_unique<CGroupSetDialog>(&host));
    dialogs.push_back(std::make_unique<CLedSelectDialog>(&host));
    for (std::size_t i = 0; i < dialogs.size(); ++i) {
      dialogs[i]->show();
      SaveScreenshot(*dialogs[i],
                     QStringLiteral("send_group_dialog_%1_language%2").arg(i).arg(LanguageIndex));
    }
  };
  EXPECT_EQ(CutTextsInTranslations(host, make, QStringLiteral("send_pane_group_dialogs")), "");
  // The rename mode: its own caption and the name it was given.
  CAddGroupDialog rename(&host, 0, 2, QStringLiteral("Hall"));
  EXPECT_EQ(std::pair(rename.windowTitle(), rename.NameEdit().text()),
            std::pair(ReadLangText("IDD_ADDGROUP_DIALOG", 1003), QStringLiteral("Hall")));
}

}  // namespace

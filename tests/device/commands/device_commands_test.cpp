// The current screen's device commands over a card that keeps its settings (the real
// library, TCP on loopback, card address 0): the brightness and timed power dialogs,
// the timed lock pane and the test dialog, with their status codes and notices.
#include <QApplication>
#include <QTimer>

#include <arpa/inet.h>
#include <termios.h>

#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/commands/brightness_dialog.h"
#include "device/commands/command_dialog_ids.h"
#include "device/commands/test_dialog.h"
#include "device/commands/time_on_off_dialog.h"
#include "device/lock/led_locker_dialog.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_text.h"
#include "tests/app/app_fixture.h"
#include "tests/support/cut_texts.h"
#include "tests/support/project_building.h"
#include "tests/support/recording_window.h"
#include "tests/support/screenshot.h"
#include "tests/support/settings_card.h"

namespace {

using testsupport::Message;
using Statuses = std::vector<Message>;

constexpr std::uint32_t kCardError = 7;

emu::CardTime At(int hour, int minute) { return {0, 0, 0, hour, minute, 0}; }

// Keeps a picture of the window and expects its texts to fit in every language.
template <typename Window>
void ExpectTextsFit(Window& window, const char* name) {
  SaveScreenshot(window, QString::fromLatin1(name));
  EXPECT_EQ(CutTextsInTranslations(
                window, [&window] { window.ApplyLanguage(); }, QString::fromLatin1(name)),
            "");
}

class FixedClock : public PlayClock {
 public:
  std::int64_t NowSeconds() const override {
    return QDateTime(QDate(2026, 12, 9), QTime(10, 25)).toSecsSinceEpoch();
  }
  std::uint32_t TickMs() const override { return 0; }
};

class DeviceCommands : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    ClearProjectModel();
    MainWindowHandle = mainWindow.Handle();
    ASSERT_TRUE(server.Listening());
    ScreenRecord& screen = testsupport::AddScreen(128, 32);
    screen.LedNo = 1;
    screen.LedIp = ntohl(inet_addr(server.Address().c_str()));
    CurrentScreenNo = 1;
  }
  void TearDown() override {
    MainWindowHandle = nullptr;
    ClearProjectModel();
    AppTest::TearDown();
  }
  ScreenRecord& Screen() { return ScreenList.front(); }
  AskUser Ask() {
    return [this](const QString& text, int) {
      asked << text;
      return 1;
    };
  }
  Statuses StatusCodes() {
    Statuses codes;
    for (const Message& m : mainWindow.Take()) {
      if (m.msg == UM_STATUS_CODE) codes.push_back(m);
    }
    return codes;
  }
  emu::SettingsCommand Last() {
    const auto sent = settingsCard.SettingsCommands();
    return sent.empty() ? emu::SettingsCommand{} : sent.back();
  }
  std::size_t Sent() const { return settingsCard.SettingsCommands().size(); }
  static void SetSlot(const ScheduleSlotRow& row, QTime start, QTime end) {
    if (!row.check->isChecked()) row.check->click();
    row.start->setTime(start);
    row.end->setTime(end);
  }

  testsupport::RecordingWindow mainWindow;
  emu::Card card{1};
  emu::TcpCard server{card};
  emu::SettingsCard settingsCard{card, emu::CardState{}};
  QStringList asked;
};

TEST_F(DeviceCommands, BrightnessIsSentFixedOrByTime) {
  // Stored levels load within 0-15; one past them loads as 0.
  Screen().TimeBrightness.BrightnessValue1 = 15, Screen().TimeBrightness.BrightnessValue2 = 16;
  CTimeBrightnessSetDialog dialog(Screen(), nullptr, Ask());
  EXPECT_TRUE(dialog.ManualRadio().isChecked() && dialog.LevelSlider().isEnabled());
  EXPECT_EQ(
      std::tuple(dialog.SlotRow(0).level->currentIndex(), dialog.SlotRow(1).level->currentIndex()),
      std::tuple(15, 0));
  dialog.ManualRadio().click();
  for (const auto& [set, level] : {std::pair{-1, 0}, {16, 15}, {9, 9}}) {  // levels 0-15
    dialog.LevelSlider().setValue(set);
    EXPECT_EQ(dialog.LevelSlider().value(), level);
    dialog.OnSend();
    EXPECT_EQ(StatusCodes(), (Statuses{{UM_STATUS_CODE, 27, 0}, {UM_STATUS_CODE, 28, 0}}));
    EXPECT_EQ(Last().brightness, level) << set;
  }
  EXPECT_FALSE(Last().brightnessSchedule);
  EXPECT_EQ(Screen().BrightnessValue, 9);

  dialog.ByTimeRadio().click();
  EXPECT_FALSE(dialog.LevelSlider().isEnabled());
  // Levels 0 to 15; the darkest and the brightest carry their words.
  const QComboBox& levels = *dialog.SlotRow(2).level;
  ASSERT_EQ(levels.count(), 16);
  const auto word = [](int key) {
    return ReadLangText(QStringLiteral("IDD_TIMEBRIGHTNESSSET_DIALOG"), key);
  };
  EXPECT_EQ(std::tuple(dialog.ByTimeRadio().text(), dialog.ManualRadio().text()),
            std::tuple(word(1000), word(1001)));
  for (int slot = 0; slot < kScheduleSlots; ++slot) {  // keys 1005-1007
    EXPECT_EQ(dialog.SlotRow(slot).check->text(), word(1005 + slot));
  }
  for (int level = 0; level < 16; ++level) {
    const QString text = level == 0    ? "0(" + word(1009) + ")"
                         : level == 15 ? "15(" + word(1008) + ")"
                                       : QString::number(level);
    EXPECT_EQ(levels.itemText(level), text) << level;
  }
  for (int i = 0; i < kScheduleSlots; ++i) {
    SetSlot(dialog.SlotRow(i), QTime(6 + i, 5 * i), QTime(6 + i, 5 * i + 1));  // a minute
    dialog.SlotRow(i).level->setCurrentIndex(3 * i + 1);
    emit dialog.SlotRow(i).level->activated(3 * i + 1);
  }
  ExpectTextsFit(dialog, "brightness_dialog");
  dialog.OnSend();
  EXPECT_EQ(StatusCodes(), (Statuses{{UM_STATUS_CODE, 43, 0}, {UM_STATUS_CODE, 44, 0}}));
  const emu::SettingsCommand schedule = Last();
  EXPECT_TRUE(schedule.brightnessSchedule);
  EXPECT_EQ(schedule.brightnessEnable, 7);
  for (int i = 0; i < kScheduleSlots; ++i) {
    EXPECT_EQ(schedule.brightnessStart[i], At(6 + i, 5 * i));
    EXPECT_EQ(schedule.brightnessEnd[i], At(6 + i, 5 * i + 1));
    EXPECT_EQ(schedule.brightnessLevel[i], 3 * i + 1);
  }
  EXPECT_EQ(Screen().TimeBrightness.BrightnessValue3, 7);
  EXPECT_TRUE(dialog.SendButton().isEnabled());

  // An enabled empty slot holds the send back; once unchecked it no longer does.
  const std::size_t sent = Sent();
  SetSlot(dialog.SlotRow(1), QTime(8, 0), QTime(8, 0));
  dialog.OnSend();
  EXPECT_EQ(asked.size(), 1);
  EXPECT_EQ(Sent(), sent);
  dialog.SlotRow(1).check->click();
  EXPECT_FALSE(dialog.SlotRow(1).start->isEnabled() || dialog.SlotRow(1).level->isEnabled());
  dialog.OnSend();
  EXPECT_EQ(Last().brightnessEnable, 5);

  dialog.LevelSlider().setValue(11);
  dialog.OnCancelSchedule();
  EXPECT_EQ(Last().brightnessEnable, 0);
  EXPECT_EQ(std::tie(Screen().TimeBrightness.TimeFlag1, Screen().BrightnessValue),
            std::tuple(0, 11));
  EXPECT_TRUE(dialog.SendButton().isEnabled() && dialog.CancelScheduleButton().isEnabled());
  dialog.ManualRadio().click();
  StatusCodes();
  dialog.OnCancelSchedule();  // nothing to send in manual mode
  EXPECT_TRUE(StatusCodes().empty());
  EXPECT_TRUE(dialog.SendButton().isEnabled() && dialog.CancelScheduleButton().isEnabled());

  card.ReactAlways({emu::Reaction::kAck, kCardError});
  dialog.OnSend();
  EXPECT_EQ(StatusCodes(), (Statuses{{UM_STATUS_CODE, 27, 0}, {UM_STATUS_CODE, 29, 7}}));
  dialog.ByTimeRadio().click();
  dialog.OnSend();
  EXPECT_EQ(StatusCodes(), (Statuses{{UM_STATUS_CODE, 43, 0}, {UM_STATUS_CODE, 45, 7}}));

  dialog.LevelSlider().setValue(4);
  dialog.reject();
  EXPECT_EQ(Screen().BrightnessValue, 4);
}

TEST_F(DeviceCommands, ThePowerScheduleIsSentOrCancelled) {
  CTimeOnOffDialog dialog(nullptr, Ask());
  // A stored hour of 24 or minute of 60 is no time of day: that part loads as 0.
  PowerSchedule& stored = Screen().TimeOnOff;
  stored.StartHour1 = 23, stored.StartMinute1 = 59, stored.EndHour1 = 24, stored.EndMinute1 = 30;
  stored.StartHour2 = 5, stored.StartMinute2 = 60;
  dialog.LoadFromScreen(Screen());
  EXPECT_EQ(std::tuple(dialog.SlotRow(0).start->time(), dialog.SlotRow(0).end->time(),
                       dialog.SlotRow(1).start->time()),
            std::tuple(QTime(23, 59), QTime(0, 30), QTime(5, 0)));
  EXPECT_FALSE(dialog.SlotRow(0).check->isEnabled());
  for (int slot = 0; slot < kScheduleSlots; ++slot) {  // keys 1005-1007
    EXPECT_EQ(dialog.SlotRow(slot).check->text(),
              ReadLangText(QStringLiteral("IDD_TIMEONOFF_DIALOG"), 1005 + slot));
  }
  dialog.ScheduleOnRadio().click();
  for (int i = 0; i < kScheduleSlots; ++i) {
    SetSlot(dialog.SlotRow(i), QTime(7, 10 * i), QTime(22 - i, 45));
  }
  ExpectTextsFit(dialog, "time_on_off_dialog");
  dialog.OnSend();
  EXPECT_EQ(StatusCodes(), (Statuses{{UM_STATUS_CODE, 24, 0}, {UM_STATUS_CODE, 25, 0}}));
  EXPECT_EQ(Last().mask, 0x040);
  EXPECT_EQ(Last().powerEnable, 7);
  for (int i = 0; i < kScheduleSlots; ++i) {
    EXPECT_EQ(Last().powerOn[i], At(7, 10 * i));
    EXPECT_EQ(Last().powerOff[i], At(22 - i, 45));
  }

  // An unchecked slot with equal times does not block; a checked one does.
  dialog.SlotRow(2).check->click();
  dialog.SlotRow(2).end->setTime(QTime(7, 20));
  dialog.OnSend();
  EXPECT_EQ(Last().powerEnable, 3);
  EXPECT_TRUE(asked.isEmpty());
  const std::size_t sent = Sent();
  dialog.SlotRow(2).check->click();
  dialog.OnSend();
  EXPECT_EQ(asked.size(), 1);
  EXPECT_EQ(Sent(), sent);

  dialog.ScheduleOffRadio().click();
  StatusCodes();
  dialog.OnSend();
  EXPECT_EQ(Last().powerEnable, 0);
  for (int i = 0; i < kScheduleSlots; ++i) EXPECT_EQ(Last().powerOn[i], emu::CardTime{});

  card.ReactAlways({emu::Reaction::kAck, kCardError});
  dialog.OnSend();
  EXPECT_EQ(StatusCodes(), (Statuses{{UM_STATUS_CODE, 24, 0},
                                     {UM_STATUS_CODE, 25, 0},
                                     {UM_STATUS_CODE, 24, 0},
                                     {UM_STATUS_CODE, 26, 7}}));

  // The dialog sends over the loaded screen's whole link: a serial line's port and rate.
  emu::Card lineCard;
  emu::SerialCard line(lineCard, 57);
  ASSERT_TRUE(line.Ready());
  Screen().SendType = kSendBySerialLine, Screen().Commport = 57, Screen().Bps = 57600;
  dialog.LoadFromScreen(Screen());
  dialog.OnSend();
  EXPECT_EQ(lineCard.Frames().size(), 1u);
  EXPECT_EQ(line.LineSpeed(), static_cast<unsigned>(B57600));
}

TEST_F(DeviceCommands, TheLockPaneLocksAndUnlocksTheCard) {
  const FixedClock clock;
  CLedLockerDialog pane(nullptr, clock, Ask());
  pane.resize(980, 637);
  EXPECT_EQ(pane.DatePicker().date(), QDate(2026, 12, 9));
  EXPECT_TRUE(pane.DatePicker().calendarPopup());  // the date drops down a calendar
  EXPECT_EQ(pane.TimePicker().time(), QTime(10, 25));
  pane.LoadLockTime();  // never locked: the pickers stay
  EXPECT_EQ(pane.DatePicker().date(), QDate(2026, 12, 9));
  pane.show();
  ExpectTextsFit(pane, "led_locker_pane");

  pane.DatePicker().setDate(QDate(2027, 3, 4));
  pane.TimePicker().setTime(QTime(23, 59));
  pane.OnLock();
  EXPECT_EQ(StatusCodes(), (Statuses{{UM_STATUS_CODE, 34, 0}, {UM_STATUS_CODE, 35, 0}}));
  EXPECT_EQ(Last().mask, 0x100);
  EXPECT_EQ(Last().lockOn, 1);
  EXPECT_EQ(Last().lockAt, (emu::CardTime{2027, 3, 4, 23, 59, 0}));
  const ScreenRecord& screen = Screen();
  EXPECT_EQ(std::vector<int>({screen.Year, screen.Month, screen.Day, screen.Hour, screen.Minute,
                              screen.LockState}),
            std::vector<int>({2027, 3, 4, 23, 59, 2}));

  card.ReactAlways({emu::Reaction::kAck, kCardError});
  pane.DatePicker().setDate(QDate(2028, 1, 1));
  pane.TimePicker().setTime(QTime(0, 0));
  pane.OnLock();
  pane.OnUnlock();
  EXPECT_EQ(StatusCodes(), (Statuses{{UM_STATUS_CODE, 34, 0},
                                     {UM_STATUS_CODE, 36, 7},
                                     {UM_STATUS_CODE, 37, 0},
                                     {UM_STATUS_CODE, 39, 7}}));
  EXPECT_EQ(screen.Year, 2027);
  EXPECT_EQ(screen.LockState, 2);
  pane.LoadLockTime();
  EXPECT_EQ(std::tuple(pane.DatePicker().date(), pane.TimePicker().time()),
            std::tuple(QDate(2027, 3, 4), QTime(23, 59)));
  // A stored hour outside 0-23 or minute outside 0-59 loads the lock time as 00:00.
  const struct {
    int hour, minute;
    QTime shown;
  } stored[] = {{24, 59, QTime(0, 0)}, {23, 60, QTime(0, 0)}, {-1, 30, QTime(0, 0)},
                {7, -1, QTime(0, 0)},  {5, 0, QTime(5, 0)},   {0, 59, QTime(0, 59)}};
  for (const auto& [hour, minute, shown] : stored) {
    pane.TimePicker().setTime(QTime(12, 0));
    Screen().Hour = hour, Screen().Minute = minute;
    pane.LoadLockTime();
    EXPECT_EQ(pane.TimePicker().time(), shown) << hour << ':' << minute;
  }

  card.ReactAlways({emu::Reaction::kAck, 0});
  pane.OnUnlock();
  EXPECT_EQ(StatusCodes(), (Statuses{{UM_STATUS_CODE, 37, 0}, {UM_STATUS_CODE, 38, 0}}));
  EXPECT_EQ(Last().lockOn, 0);
  EXPECT_EQ(screen.LockState, 1);

  // A USB-disk screen succeeds without traffic; the notice only in language 1.
  Screen().SendType = kSendByUsbDisk;
  const std::size_t frames = card.Frames().size();
  pane.OnUnlock();
  EXPECT_TRUE(asked.isEmpty());
  SelectLanguageFile(1);
  pane.OnLock();
  EXPECT_EQ(asked, QStringList{ReadLangText(QStringLiteral("IDD_LOGOSET_DIALOG"), 1008)});
  EXPECT_EQ(card.Frames().size(), frames);

  StatusCodes();
  CurrentScreenNo = 2;  // no such screen: nothing loads or is sent
  const QDate shown = pane.DatePicker().date();
  pane.LoadLockTime();
  pane.OnLock();
  pane.OnUnlock();
  EXPECT_TRUE(StatusCodes().empty());
  EXPECT_EQ(pane.DatePicker().date(), shown);
}

TEST_F(DeviceCommands, TheTestDialogSendsPatternsAndStopsOnClosing) {
  CTestDialog dialog(nullptr);
  dialog.SetCommInfo(Screen());
  ExpectTextsFit(dialog, "test_dialog");
  dialog.reject();  // no test: nothing sent
  EXPECT_EQ(Sent(), 0U);
  // Red, green, yellow, the two diagonals, grid, crossing lines, then the stop.
  const int patterns[kTestPatternButtons] = {5, 6, 7, 1, 2, 3, 4, 0};
  for (int i = 0; i < kTestPatternButtons; ++i) {
    dialog.PatternButton(i).click();
    EXPECT_EQ(Last().mask, 0x400);
    EXPECT_EQ(Last().test, patterns[i]) << i;
    EXPECT_EQ(dialog.PatternButton(i).text(),
              ReadLangText(QStringLiteral("IDD_TEST_DIALOG"), 1001 + i));
  }
  EXPECT_EQ(dialog.windowTitle(), ReadLangText(QStringLiteral("IDD_TEST_DIALOG"), 1000));
  EXPECT_EQ(StatusCodes().size(), 16U);
  EXPECT_FALSE(dialog.Testing());

  dialog.PatternButton(3).click();  // pattern 1, the lowest test
  card.ReactAlways({emu::Reaction::kAck, kCardError});
  dialog.PatternButton(7).click();  // the stop fails: still testing
  EXPECT_TRUE(dialog.Testing());
  card.ReactAlways({emu::Reaction::kAck, 0});
  const std::size_t sent = Sent();
  dialog.reject();
  EXPECT_EQ(Sent(), sent + 1);
  EXPECT_EQ(Last().test, 0);
  EXPECT_FALSE(dialog.Testing());
}

}  // namespace

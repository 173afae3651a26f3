// The main window's rows for the current screen's device commands: the brightness,
// timed power and test dialogs from the Commands menu, and the timed lock pane behind
// the administrator's access code.
#include <QApplication>
#include <QTimer>

#include <arpa/inet.h>

#include "controls/shell/main_window_ids.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/commands/brightness_dialog.h"
#include "device/commands/test_dialog.h"
#include "device/commands/time_on_off_dialog.h"
#include "device/lock/led_locker_dialog.h"
#include "model/project/clear_project.h"
#include "model/project/project_globals.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/support/settings_card.h"

namespace {

class CommandRows : public apptest::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    window_ = std::make_unique<CQuendraDlg>(Hooks());
    window_->show();
    ClearProject(window_->ProjectPage());
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedNo = 7;
    screen.LedIp = ntohl(inet_addr(server.Address().c_str()));
    window_->ProjectPage().BuildTreeFromModel();
    CurrentScreenNo = 7;
  }
  void TearDown() override {
    window_.reset();
    MainWindowTest::TearDown();
  }
  void Command(WPARAM id) { SendMessage(window_->Handle(), WM_COMMAND, id, 0); }
  // Runs the command; `act` gets the modal dialog it opens (null for none).
  template <typename Dialog>
  void WithDialog(WPARAM command, const std::function<void(Dialog*)>& act) {
    bool acted = false;
    QTimer::singleShot(0, [&] {
      acted = true;
      auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
      act(dialog);
      if (dialog != nullptr) dialog->reject();
    });
    Command(command);
    if (!acted) QApplication::processEvents();
    EXPECT_TRUE(acted);
  }
  ScreenRecord& Screen() { return ScreenList.front(); }

  emu::Card card{0};
  emu::TcpCard server{card};
  emu::SettingsCard settingsCard{card, emu::CardState{}};
  std::unique_ptr<CQuendraDlg> window_;
};

TEST_F(CommandRows, TheDialogsWorkOnTheCurrentScreen) {
  Screen().BrightnessValue = 15;  // the brightest
  WithDialog<CTimeBrightnessSetDialog>(ID_COMMANDS_BRIGHTNESS, [](auto* dialog) {
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->LevelSlider().value(), 15);
    dialog->LevelSlider().setValue(12);
  });
  EXPECT_EQ(Screen().BrightnessValue, 12);

  // The power schedule is kept from the dialog even when it closes without a send.
  Screen().TimeOnOff.TimeFlag1 = 1;
  Screen().TimeOnOff.StartHour1 = 6;
  WithDialog<CTimeOnOffDialog>(ID_COMMANDS_TIMED_ON_OFF, [](auto* dialog) {
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->SlotRow(0).check->isChecked());
    EXPECT_EQ(dialog->SlotRow(0).start->time(), QTime(6, 0));
    dialog->ScheduleOnRadio().click();
    dialog->SlotRow(1).check->click();
    dialog->SlotRow(1).end->setTime(QTime(23, 15));
  });
  const PowerSchedule& power = Screen().TimeOnOff;
  EXPECT_EQ(Screen().IsTimeOnOff, 1);
  EXPECT_EQ(std::vector<int>({power.TimeFlag1, power.TimeFlag2, power.TimeFlag3, power.StartHour1,
                              power.EndHour2, power.EndMinute2}),
            std::vector<int>({1, 1, 0, 6, 23, 15}));
  EXPECT_TRUE(settingsCard.SettingsCommands().empty());

  WithDialog<CTestDialog>(ID_COMMANDS_TEST, [](auto* dialog) {
    ASSERT_NE(dialog, nullptr);
    dialog->PatternButton(0).click();
  });
  const auto sent = settingsCard.SettingsCommands();
  ASSERT_EQ(sent.size(), 2U);  // red, then the stop as the dialog closed
  EXPECT_EQ(sent[0].test, 5);
  EXPECT_EQ(sent[1].test, 0);

  // No test dialog for a screen without a link, nor any dialog without a screen.
  Screen().SendType = kSendByUsbDisk;
  WithDialog<QDialog>(ID_COMMANDS_TEST, [](auto* dialog) { EXPECT_EQ(dialog, nullptr); });
  CurrentScreenNo = 99;
  for (const WPARAM command : {ID_COMMANDS_BRIGHTNESS, ID_COMMANDS_TIMED_ON_OFF}) {
    WithDialog<QDialog>(command, [](auto* dialog) { EXPECT_EQ(dialog, nullptr); });
  }
}

TEST_F(CommandRows, TheAdministratorsCodeLeadsToTheLockPaneWithTheStoredLock) {
  Screen().Year = 2027, Screen().Month = 5, Screen().Day = 6;
  Screen().Hour = 21, Screen().Minute = 40;
  Command(ID_SETTINGS_ADMINISTRATOR);
  SendMessage(window_->Handle(), UM_PANE_BACK, kAccessCodePane, 2);
  EXPECT_EQ(CurrentPaneIndex, kLockerPane);
  auto& pane = static_cast<CLedLockerDialog&>(window_->Pane(kLockerPane));
  EXPECT_TRUE(pane.isVisible());
  EXPECT_EQ(pane.DatePicker().date(), QDate(2027, 5, 6));
  EXPECT_EQ(pane.TimePicker().time(), QTime(21, 40));
  pane.LockButton().click();
  EXPECT_EQ(settingsCard.SettingsCommands().back().lockAt, (emu::CardTime{2027, 5, 6, 21, 40, 0}));
  EXPECT_EQ(Screen().LockState, 2);
}

}  // namespace

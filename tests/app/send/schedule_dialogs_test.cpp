// The send pane's brightness and power schedule dialogs: their first runs and what
// they remember in "setting.cfg", their checks, their callouts, and what the pane
// sends to the cards after each choice.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QBitmap>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include <cstring>
#include <functional>
#include <vector>

#include "app/builder/send_error_text.h"
#include "app/send/brightness_send_dialog.h"
#include "app/send/send_dialog.h"
#include "app/send/time_on_off_dialog.h"
#include "controls/dialogs/style_message_dialog.h"
#include "model/common/app_dir.h"
#include "model/common/bounded_text.h"
#include "model/project/clear_project.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_text.h"
#include "model/settings/settings_file.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "tests/app/app_fixture.h"
#include "tests/support/card_emulator.h"
#include "tests/support/card_settings_codec.h"
#include "tests/support/cut_texts.h"
#include "tests/support/screenshot.h"

namespace {

using Brightness = CSetBrightnessSendDlg;
using Power = CTimeOnOffLedSetDialog;

constexpr int kCom = 58;
const QString kCfg = QStringLiteral("setting.cfg");

class NoTree : public ProjectTreeItems {
  void DeleteAllItems() override {}
};

class ScheduleDialogs : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    // Every refusal is recorded and closed with its OK button.
    QObject::connect(&closer_, &QTimer::timeout, [this] {
      auto* box = dynamic_cast<CStyleMessageDialog*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      refusals_ += 1;
      qobject_cast<QPushButton*>(FindControl(box, kIdcMessageOk))->click();
    });
    closer_.start(5);
  }
  void TearDown() override {
    closer_.stop();
    ClearProjectModel();
    AppTest::TearDown();
  }
  static void WriteCfg(const char* text) {
    QFile file(GetAppDir() + kCfg);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  static int Stored(const char* section, const char* key) {
    return ReadIniInt(QLatin1StringView(section), QLatin1StringView(key), kCfg);
  }

  QTimer closer_;
  int refusals_ = 0;
};

// The slots' times and levels as "06:00-11:00/15" texts, and their checks.
QStringList Slots(Brightness& dialog) {
  QStringList shown;
  for (int s = 0; s < Brightness::kSlotCount; ++s) {
    shown << dialog.SlotStart(s).time().toString("HH:mm") + "-" +
                 dialog.SlotEnd(s).time().toString("HH:mm") + "/" +
                 QString::number(dialog.SlotLevel(s).currentIndex()) +
                 (dialog.SlotCheck(s).isChecked() ? "+" : "");
  }
  return shown;
}
QStringList Slots(Power& dialog) {
  QStringList shown;
  for (int s = 0; s < Power::kSlotCount; ++s) {
    shown << dialog.SlotOn(s).time().toString("HH:mm") + "-" +
                 dialog.SlotOff(s).time().toString("HH:mm") +
                 (dialog.SlotCheck(s).isChecked() ? "+" : "");
  }
  return shown;
}

TEST_F(ScheduleDialogs, FirstRunsAndDamagedSettingsOpenWithTheDefaults) {
  const QStringList brightnessDefaults{"06:00-11:00/15", "12:00-16:00/15", "17:00-21:00/15"};
  const QStringList powerDefaults{"00:00-00:00", "00:00-00:00", "00:00-00:00"};
  for (const char* cfg : {"[CONFIG]\nLanguage=2\n",
                          "[BRIGHTNESS]\nRadioTime=2\nStartTime1Hour=24\nEndTime2Minute=60\n"
                          "BrightnessData3=16\nManullyBrightnessData=-1\nCheckTime1=2\n"
                          "[ONOFF_TIMEINFO]\nTimeRadio=2\nONTime1Hour=24\nCheckTime2=x\n"}) {
    WriteCfg(cfg);
    TimeBrightnessInfo brightnessSchedule{};
    Brightness brightness(brightnessSchedule);
    EXPECT_TRUE(brightness.ModeRadio(Brightness::kTimed).isChecked());
    EXPECT_EQ(brightness.LevelSlider().value(), 15);
    EXPECT_FALSE(brightness.LevelSlider().isEnabled() ||
                 FindControl(&brightness, 1372)->isEnabled() ||
                 FindControl(&brightness, 1373)->isEnabled());
    EXPECT_EQ(Slots(brightness), brightnessDefaults);
    EXPECT_FALSE(brightness.SlotStart(0).isEnabled());
    EXPECT_TRUE(brightness.Button(Brightness::kCancelBrightnessId).isVisibleTo(&brightness));
    EXPECT_EQ(brightness.Button(Brightness::kSetId).geometry(), QRect(210, 224, 75, 23));
    EXPECT_EQ(brightness.SlotLevel(0).itemText(0), "0(dark)");
    EXPECT_EQ(brightness.SlotLevel(0).itemText(15), "15(bright)");

    TimeOnOffInfo powerSchedule{};
    Power power(powerSchedule);
    EXPECT_TRUE(power.ChoiceRadio(Power::kSetTiming).isChecked());
    EXPECT_EQ(Slots(power), powerDefaults);

    // Every control's text: pairs of control id and key (-1000: PUBLIC's key 1000 + 1).
    const auto expectTexts = [](QDialog& dialog, const QString& section,
                                const std::vector<int>& keys) {
      for (std::size_t i = 0; i + 1 < keys.size(); i += 2) {
        QWidget* control = FindControl(&dialog, keys[i]);
        const auto* label = qobject_cast<QLabel*>(control);
        const auto* button = qobject_cast<QAbstractButton*>(control);
        ASSERT_TRUE(label != nullptr || button != nullptr) << keys[i];
        const int key = keys[i + 1];
        EXPECT_EQ(label != nullptr ? label->text() : button->text(),
                  key < 0 ? ReadLangText("PUBLIC", -key) : ReadLangText(section, key))
            << keys[i];
      }
    };
    expectTexts(brightness, "IDD_TIMEBRIGHTNESSSET_DIALOG",
                {1352, 1000, 1353, 1001, 1369, 1002, 1370, 1003, 1371, 1004, 1357, 1005, 1360,
                 1006, 1363, 1007, 1373, 1008, 1372, 1009, 1354, 1010, 1355, 1011, 1356, -1001});
    expectTexts(power, "IDD_TIMEONOFF_DIALOG",
                {1373, 1001, 1374, 1002, 1541, 1003, 1542, 1004, 1096, 1005, 1097, 1006, 1098, 1007,
                 1, -1000, 2, -1001});
  }
}

TEST_F(ScheduleDialogs, BrightnessSetStoresFirstThenRefusesBadSlots) {
  TimeBrightnessInfo schedule{};
  Brightness dialog(schedule);
  dialog.show();
  dialog.SlotCheck(1).click();
  dialog.SlotEnd(1).setTime(QTime(12, 0));    // equal to its start
  dialog.SlotStart(2).setTime(QTime(23, 0));  // after its end, but off
  dialog.SlotStart(0).setTime(QTime(0, 0));   // the first hour and level kept
  dialog.SlotLevel(0).setCurrentIndex(0);
  dialog.OnSet();
  EXPECT_EQ(refusals_, 1);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(Stored("BRIGHTNESS", "CheckTime2"), 1);
  EXPECT_EQ(Stored("BRIGHTNESS", "EndTime2Hour"), 12);
  EXPECT_EQ(Stored("BRIGHTNESS", "StartTime3Hour"), 23);

  dialog.SlotEnd(1).setTime(QTime(11, 59));  // before its start
  dialog.OnSet();
  EXPECT_EQ(refusals_, 2);
  dialog.SlotEnd(1).setTime(QTime(12, 59));
  dialog.SlotLevel(1).setCurrentIndex(4);
  dialog.OnSet();
  EXPECT_EQ(refusals_, 2);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.ChosenAction(), Brightness::kSet);
  EXPECT_EQ(dialog.ChosenMode(), Brightness::kTimed);
  const TimeBrightnessInfo expected{{0, 1, 0},    {0, 12, 23}, {0, 0, 0},
                                    {11, 12, 21}, {0, 59, 0},  {0, 4, 15}};
  EXPECT_EQ(std::memcmp(&schedule, &expected, sizeof schedule), 0);

  // The next run opens with them; manual mode moves Set and hides Cancel brightness.
  TimeBrightnessInfo unused{};
  Brightness next(unused);
  EXPECT_EQ(Slots(next), (QStringList{"00:00-11:00/0", "12:00-12:59/4+", "23:00-21:00/15"}));
  next.ModeRadio(Brightness::kManual).click();
  EXPECT_FALSE(next.SlotCheck(1).isEnabled() || next.SlotStart(1).isEnabled());
  EXPECT_EQ(next.Button(Brightness::kSetId).geometry(), QRect(300, 224, 75, 23));
  EXPECT_FALSE(next.Button(Brightness::kCancelBrightnessId).isVisibleTo(&next));
  next.LevelSlider().setValue(0);
  next.OnSet();  // the bad slot is not looked at in manual mode
  EXPECT_EQ(next.ChosenMode(), Brightness::kManual);
  EXPECT_EQ(next.ManualLevel(), 0);
  TimeBrightnessInfo third{};
  Brightness reopened(third);
  EXPECT_TRUE(reopened.ModeRadio(Brightness::kManual).isChecked());
  EXPECT_EQ(reopened.LevelSlider().value(), 0);
  EXPECT_EQ(reopened.Button(Brightness::kSetId).geometry(), QRect(300, 224, 75, 23));
  reopened.reject();  // Escape and the close box
  EXPECT_EQ(reopened.ChosenAction(), Brightness::kExit);
}

TEST_F(ScheduleDialogs, PowerOkChecksEvenACancelThenStores) {
  TimeOnOffInfo schedule{};
  Power dialog(schedule);
  dialog.show();
  dialog.ChoiceRadio(Power::kCancelTiming).click();
  dialog.SlotCheck(2).click();
  EXPECT_TRUE(dialog.SlotOn(2).isEnabled() && dialog.SlotOff(2).isEnabled());
  dialog.SlotOn(2).setTime(QTime(8, 30));
  dialog.SlotOff(2).setTime(QTime(8, 30));
  dialog.OnOK();
  EXPECT_EQ(refusals_, 1);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(Stored("ONOFF_TIMEINFO", "CheckTime3"), 0);  // stored only once it passes
  dialog.SlotOff(2).setTime(QTime(23, 5));
  dialog.OnOK();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.ChosenAction(), Power::kCancelTiming);
  const TimeOnOffInfo expected{{0, 0, 1}, {0, 0, 8}, {0, 0, 30}, {0, 0, 23}, {0, 0, 5}};
  EXPECT_EQ(std::memcmp(&schedule, &expected, sizeof schedule), 0);

  TimeOnOffInfo unused{};
  Power next(unused);
  EXPECT_TRUE(next.ChoiceRadio(Power::kCancelTiming).isChecked());
  EXPECT_EQ(Slots(next), (QStringList{"00:00-00:00", "00:00-00:00", "08:30-23:05+"}));
  EXPECT_TRUE(next.SlotOn(2).isEnabled());
  EXPECT_FALSE(next.SlotOn(0).isEnabled());
}

TEST_F(ScheduleDialogs, CalloutsArePaintedAndPlacedOnTheScreen) {
  const QRgb outline = qRgb(84, 166, 213), shadow = qRgb(120, 120, 120);
  TimeBrightnessInfo brightnessSchedule{};
  Brightness brightness(brightnessSchedule);
  brightness.show();
  const QImage& b = brightness.Surface();
  const int w = b.width(), h = b.height();
  EXPECT_EQ(b.pixel(w - 1, 36), outline);               // the pointer's tip
  EXPECT_EQ(b.pixel(w - 27, 30), qRgb(255, 255, 255));  // no line between face and pointer
  EXPECT_EQ(b.pixel(w - 27, 100), outline);
  EXPECT_EQ(b.pixel(w - 26, 100), shadow);
  EXPECT_EQ(b.pixel(100, h - 1), shadow);
  EXPECT_EQ(b.pixel(w - 3, 100), SeeThroughDialog::kSeeThroughColor);
  EXPECT_FALSE(brightness.mask().contains(QPoint(w - 3, 100)));
  EXPECT_TRUE(brightness.mask().contains(QPoint(w - 1, 36)));

  TimeOnOffInfo powerSchedule{};
  Power power(powerSchedule);
  power.setFixedSize(400, 231);  // odd height: the pointer's tip is at row 114
  power.show();
  const QImage& p = power.Surface();
  EXPECT_EQ(p.pixel(399, 114), outline);
  EXPECT_EQ(p.pixel(398, 100), SeeThroughDialog::kSeeThroughColor);
  EXPECT_EQ(p.pixel(373, 110), qRgb(255, 255, 255));
  EXPECT_EQ(p.pixel(200, 100), qRgb(255, 255, 255));
  EXPECT_EQ(p.pixel(200, 230), shadow);
  EXPECT_EQ(p.pixel(399, 5), SeeThroughDialog::kSeeThroughColor);

  // 100 pixels inside the main window's right edge and 254 (220) inside its bottom edge;
  // a main window at the screen's bottom left corner keeps both on the screen.
  const QRect screen(0, 0, 1280, 800);
  for (const auto& [size, right, bottom, expectedBottom] :
       {std::tuple{Brightness::kClientSize, Brightness::kRightInset, Brightness::kBottomInset, 254},
        std::tuple{Power::kClientSize, Power::kRightInset, Power::kBottomInset, 220}}) {
    EXPECT_EQ(
        SeeThroughDialog::PlaceByInsets(QRect(100, 20, 1000, 760), size, right, bottom, screen),
        QPoint(1100 - size.width() - 100, 780 - size.height() - expectedBottom));
    const QRect placed(
        SeeThroughDialog::PlaceByInsets(QRect(-40, 500, 300, 320), size, right, bottom, screen),
        size);
    EXPECT_TRUE(screen.contains(placed)) << placed.x() << "," << placed.y();
  }
}

class SchedulePane : public ScheduleDialogs {
 protected:
  void SetUp() override {
    ScheduleDialogs::SetUp();
    pane_.ApplyLanguage();
    pane_.resize(860, 520);
    pane_.show();
  }
  ScreenRecord& Screen(std::int32_t number, std::int32_t sendType, std::int32_t networkType = 0) {
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedNo = number, screen.SendType = sendType, screen.NetworkType = networkType;
    screen.Commport = kCom, screen.Bps = 115200;
    static_cast<void>(CopyBoundedText(screen.LedName, QStringLiteral("Screen %1").arg(number)));
    return screen;
  }
  void TcpScreen(std::int32_t number, const emu::TcpCard& server) {
    ScreenRecord& screen = Screen(number, kSendByNetwork);
    for (const QString& octet : QString::fromStdString(server.Address()).split('.')) {
      screen.LedIp = screen.LedIp << 8 | octet.toUInt();
    }
  }
  // Keeps a picture of the callout over the pane as it stands when shown.
  void Picture(SeeThroughDialog& dialog, const QString& name) {
    dialog.show();
    QImage picture = pane_.grab().toImage();
    QPainter painter(&picture);
    painter.setClipRegion(dialog.mask().translated(pane_.width() - dialog.width() - 30, 40));
    painter.drawPixmap(pane_.width() - dialog.width() - 30, 40, dialog.grab());
    painter.end();
    SavePicture(picture, name);
    EXPECT_EQ(ControlFaults(dialog), QStringList()) << name.toStdString();
  }

  NoTree tree_;
  std::function<int(QDialog&)> answer_;
  CSendDialog pane_{nullptr, tree_, [this](QDialog& dialog) { return answer_(dialog); }};
};

TEST_F(SchedulePane, EveryChoiceReachesEveryTcpAndSerialCard) {
  emu::Card first, second, serialCard;
  emu::TcpCard tcp1(first), tcp2(second);
  emu::SerialCard serial(serialCard, kCom);
  ASSERT_TRUE(tcp1.Listening() && tcp2.Listening() && serial.Ready());
  TcpScreen(1, tcp1);
  TcpScreen(2, tcp2);
  Screen(3, kSendBySerialLine);
  Screen(4, kSendByNetwork, 1);  // UDP
  Screen(5, kSendByUsbDisk);
  pane_.FillGroupList();

  auto brightness = [&](const std::function<void(Brightness&)>& act) {
    answer_ = [&, act](QDialog& dialog) {
      act(dynamic_cast<Brightness&>(dialog));
      return dialog.result();
    };
    static_cast<QPushButton*>(pane_.Control(IDC_SEND_BRIGHTNESS))->click();
  };
  auto power = [&](const std::function<void(Power&)>& act) {
    answer_ = [&, act](QDialog& dialog) {
      act(dynamic_cast<Power&>(dialog));
      return dialog.result();
    };
    static_cast<QPushButton*>(pane_.Control(IDC_SEND_TIMED_ON_OFF))->click();
  };
  brightness([&](Brightness& d) {
    d.ModeRadio(Brightness::kManual).click();
    d.LevelSlider().setValue(9);
    Picture(d, QStringLiteral("send_pane_brightness_manual"));
    d.Button(Brightness::kSetId).click();
  });
  brightness([&](Brightness& d) {
    d.ModeRadio(Brightness::kTimed).click();
    d.SlotCheck(0).click();
    d.SlotCheck(2).click();
    d.SlotLevel(2).setCurrentIndex(3);
    Picture(d, QStringLiteral("send_pane_brightness_timed"));
    d.Button(Brightness::kSetId).click();
  });
  brightness([](Brightness& d) { d.Button(Brightness::kCancelBrightnessId).click(); });
  brightness([](Brightness& d) { d.Button(Brightness::kExitId).click(); });
  brightness([](Brightness&) {});  // closed without a choice
  power([&](Power& d) {
    d.SlotCheck(1).click();
    d.SlotOn(1).setTime(QTime(7, 15));
    d.SlotOff(1).setTime(QTime(22, 45));
    Picture(d, QStringLiteral("send_pane_time_on_off"));
    d.OkButton().click();
  });
  power([](Power& d) {
    d.ChoiceRadio(Power::kCancelTiming).click();
    d.OkButton().click();
  });
  power([](Power& d) { d.CancelButton().click(); });
  // Both callouts take their texts when shown: shown again, closed, in each longer translation.
  QStringList cut;
  for (int language : {4, 5, 6}) {
    SelectLanguageFile(language);
    brightness([&](Brightness& d) {
      d.ModeRadio(Brightness::kTimed).click();
      Picture(d, QStringLiteral("send_pane_brightness_%1").arg(language));
      cut << CutTexts(d);
      d.Button(Brightness::kExitId).click();
    });
    power([&](Power& d) {
      Picture(d, QStringLiteral("send_pane_time_on_off_%1").arg(language));
      cut << CutTexts(d);
      d.CancelButton().click();
    });
  }
  SelectLanguageFile(2);
  EXPECT_EQ(cut.join(u'|').toStdString(), "");

  const QString notServed =
      ReadLangText(QStringLiteral("IDD_SEND_DIALOG"), 1024) + GetSendErrorText(KQ_ERR_NOT_SERVED);
  EXPECT_EQ(pane_.Screens().GetItemText(3, CSendDialog::kStatusColumn), notServed);
  EXPECT_EQ(pane_.Screens().GetItemText(4, CSendDialog::kStatusColumn), notServed);
  const emu::CardTime none{};
  for (const emu::Card* card : {&first, &second, &serialCard}) {
    const auto payloads = card->Payloads();
    ASSERT_EQ(payloads.size(), 5u);
    std::vector<emu::SettingsCommand> sent(5);
    for (std::size_t i = 0; i < 5; ++i) {
      EXPECT_EQ(emu::DecodeSettingsCommand(payloads[i], sent[i]), "");
    }
    EXPECT_EQ(sent[0].mask, 0x080);
    EXPECT_FALSE(sent[0].brightnessSchedule);
    EXPECT_EQ(sent[0].brightness, 9);

    EXPECT_EQ(sent[1].mask, 0x080);
    EXPECT_TRUE(sent[1].brightnessSchedule);
    EXPECT_EQ(sent[1].brightnessEnable, 0b101);
    EXPECT_EQ(sent[1].brightnessStart[2].hour, 17);
    EXPECT_EQ(sent[1].brightnessEnd[0].hour, 11);
    EXPECT_EQ(sent[1].brightnessLevel[2], 3);
    EXPECT_EQ(sent[1].brightnessLevel[0], 15);

    EXPECT_TRUE(sent[2].brightnessSchedule);
    EXPECT_EQ(sent[2].brightnessEnable, 0);
    EXPECT_EQ(sent[2].brightnessStart[0], none);
    EXPECT_EQ(sent[2].brightnessLevel[0], 0);

    EXPECT_EQ(sent[3].mask, 0x040);
    EXPECT_EQ(sent[3].powerEnable, 0b010);
    EXPECT_EQ(sent[3].powerOn[1].hour, 7);
    EXPECT_EQ(sent[3].powerOn[1].minute, 15);
    EXPECT_EQ(sent[3].powerOff[1].minute, 45);

    EXPECT_EQ(sent[4].mask, 0x040);
    EXPECT_EQ(sent[4].powerEnable, 0);
    EXPECT_EQ(sent[4].powerOn[1], none);
    EXPECT_EQ(sent[4].powerOff[1], none);
  }
}

}  // namespace

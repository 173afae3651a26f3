// The settings calls: each payload as the card decodes it, with the clamps, the
// schedules and the date-times.

#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <ctime>
#include <limits>

#include "sdk/device/settings_payload.h"
#include "tests/sdk/device/device_test_support.h"

using namespace sdktest;

namespace {

using emu::CardTime;

// The card's present date-time is the wall clock's, within two seconds.
void ExpectNow(const CardTime& sent) {
  std::tm parts{};
  parts.tm_year = sent.year - 1900;
  parts.tm_mon = sent.month - 1;
  parts.tm_mday = sent.day;
  parts.tm_hour = sent.hour;
  parts.tm_min = sent.minute;
  parts.tm_sec = sent.second;
  parts.tm_isdst = -1;
  EXPECT_LE(std::abs(std::difftime(std::mktime(&parts), std::time(nullptr))), 2.0);
}

TimeOnOffInfo OnlySecondPowerSlot() {
  TimeOnOffInfo schedule{};
  for (int i = 0; i < 3; ++i) {
    schedule.OnHour[i] = 6 + i;
    schedule.OnMinute[i] = 10 + i;
    schedule.OffHour[i] = 20 + i;
    schedule.OffMinute[i] = 40 + i;
  }
  schedule.SlotEnable[1] = 1;
  return schedule;
}

TimeBrightnessInfo OnlyThirdBrightnessSlot() {
  TimeBrightnessInfo schedule{};
  for (int i = 0; i < 3; ++i) {
    schedule.StartHour[i] = 1 + i;
    schedule.StartMinute[i] = 5 + i;
    schedule.EndHour[i] = 11 + i;
    schedule.EndMinute[i] = 15 + i;
    schedule.Level[i] = 18 + i;  // schedule levels pass as given
  }
  schedule.SlotEnable[2] = 7;
  return schedule;
}

using DeviceSettings = DeviceCardTest;

TEST_F(DeviceSettings, BasicOeDaAndScanSendTheirSectionsWithClamps) {
  EXPECT_EQ(KQ_SetLedBasicInfo(&info_, 4, 320, 64), 0);
  emu::SettingsCommand basic = LastSettings(15);
  EXPECT_EQ(basic.mask, 0x001);
  EXPECT_EQ(basic.width, 320);
  EXPECT_EQ(basic.height, 64);
  EXPECT_EQ(basic.colorType, 1);
  EXPECT_EQ(KQ_SetLedBasicInfo(&info_, 3, 64, 32), 0);
  EXPECT_EQ(LastSettings(15).colorType, 3);

  EXPECT_EQ(KQ_SetLedOEDA(&info_, 2, 0), 0);
  emu::SettingsCommand oeDa = LastSettings(24);
  EXPECT_EQ(oeDa.mask, 0x002);
  EXPECT_EQ(oeDa.oeDa[0], 1);
  EXPECT_EQ(oeDa.oeDa[1], 0);

  const ScanLineInfo scan{0x101, 2, 3, 6, 7};
  EXPECT_EQ(KQ_SetLedScanLine(&info_, &scan), 0);
  emu::SettingsCommand scanned = LastSettings(16);
  EXPECT_EQ(scanned.mask, 0x004);
  EXPECT_EQ(std::vector<int>(scanned.scan, scanned.scan + 5), (std::vector<int>{1, 2, 3, 6, 7}));
}

TEST_F(DeviceSettings, CustomScanLineMatchesTheRecordCallWithMaskEight) {
  std::uint8_t table[256];
  for (int i = 0; i < 256; ++i) table[i] = static_cast<std::uint8_t>(255 - i);
  EXPECT_EQ(KQ_SetLedCustomScanLine(&info_, table), 0);
  const std::vector<std::uint8_t> custom = LastPayload(0xC100, 264);
  LedSettingInfo record{};
  record.SectionMask = 0x008;
  std::memcpy(record.ScanTable, table, sizeof table);
  EXPECT_EQ(KQ_SetLedSettingInfo(&info_, &record), 0);
  EXPECT_EQ(LastPayload(0xC100, 264), custom);
  emu::SettingsCommand decoded = LastSettings(264);
  EXPECT_EQ(decoded.mask, 0x008);
  EXPECT_EQ(decoded.scanTable, std::vector<std::uint8_t>(table, table + 256));
}

TEST_F(DeviceSettings, OneByteSectionsClampTheirValues) {
  EXPECT_EQ(KQ_PowerOnOff(&info_, 7), 0);
  EXPECT_EQ(LastSettings(11).power, 1);
  EXPECT_EQ(KQ_PowerOnOff(&info_, 0), 0);
  EXPECT_EQ(LastSettings(11).power, 0);
  EXPECT_EQ(KQ_BrightnessControl(&info_, 20), 0);
  emu::SettingsCommand bright = LastSettings(56);
  EXPECT_FALSE(bright.brightnessSchedule);
  EXPECT_EQ(bright.brightness, 15);
  EXPECT_EQ(KQ_BrightnessControl(&info_, -3), 0);
  EXPECT_EQ(LastSettings(56).brightness, 0);
  EXPECT_EQ(KQ_SetLanguage(&info_, 5), 0);
  EXPECT_EQ(LastSettings(12).language, 0);
  EXPECT_EQ(KQ_SetLanguage(&info_, 1), 0);
  EXPECT_EQ(LastSettings(12).language, 1);
  EXPECT_EQ(KQ_LedTest(&info_, 0x105), 0);
  EXPECT_EQ(LastSettings(9).test, 5);
  EXPECT_EQ(KQ_SetLogo(&info_, 9, 0), 0);
  emu::SettingsCommand logo = LastSettings(12);
  EXPECT_EQ(logo.mask, 0x800);
  EXPECT_EQ(logo.logo[0], 1);
  EXPECT_EQ(logo.logo[1], 0);
}

TEST_F(DeviceSettings, SchedulesSendOnlyEnabledSlots) {
  const TimeOnOffInfo power = OnlySecondPowerSlot();
  EXPECT_EQ(KQ_TimePowerOnOff(&info_, &power), 0);
  emu::SettingsCommand timed = LastSettings(51);
  EXPECT_EQ(timed.mask, 0x040);
  EXPECT_EQ(timed.powerEnable, 0x02);
  EXPECT_EQ(timed.powerOn[1], (CardTime{0, 0, 0, 7, 11, 0}));
  EXPECT_EQ(timed.powerOff[1], (CardTime{0, 0, 0, 21, 41, 0}));
  for (int slot : {0, 2}) {
    EXPECT_EQ(timed.powerOn[slot], CardTime{});
    EXPECT_EQ(timed.powerOff[slot], CardTime{});
  }

  const TimeBrightnessInfo brightness = OnlyThirdBrightnessSlot();
  EXPECT_EQ(KQ_TimeBrightnessControl(&info_, &brightness), 0);
  emu::SettingsCommand schedule = LastSettings(56);
  EXPECT_TRUE(schedule.brightnessSchedule);
  EXPECT_EQ(schedule.brightnessEnable, 0x04);
  EXPECT_EQ(schedule.brightnessStart[2], (CardTime{0, 0, 0, 3, 7, 0}));
  EXPECT_EQ(schedule.brightnessEnd[2], (CardTime{0, 0, 0, 13, 17, 0}));
  EXPECT_EQ(schedule.brightnessLevel[2], 20);
  EXPECT_EQ(schedule.brightnessLevel[0], 0);
  EXPECT_EQ(schedule.brightnessStart[1], CardTime{});
}

TEST_F(DeviceSettings, TimeAndLockCarryThePresentTime) {
  EXPECT_EQ(KQ_AdjustTime(&info_), 0);
  emu::SettingsCommand adjusted = LastSettings(15);
  EXPECT_EQ(adjusted.mask, 0x010);
  ExpectNow(adjusted.time);

  EXPECT_EQ(KQ_TimeLocker(&info_, 2031, 12, 24, 18, 30, 5), 0);
  emu::SettingsCommand locked = LastSettings(23);
  EXPECT_EQ(locked.mask, 0x100);
  EXPECT_EQ(locked.lockOn, 1);
  ExpectNow(locked.lockPresent);
  EXPECT_EQ(locked.lockAt, (CardTime{2031, 12, 24, 18, 30, 5}));

  EXPECT_EQ(KQ_CancelLocker(&info_), 0);
  EXPECT_EQ(LastPayload(0xC100, 23),
            (std::vector<std::uint8_t>{0x00, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                       0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(DeviceSettings, RecordCallSendsItsSectionsAndClearsBitsWithoutOne) {
  LedSettingInfo record{};
  record.SectionMask = 0x0090;
  record.TimeYear = 2030;
  record.TimeMonth = 2;
  record.TimeDay = 29;  // normalised to 1 March
  record.TimeHour = 8;
  record.Brightness = 9;
  EXPECT_EQ(KQ_SetLedSettingInfo(&info_, &record), 0);
  emu::SettingsCommand sent = LastSettings(63);
  EXPECT_EQ(sent.time, (CardTime{2030, 3, 1, 8, 0, 0}));
  EXPECT_EQ(sent.brightness, 9);

  // Power, timed power, test and unknown bits carry no section here: sending them
  // would shift every later section.
  record.SectionMask = 0xF000 | 0x0400 | 0x0100 | 0x0040 | 0x0020 | 0x0010 | 0x0001;
  record.Width = 96;
  record.Height = 48;
  record.ColorType = 7;  // passed as given
  record.LockOn = 1;
  record.LockYear = 2032;
  record.LockMonth = 5;
  EXPECT_EQ(KQ_SetLedSettingInfo(&info_, &record), 0);
  sent = LastSettings(8 + 7 + 7 + 15);
  EXPECT_EQ(sent.mask, 0x0111);
  EXPECT_EQ(sent.colorType, 7);
  EXPECT_EQ(sent.lockPresent, sent.time);
  EXPECT_EQ(sent.lockAt, (CardTime{2032, 5, 0, 0, 0, 0}));

  record.SectionMask = 0x0110;
  record.TimeYear = 0;
  EXPECT_EQ(KQ_SetLedSettingInfo(&info_, &record), 0);
  sent = LastSettings(8 + 7 + 15);
  ExpectNow(sent.time);
  ExpectNow(sent.lockPresent);
}

TEST(SettingsPayload, FullSettingsWriteEveryScheduleSlot) {
  LedAllSettingInfo all{};
  all.SectionMask = 0xFFFF;
  all.Width = 128;
  all.PowerValue = 1;
  all.TestValue = 3;
  all.BrightnessMode = 1;
  all.LogoFlagB = 4;
  all.TimeOnOff = OnlySecondPowerSlot();
  all.TimeBrightness = OnlyThirdBrightnessSlot();
  emu::SettingsCommand sent;
  const std::vector<std::uint8_t> payload = BuildAllSettingsPayload(all);
  ASSERT_EQ(emu::DecodeSettingsCommand(payload, sent), "");
  EXPECT_EQ(payload.size(), 420u);
  EXPECT_EQ(sent.mask, 0x0FFF);
  EXPECT_EQ(sent.width, 128);
  EXPECT_EQ(sent.power, 1);
  EXPECT_EQ(sent.test, 3);
  EXPECT_EQ(sent.logo[1], 1);
  EXPECT_EQ(sent.powerEnable, 0x02);
  EXPECT_EQ(sent.powerOn[0], (CardTime{0, 0, 0, 6, 10, 0}));
  EXPECT_EQ(sent.powerOff[2], (CardTime{0, 0, 0, 22, 42, 0}));
  EXPECT_TRUE(sent.brightnessSchedule);
  EXPECT_EQ(sent.brightnessEnable, 0x04);
  EXPECT_EQ(sent.brightnessStart[0], (CardTime{0, 0, 0, 1, 5, 0}));
  EXPECT_EQ(sent.brightnessLevel[1], 19);

  all.BrightnessMode = 0;
  all.Brightness = 6;
  ASSERT_EQ(emu::DecodeSettingsCommand(BuildAllSettingsPayload(all), sent), "");
  EXPECT_EQ(sent.brightness, 6);
}

TEST(SettingsPayload, DateTimeFallsBackWhenItCannotBeBrokenDown) {
  const CardDateTime fallback = DateTimeAt(std::numeric_limits<std::time_t>::max());
  EXPECT_EQ(fallback.year, 0);
  EXPECT_EQ(fallback.month, 0);
  EXPECT_EQ(fallback.day, 0);
  EXPECT_EQ(fallback.hour, 0xFF);
  EXPECT_EQ(fallback.minute, 0xFF);
  EXPECT_EQ(fallback.second, 0xFF);
  // A record date-time that does not normalise into the card's range sends now.
  const CardDateTime now = PresentDateTime();
  EXPECT_EQ(RecordDateTime(70000, 1, 1, 0, 0, 0).year, now.year);
  EXPECT_EQ(RecordDateTime(1800, 1, 1, 0, 0, 0).year, now.year);
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(RecordDateTime(2020, kMin, kMin, kMin, kMin, kMin).year, now.year);
  EXPECT_EQ(RecordDateTime(kMax, kMax, kMax, kMax, kMax, kMax).year, now.year);
}

TEST(SettingsPayload, UsbDiskReceivesTheSettingsFile) {
  QTemporaryDir root;
  CommInfo info = MakeInfo(KQ_SEND_USB);
  CopyBoundedText(info.UsbRoot, root.path());
  ASSERT_EQ(KQ_SetLogo(&info, 1, 0), 0);
  QFile file(root.filePath(QStringLiteral("marvane/KQ-P/kq_disp_cfg.usb")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  emu::SettingsCommand sent;
  ASSERT_EQ(emu::DecodeSettingsCommand(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), sent),
            "");
  EXPECT_EQ(sent.mask, 0x800);
  EXPECT_EQ(sent.logo[0], 1);
  // Reads and communication settings have nothing to write there.
  LedSettingInfo record{};
  EXPECT_EQ(KQ_SetLedCommunicationInfo(&info, &record), 0);
}

TEST(SettingsPayload, NoLinkWritesSucceedWithoutSending) {
  CommInfo info = MakeInfo(KQ_SEND_NONE);
  const TimeOnOffInfo power{};
  EXPECT_EQ(KQ_TimePowerOnOff(&info, &power), 0);
  EXPECT_EQ(KQ_SetLogo(&info, 1, 1), 0);
  EXPECT_EQ(KQ_TimePowerOnOff(&info, nullptr), KQ_ERR_MISSING_RECORD);
  EXPECT_EQ(KQ_AdjustTime(nullptr), KQ_ERR_SEND_TYPE);
}

}  // namespace

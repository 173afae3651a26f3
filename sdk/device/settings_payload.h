#pragma once
// Payloads of the settings command (0xC100), the read command (0xA300) and the
// communication command (0xCA00): a 16-bit section mask, six zero bytes, then one
// fixed-size section per mask bit in ascending bit order, all values little-endian.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <vector>

#include "sdk/Corvanix.h"

// A date-time as the cards take it: year (16 bits), month, day, hour, minute, second.
struct CardDateTime {
  std::uint16_t year = 0;
  std::uint8_t month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The local time at `when`; when it cannot be broken down, year, month and day 0 and
// hour, minute and second 0xFF.
CardDateTime DateTimeAt(std::time_t when);
CardDateTime PresentDateTime();
// A record's date-time, normalised as local time; year 0, or a date-time that does
// not normalise to a year of 1900-65535, gives the present time.
CardDateTime RecordDateTime(std::int32_t year, std::int32_t month, std::int32_t day,
                            std::int32_t hour, std::int32_t minute, std::int32_t second);

// The values as they stand, each cut to its bytes (year 16 bits, the rest 8).
CardDateTime PlainDateTime(std::int32_t year, std::int32_t month, std::int32_t day,
                           std::int32_t hour, std::int32_t minute, std::int32_t second);

// Settings section bits.
enum : std::uint16_t {
  kSectionBasic = 0x001,
  kSectionOeDa = 0x002,
  kSectionScan = 0x004,
  kSectionScanTable = 0x008,
  kSectionTime = 0x010,
  kSectionPower = 0x020,
  kSectionTimedPower = 0x040,
  kSectionBrightness = 0x080,
  kSectionLock = 0x100,
  kSectionLanguage = 0x200,
  kSectionTest = 0x400,
  kSectionLogo = 0x800,
  kAllSettingsSections = 0xFFF,
  // The sections a single-card LedSettingInfo carries.
  kRecordSettingsSections = 0xB9F,
};

struct SlotTimes {
  std::uint8_t startHour = 0, startMinute = 0, endHour = 0, endMinute = 0;
};

// The values behind every settings section, already reduced to what goes out.
struct SettingsValues {
  std::int32_t width = 0, height = 0;
  std::uint8_t colorType = 0;
  std::uint8_t oeDa[4] = {};
  std::uint8_t scan[5] = {};  // scan bytes 0, 1, 2, 6, 7
  std::uint8_t scanTable[256] = {};
  CardDateTime time;
  std::uint8_t power = 0;
  std::uint8_t powerEnable = 0;  // bit i: slot i
  SlotTimes powerSlots[3];       // on time, off time
  bool brightnessSchedule = false;
  std::uint8_t brightness = 0;
  std::uint8_t brightnessEnable = 0;
  SlotTimes brightnessSlots[3];
  std::uint8_t brightnessLevels[3] = {};
  std::uint8_t lockOn = 0;
  CardDateTime lockPresent;
  CardDateTime lockAt;
  std::uint8_t language = 0;
  std::uint8_t test = 0;
  std::uint8_t logo[2] = {};
};

// The timed-power and brightness-schedule sections of a schedule: the enable bits,
// and the schedule' times (and levels): of every slot with allSlots, else of the
// enabled ones, the others staying zero.
void SetTimedPower(const TimeOnOffInfo& schedule, bool allSlots, SettingsValues& values);
void SetBrightnessSchedule(const TimeBrightnessInfo& schedule, bool allSlots,
                           SettingsValues& values);

// The settings payload of the sections in mask (bits without a section are cleared).
std::vector<std::uint8_t> BuildSettingsPayload(std::uint16_t mask, const SettingsValues& values);

// The values of a single-card record: passed as given, logo flags 0 or 1.
SettingsValues RecordSettingsValues(const LedSettingInfo& record);
// The full payload of the multi-card settings call, every section the mask names.
std::vector<std::uint8_t> BuildAllSettingsPayload(const LedAllSettingInfo& record);

// Read request: the sections of known size from mask, with bit 0x001 always set.
std::uint16_t ReadRequestMask(std::int32_t mask);
std::vector<std::uint8_t> BuildReadRequest(std::uint16_t requestMask);
// Walks a read reply (head included, result already checked) and fills the record's
// sections of requestMask. False, with the record untouched, when the reply is
// shorter than its sections.
[[nodiscard]] bool FillFromReadReply(const std::uint8_t* reply, std::size_t length, std::uint16_t requestMask,
                       LedSettingInfo& record);
// Fills the record's sections of requestMask that lie wholly within the first length
// bytes of the reply; the sections behind a cut stay as they are.
void FillReadSections(const std::uint8_t* reply, std::size_t length, std::uint16_t requestMask,
                      LedSettingInfo& record);

// The card name: up to 16 bytes (up to the first 0) in the card's code page, at most
// 15 UTF-16 units kept, a double-byte character cut at the end dropped.
QString DecodeCardName(const std::uint8_t* bytes, std::size_t length);
// The code page of card names: CORVANIX_CODE_PAGE when set, else GBK.
QByteArray CardNameCodePage();

// Baud rate <-> code: -1 for a rate without a code; an unknown code reads as 9600.
int BaudCode(std::int32_t rate);
std::int32_t BaudRateOfCode(std::uint8_t code);

// The communication payload of record's mask bits 0x01-0x08, or the failure code
// (-8 for an address text, -9 for a baud rate) with nothing built.
[[nodiscard]] int BuildCommunicationPayload(const LedSettingInfo& record, std::vector<std::uint8_t>& payload);

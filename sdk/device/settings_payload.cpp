#include "sdk/device/settings_payload.h"

#include <iconv.h>

#include <QStringList>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "model/common/bounded_text.h"
#include "model/common/little_endian.h"
#include "model/common/split_string.h"
#include "sdk/link/wire_frame.h"

namespace {

constexpr std::size_t kReplySectionsAt = wire::kHeadBytes + 4;  // after the result

// Appends little-endian values to a payload.
class PayloadWriter {
 public:
  explicit PayloadWriter(std::uint16_t mask) {
    U16(mask);
    Zeros(6);
  }
  void U8(std::uint32_t value) { AppendU8(bytes_, value); }
  void U16(std::uint32_t value) { AppendLe16(bytes_, value); }
  void Zeros(std::size_t count) { AppendZeros(bytes_, count); }
  void Bytes(const std::uint8_t* data, std::size_t count) {
    bytes_.insert(bytes_.end(), data, data + count);
  }
  void DateTime(const CardDateTime& time) {
    U16(time.year);
    for (std::uint8_t part : {time.month, time.day, time.hour, time.minute, time.second}) U8(part);
  }
  // A time of day as a date-time: year, month, day and second 0.
  void TimeOfDay(std::uint8_t hour, std::uint8_t minute) { DateTime({0, 0, 0, hour, minute, 0}); }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

void WriteSection(PayloadWriter& out, std::uint16_t bit, const SettingsValues& v) {
  switch (bit) {
    case kSectionBasic:
      out.U16(static_cast<std::uint32_t>(v.width));
      out.U16(static_cast<std::uint32_t>(v.height));
      out.U8(v.colorType);
      out.Zeros(2);
      break;
    case kSectionOeDa:
      out.Bytes(v.oeDa, 4);
      out.Zeros(12);
      break;
    case kSectionScan:
      out.Bytes(v.scan, 3);
      out.Zeros(3);
      out.Bytes(v.scan + 3, 2);
      break;
    case kSectionScanTable: out.Bytes(v.scanTable, sizeof v.scanTable); break;
    case kSectionTime: out.DateTime(v.time); break;
    case kSectionPower:
      out.U8(v.power);
      out.Zeros(2);
      break;
    case kSectionTimedPower:
      out.U8(v.powerEnable);
      for (const SlotTimes& slot : v.powerSlots) {
        out.TimeOfDay(slot.startHour, slot.startMinute);
        out.TimeOfDay(slot.endHour, slot.endMinute);
      }
      break;
    case kSectionBrightness:
      if (!v.brightnessSchedule) {
        out.U8(v.brightness);
        out.Zeros(47);
        break;
      }
      out.U8(0xAA);
      out.U8(0);
      out.U8(v.brightnessEnable);
      for (int i = 0; i < 3; ++i) {
        out.TimeOfDay(v.brightnessSlots[i].startHour, v.brightnessSlots[i].startMinute);
        out.TimeOfDay(v.brightnessSlots[i].endHour, v.brightnessSlots[i].endMinute);
        out.U8(v.brightnessLevels[i]);
      }
      break;
    case kSectionLock:
      out.U8(v.lockOn);
      out.DateTime(v.lockPresent);
      out.DateTime(v.lockAt);
      break;
    case kSectionLanguage:
      out.U8(v.language);
      out.Zeros(3);
      break;
    case kSectionTest: out.U8(v.test); break;
    default:  // kSectionLogo
      out.Bytes(v.logo, 2);
      out.Zeros(2);
      break;
  }
}

std::uint8_t Flag(std::int32_t value) { return value != 0 ? 1 : 0; }

// The fields both settings records share, from the basic section through the logo.
template <typename Record>
SettingsValues CommonSettingsValues(const Record& r) {
  SettingsValues v;
  v.width = r.Width;
  v.height = r.Height;
  v.colorType = static_cast<std::uint8_t>(r.ColorType);
  const std::int32_t oeDa[4] = {r.OePolarity, r.DaPolarity, r.OeDaByte2, r.OeDaByte3};
  std::transform(oeDa, oeDa + 4, v.oeDa, [](std::int32_t x) { return std::uint8_t(x); });
  const std::int32_t scan[5] = {r.ScanByte0, r.ScanByte1, r.ScanByte2, r.ScanByte6, r.ScanByte7};
  std::transform(scan, scan + 5, v.scan, [](std::int32_t x) { return std::uint8_t(x); });
  std::memcpy(v.scanTable, r.ScanTable, sizeof v.scanTable);
  v.time =
      RecordDateTime(r.TimeYear, r.TimeMonth, r.TimeDay, r.TimeHour, r.TimeMinute, r.TimeSecond);
  const bool recordTime = (r.SectionMask & kSectionTime) != 0 && r.TimeYear != 0;
  v.lockPresent = recordTime ? v.time : PresentDateTime();
  v.lockOn = static_cast<std::uint8_t>(r.LockOn);
  v.lockAt =
      PlainDateTime(r.LockYear, r.LockMonth, r.LockDay, r.LockHour, r.LockMinute, r.LockSecond);
  v.brightness = static_cast<std::uint8_t>(r.Brightness);
  v.language = static_cast<std::uint8_t>(r.Language);
  v.logo[0] = Flag(r.LogoFlagA);
  v.logo[1] = Flag(r.LogoFlagB);
  return v;
}

std::uint8_t EnableBits(const std::int32_t (&enable)[3]) {
  std::uint8_t bits = 0;
  for (int i = 0; i < 3; ++i) bits |= static_cast<std::uint8_t>(Flag(enable[i]) << i);
  return bits;
}

SlotTimes Slot(std::int32_t startHour, std::int32_t startMinute, std::int32_t endHour,
               std::int32_t endMinute) {
  return {static_cast<std::uint8_t>(startHour), static_cast<std::uint8_t>(startMinute),
          static_cast<std::uint8_t>(endHour), static_cast<std::uint8_t>(endMinute)};
}

// Read reply sections in ascending bit order, with their sizes.
struct ReadSection {
  std::uint16_t bit;
  std::size_t size;
};
constexpr ReadSection kReadSections[] = {{0x002, 16}, {0x004, 4},  {0x008, 7}, {0x010, 16},
                                         {0x020, 8},  {0x080, 18}, {0x100, 4}, {0x200, 10}};
constexpr std::uint16_t kReadKnownBits = 0x3BF;

template <std::size_t N>
void PutAddress(char16_t (&field)[N], const std::uint8_t* p) {
  CopyBoundedText(field, QStringLiteral("%1.%2.%3.%4").arg(p[0]).arg(p[1]).arg(p[2]).arg(p[3]));
}

template <std::size_t N>
void PutMac(char16_t (&field)[N], const std::uint8_t* p) {
  QStringList parts;
  for (int i = 0; i < 6; ++i)
    parts.append(QStringLiteral("%1").arg(p[i], 2, 16, QLatin1Char('0')).toUpper());
  CopyBoundedText(field, parts.join(QLatin1Char('-')));
}

void FillReadSection(std::uint16_t bit, const std::uint8_t* p, LedSettingInfo& r) {
  switch (bit) {
    case 0x002: CopyBoundedText(r.CardName, DecodeCardName(p, 16)); break;
    case 0x004:
      r.BaudRate = BaudRateOfCode(p[0]);
      r.SerialByte1 = p[1];
      r.SerialByte2 = p[2];
      break;
    case 0x008:
      r.Width = wire::ReadLe16(p);
      r.Height = wire::ReadLe16(p + 2);
      r.ColorType = p[4];
      break;
    case 0x010:
      r.OePolarity = p[0];
      r.DaPolarity = p[1];
      r.OeDaByte2 = p[2];
      r.OeDaByte3 = p[3];
      break;
    case 0x020:
      r.ScanByte0 = p[0];
      r.ScanByte1 = p[1];
      r.ScanByte2 = p[2];
      r.ScanByte6 = p[6];
      r.ScanByte7 = p[7];
      break;
    case 0x080:
      PutAddress(r.IpAddress, p);
      PutAddress(r.SubnetMask, p + 4);
      PutAddress(r.Gateway, p + 8);
      PutMac(r.MacAddress, p + 12);
      break;
    case 0x100:
      r.NetValue1 = wire::ReadLe16(p);
      r.NetValue2 = wire::ReadLe16(p + 2);
      break;
    default:  // 0x200
      PutAddress(r.ServerIp, p);
      r.ServerPort = wire::ReadLe16(p + 4);
      r.ServerByte6 = p[6];
      r.ServerByte8 = p[8];
      r.ServerByte9 = p[9];
      break;
  }
}

int DigitValue(char16_t c, int base) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (base == 16 && c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (base == 16 && c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// One part of an address text: 1 to maxDigits digits of base, value at most 255.
[[nodiscard]] bool ParsePart(const QString& part, int base, int maxDigits, std::uint8_t& value) {
  if (part.isEmpty() || part.size() > maxDigits) return false;
  int parsed = 0;
  for (QChar c : part) {
    const int digit = DigitValue(c.unicode(), base);
    if (digit < 0) return false;
    parsed = parsed * base + digit;
  }
  if (parsed > 255) return false;
  value = static_cast<std::uint8_t>(parsed);
  return true;
}

// Appends the parts of an address (4 decimal parts at ".") or a MAC (6 hexadecimal
// parts at "-"); false when the text is not such.
template <std::size_t N>
[[nodiscard]] bool WriteAddress(PayloadWriter& out, const char16_t (&field)[N], bool mac) {
  QStringList parts;
  SplitString(ReadBoundedText(field), mac ? QStringLiteral("-") : QStringLiteral("."), parts);
  if (parts.size() != (mac ? 6 : 4)) return false;
  std::uint8_t bytes[6];
  for (qsizetype i = 0; i < parts.size(); ++i) {
    if (!ParsePart(parts[i], mac ? 16 : 10, mac ? 2 : 3, bytes[i])) return false;
  }
  out.Bytes(bytes, static_cast<std::size_t>(parts.size()));
  return true;
}

[[nodiscard]] bool WriteAddresses(PayloadWriter& out, const LedSettingInfo& r) {
  return WriteAddress(out, r.IpAddress, false) && WriteAddress(out, r.Gateway, false) &&
         WriteAddress(out, r.SubnetMask, false) && WriteAddress(out, r.MacAddress, true) &&
         WriteAddress(out, r.NewIpAddress, false) && WriteAddress(out, r.NewGateway, false) &&
         WriteAddress(out, r.NewSubnetMask, false) && WriteAddress(out, r.NewMacAddress, true);
}

constexpr std::array<std::int32_t, 6> kBaudRates = {9600, 115200, 57600, 19200, 28800, 38400};

}  // namespace

CardDateTime DateTimeAt(std::time_t when) {
  std::tm parts{};
  if (localtime_r(&when, &parts) == nullptr || parts.tm_year < -1900 ||
      parts.tm_year > 65535 - 1900) {
    return {0, 0, 0, 0xFF, 0xFF, 0xFF};
  }
  return {
      static_cast<std::uint16_t>(parts.tm_year + 1900), static_cast<std::uint8_t>(parts.tm_mon + 1),
      static_cast<std::uint8_t>(parts.tm_mday),         static_cast<std::uint8_t>(parts.tm_hour),
      static_cast<std::uint8_t>(parts.tm_min),          static_cast<std::uint8_t>(parts.tm_sec)};
}

CardDateTime PresentDateTime() { return DateTimeAt(std::time(nullptr)); }

CardDateTime RecordDateTime(std::int32_t year, std::int32_t month, std::int32_t day,
                            std::int32_t hour, std::int32_t minute, std::int32_t second) {
  // The smallest month has no month - 1, and could not normalise to such a year anyway.
  if (year < 1900 || month == std::numeric_limits<std::int32_t>::min()) return PresentDateTime();
  std::tm parts{};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = hour;
  parts.tm_min = minute;
  parts.tm_sec = second;
  parts.tm_isdst = -1;
  const std::time_t when = std::mktime(&parts);
  if (when == static_cast<std::time_t>(-1) || parts.tm_year < 0 || parts.tm_year > 65535 - 1900) {
    return PresentDateTime();
  }
  return DateTimeAt(when);
}

std::vector<std::uint8_t> BuildSettingsPayload(std::uint16_t mask, const SettingsValues& values) {
  mask &= kAllSettingsSections;
  PayloadWriter out(mask);
  for (std::uint16_t bit = 1; bit <= kSectionLogo; bit = static_cast<std::uint16_t>(bit << 1)) {
    if (mask & bit) WriteSection(out, bit, values);
  }
  return out.Take();
}

SettingsValues RecordSettingsValues(const LedSettingInfo& record) {
  return CommonSettingsValues(record);
}

CardDateTime PlainDateTime(std::int32_t year, std::int32_t month, std::int32_t day,
                           std::int32_t hour, std::int32_t minute, std::int32_t second) {
  return {static_cast<std::uint16_t>(year),  static_cast<std::uint8_t>(month),
          static_cast<std::uint8_t>(day),    static_cast<std::uint8_t>(hour),
          static_cast<std::uint8_t>(minute), static_cast<std::uint8_t>(second)};
}

void SetTimedPower(const TimeOnOffInfo& schedule, bool allSlots, SettingsValues& values) {
  values.powerEnable = EnableBits(schedule.SlotEnable);
  for (int i = 0; i < 3; ++i) {
    if (!allSlots && schedule.SlotEnable[i] == 0) continue;
    values.powerSlots[i] =
        Slot(schedule.OnHour[i], schedule.OnMinute[i], schedule.OffHour[i], schedule.OffMinute[i]);
  }
}

void SetBrightnessSchedule(const TimeBrightnessInfo& schedule, bool allSlots,
                           SettingsValues& values) {
  values.brightnessSchedule = true;
  values.brightnessEnable = EnableBits(schedule.SlotEnable);
  for (int i = 0; i < 3; ++i) {
    if (!allSlots && schedule.SlotEnable[i] == 0) continue;
    values.brightnessSlots[i] = Slot(schedule.StartHour[i], schedule.StartMinute[i],
                                     schedule.EndHour[i], schedule.EndMinute[i]);
    values.brightnessLevels[i] = static_cast<std::uint8_t>(schedule.Level[i]);
  }
}

std::vector<std::uint8_t> BuildAllSettingsPayload(const LedAllSettingInfo& r) {
  SettingsValues v = CommonSettingsValues(r);
  v.power = static_cast<std::uint8_t>(r.PowerValue);
  v.test = static_cast<std::uint8_t>(r.TestValue);
  SetTimedPower(r.TimeOnOff, true, v);
  if (r.BrightnessMode != 0) SetBrightnessSchedule(r.TimeBrightness, true, v);
  return BuildSettingsPayload(static_cast<std::uint16_t>(r.SectionMask), v);
}

std::uint16_t ReadRequestMask(std::int32_t mask) {
  return static_cast<std::uint16_t>((mask & kReadKnownBits) | 0x001);
}

std::vector<std::uint8_t> BuildReadRequest(std::uint16_t requestMask) {
  return PayloadWriter(requestMask).Take();
}

bool FillFromReadReply(const std::uint8_t* reply, std::size_t length, std::uint16_t requestMask,
                       LedSettingInfo& record) {
  std::size_t needed = kReplySectionsAt;
  for (const ReadSection& section : kReadSections) {
    if (requestMask & section.bit) needed += section.size;
  }
  // Sections must lie both inside what arrived and inside the reply's own data; the
  // head is read only once the reply is known to hold it.
  if (length < needed) return false;
  const int data = wire::ReplyDataLength(reply);
  if (data < 0 || wire::kHeadBytes + std::size_t(data) < needed) return false;
  FillReadSections(reply, length, requestMask, record);
  return true;
}

void FillReadSections(const std::uint8_t* reply, std::size_t length, std::uint16_t requestMask,
                      LedSettingInfo& record) {
  std::size_t at = kReplySectionsAt;
  for (const ReadSection& section : kReadSections) {
    if (!(requestMask & section.bit)) continue;
    if (at + section.size > length) return;
    FillReadSection(section.bit, reply + at, record);
    at += section.size;
  }
}

QByteArray CardNameCodePage() {
  const char* chosen = std::getenv("CORVANIX_CODE_PAGE");
  return chosen != nullptr && *chosen != '\0' ? QByteArray(chosen) : QByteArray("GBK");
}

QString DecodeCardName(const std::uint8_t* bytes, std::size_t length) {
  const std::size_t used = std::find(bytes, bytes + length, 0) - bytes;
  iconv_t converter = iconv_open("UTF-16LE", CardNameCodePage().constData());
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    // A code page this computer does not know: show the bytes as Latin-1.
    return QString::fromLatin1(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(used));
  }
  // Every unit comes from at least one byte, so used units always fit.
  std::vector<char16_t> units(used);
  char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes));
  std::size_t inLeft = used;
  char* out = reinterpret_cast<char*>(units.data());
  std::size_t outLeft = units.size() * sizeof(char16_t);
  while (inLeft > 0 && iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) {
    // A character cut at the end (EINVAL) is dropped; an invalid byte is replaced.
    if (errno != EILSEQ || outLeft < sizeof(char16_t)) break;
    std::memcpy(out, u"\uFFFD", sizeof(char16_t));
    out += sizeof(char16_t);
    outLeft -= sizeof(char16_t);
    ++in;
    --inLeft;
  }
  iconv_close(converter);
  const auto count = static_cast<qsizetype>((out - reinterpret_cast<char*>(units.data())) / 2);
  return QString::fromUtf16(units.data(), count);
}

int BaudCode(std::int32_t rate) {
  const auto found = std::find(kBaudRates.begin(), kBaudRates.end(), rate);
  return found == kBaudRates.end() ? -1 : static_cast<int>(found - kBaudRates.begin());
}

std::int32_t BaudRateOfCode(std::uint8_t code) {
  return code < kBaudRates.size() ? kBaudRates[code] : kBaudRates[0];
}

int BuildCommunicationPayload(const LedSettingInfo& r, std::vector<std::uint8_t>& payload) {
  const auto mask = static_cast<std::uint16_t>(r.SectionMask & 0x0F);
  PayloadWriter out(mask);
  if ((mask & 0x01) && !WriteAddresses(out, r)) return KQ_ERR_ADDRESS_TEXT;
  if (mask & 0x02) {
    out.U16(static_cast<std::uint32_t>(r.NetValue1));
    out.U16(static_cast<std::uint32_t>(r.NetValue2));
  }
  if (mask & 0x04) {
    if (!WriteAddress(out, r.ServerIp, false)) return KQ_ERR_ADDRESS_TEXT;
    out.U16(static_cast<std::uint32_t>(r.ServerPort));
    for (std::int32_t byte : {r.ServerByte6, 0, r.ServerByte8, r.ServerByte9}) {
      out.U8(static_cast<std::uint32_t>(byte));
    }
  }
  if (mask & 0x08) {
    const int code = BaudCode(r.BaudRate);
    if (code < 0) return KQ_ERR_BAUD_RATE;
    for (std::int32_t byte : {code, r.SerialByte1, r.SerialByte2, 0}) {
      out.U8(static_cast<std::uint32_t>(byte));
    }
  }
  payload = out.Take();
  return KQ_OK;
}

// The single-card device calls: each builds one payload and sends it to the card,
// blocking while the caller's messages are dispatched.

#include <algorithm>
#include <cstring>
#include <functional>

#include "sdk/Corvanix.h"
#include "sdk/api/guarded_call.h"
#include "sdk/link/send_command.h"
#include "sdk/device/settings_payload.h"

namespace {

constexpr std::size_t kReadReplyBytes = 512;

[[nodiscard]] int SendPayload(const CommInfo* info, std::uint16_t command,
                const std::vector<std::uint8_t>& payload) {
  return SendCommand(nullptr, nullptr, info, command, payload.data(), payload.size(), false, true);
}

[[nodiscard]] int SendSettings(const CommInfo* info, std::uint16_t mask, const SettingsValues& values) {
  return Guarded(
      [&] { return SendPayload(info, kCommandSettings, BuildSettingsPayload(mask, values)); });
}

std::uint8_t Low(std::int32_t value) { return static_cast<std::uint8_t>(value); }

std::uint8_t InRangeOr(std::int32_t value, std::int32_t low, std::int32_t high,
                       std::uint8_t otherwise) {
  return value >= low && value <= high ? Low(value) : otherwise;
}

[[nodiscard]] int ReadSettings(const CommInfo* info, LedSettingInfo* record) {
  if (info->SendType == KQ_SEND_USB || info->SendType == KQ_SEND_NONE) return KQ_ERR_SEND_TYPE;
  const std::uint16_t mask = ReadRequestMask(record->SectionMask);
  const std::vector<std::uint8_t> request = BuildReadRequest(mask);
  std::vector<std::uint8_t> reply(kReadReplyBytes);
  std::size_t length = reply.size();
  const int sent = SendCommand(reply.data(), &length, info, kCommandRead, request.data(),
                               request.size(), true, true);
  if (sent != KQ_OK) return sent;
  if (length < wire::kHeadBytes + 4) return KQ_ERR_BAD_REPLY;
  const std::uint32_t result = wire::ReadLe32(reply.data() + wire::kHeadBytes);
  if (result > 1) return wire::CardResultCode(result);
  if (result != 1) return KQ_ERR_BAD_REPLY;
  LedSettingInfo filled = *record;
  if (!FillFromReadReply(reply.data(), length, mask, filled)) return KQ_ERR_BAD_REPLY;
  *record = filled;
  return KQ_OK;
}

}  // namespace

KQ_API int32_t KQ_GetLedSettingInfo(const CommInfo* info, LedSettingInfo* record) {
  if (info == nullptr) return KQ_ERR_SEND_TYPE;
  if (record == nullptr) return KQ_ERR_MISSING_RECORD;
  return Guarded([&] { return ReadSettings(info, record); });
}

KQ_API int32_t KQ_TestOnline(const CommInfo* info) {
  return Guarded([&] { return SendPayload(info, kCommandRead, BuildReadRequest(0x001)); });
}

KQ_API int32_t KQ_SetLedBasicInfo(const CommInfo* info, int32_t colorType, int32_t width,
                                  int32_t height) {
  SettingsValues values;
  values.colorType = InRangeOr(colorType, 1, 3, 1);
  values.width = width;
  values.height = height;
  return SendSettings(info, kSectionBasic, values);
}

KQ_API int32_t KQ_SetLedOEDA(const CommInfo* info, int32_t oe, int32_t da) {
  SettingsValues values;
  values.oeDa[0] = InRangeOr(oe, 0, 1, 1);
  values.oeDa[1] = InRangeOr(da, 0, 1, 1);
  return SendSettings(info, kSectionOeDa, values);
}

KQ_API int32_t KQ_SetLedScanLine(const CommInfo* info, const ScanLineInfo* scan) {
  if (scan == nullptr) return KQ_ERR_MISSING_RECORD;
  SettingsValues values;
  const std::int32_t bytes[5] = {scan->ScanByte0, scan->ScanByte1, scan->ScanByte2, scan->ScanByte6,
                                 scan->ScanByte7};
  std::transform(bytes, bytes + 5, values.scan, Low);
  return SendSettings(info, kSectionScan, values);
}

KQ_API int32_t KQ_SetLedCustomScanLine(const CommInfo* info, const uint8_t* table) {
  if (table == nullptr) return KQ_ERR_MISSING_RECORD;
  SettingsValues values;
  std::memcpy(values.scanTable, table, sizeof values.scanTable);
  return SendSettings(info, kSectionScanTable, values);
}

KQ_API int32_t KQ_AdjustTime(const CommInfo* info) {
  SettingsValues values;
  values.time = PresentDateTime();
  return SendSettings(info, kSectionTime, values);
}

KQ_API int32_t KQ_PowerOnOff(const CommInfo* info, int32_t value) {
  SettingsValues values;
  values.power = InRangeOr(value, 0, 1, 1);
  return SendSettings(info, kSectionPower, values);
}

KQ_API int32_t KQ_TimePowerOnOff(const CommInfo* info, const TimeOnOffInfo* schedule) {
  if (schedule == nullptr) return KQ_ERR_MISSING_RECORD;
  SettingsValues values;
  SetTimedPower(*schedule, false, values);
  return SendSettings(info, kSectionTimedPower, values);
}

KQ_API int32_t KQ_BrightnessControl(const CommInfo* info, int32_t level) {
  SettingsValues values;
  values.brightness = Low(std::clamp(level, 0, 15));
  return SendSettings(info, kSectionBrightness, values);
}

KQ_API int32_t KQ_TimeBrightnessControl(const CommInfo* info, const TimeBrightnessInfo* schedule) {
  if (schedule == nullptr) return KQ_ERR_MISSING_RECORD;
  SettingsValues values;
  SetBrightnessSchedule(*schedule, false, values);
  return SendSettings(info, kSectionBrightness, values);
}

KQ_API int32_t KQ_TimeLocker(const CommInfo* info, int32_t year, int32_t month, int32_t day,
                             int32_t hour, int32_t minute, int32_t second) {
  SettingsValues values;
  values.lockOn = 1;
  values.lockPresent = PresentDateTime();
  values.lockAt = PlainDateTime(year, month, day, hour, minute, second);
  return SendSettings(info, kSectionLock, values);
}

KQ_API int32_t KQ_CancelLocker(const CommInfo* info) {
  return SendSettings(info, kSectionLock, SettingsValues{});
}

KQ_API int32_t KQ_SetLanguage(const CommInfo* info, int32_t language) {
  SettingsValues values;
  values.language = InRangeOr(language, 0, 1, 0);
  return SendSettings(info, kSectionLanguage, values);
}

KQ_API int32_t KQ_LedTest(const CommInfo* info, int32_t pattern) {
  SettingsValues values;
  values.test = Low(pattern);
  return SendSettings(info, kSectionTest, values);
}

KQ_API int32_t KQ_SetLogo(const CommInfo* info, int32_t first, int32_t second) {
  SettingsValues values;
  values.logo[0] = first != 0 ? 1 : 0;
  values.logo[1] = second != 0 ? 1 : 0;
  return SendSettings(info, kSectionLogo, values);
}

KQ_API int32_t KQ_SetLedSettingInfo(const CommInfo* info, const LedSettingInfo* record) {
  if (record == nullptr) return KQ_ERR_MISSING_RECORD;
  const auto mask = static_cast<std::uint16_t>(record->SectionMask & kRecordSettingsSections);
  return Guarded([&] {
    return SendPayload(info, kCommandSettings,
                       BuildSettingsPayload(mask, RecordSettingsValues(*record)));
  });
}

KQ_API int32_t KQ_SetLedCommunicationInfo(const CommInfo* info, const LedSettingInfo* record) {
  if (record == nullptr) return KQ_ERR_MISSING_RECORD;
  return Guarded([&] {
    std::vector<std::uint8_t> payload;
    if (int code = BuildCommunicationPayload(*record, payload)) return code;
    return SendPayload(info, kCommandCommSettings, payload);
  });
}

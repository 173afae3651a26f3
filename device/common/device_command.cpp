#include "device/common/device_command.h"

#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/common/device_call_scope.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "platform/message_window.h"

namespace {

constexpr int kUsbDiskNotice = 1008;
constexpr int kNoticeLanguage = 1;

}  // namespace

void ReportDeviceStatus(int code, std::int32_t result) {
  SendMessage(MainWindowHandle, UM_STATUS_CODE, static_cast<WPARAM>(code), result);
}

std::int32_t RunReportedDeviceCall(QWidget* caller, int startCode,
                                   const std::function<std::int32_t()>& call) {
  ReportDeviceStatus(startCode);
  std::int32_t result = 0;
  {
    const DeviceCallScope scope(caller);
    result = call();
  }
  if (result == 0) {
    ReportDeviceStatus(startCode + 1);
  } else {
    ReportDeviceStatus(startCode + 2, result);
  }
  return result;
}

void ShowUsbDiskNotice(const ScreenRecord& screen, const AskUser& ask) {
  if (LanguageIndex != kNoticeLanguage || screen.SendType != kSendByUsbDisk) return;
  ask(ReadLangText(lang_section::IDD_LOGOSET_DIALOG, kUsbDiskNotice), kStyleInformation);
}

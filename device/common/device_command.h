#pragma once
// What a device command of a dialog or pane tells the user: its status codes go to
// the main window's status bar, and after a success on a USB-disk screen a notice
// explains that nothing reached a card yet.

#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "model/project/project_records.h"

// Shows a message with a style and answers the button pressed (ShowStyleMessage).
using AskUser = std::function<int(const QString& text, int style)>;

constexpr int kStyleInformation = 0x40;

// UM_STATUS_CODE (code, result) to the main window.
void ReportDeviceStatus(int code, std::int32_t result = 0);

// One reported device call: status startCode, the call with the caller's pane or
// dialog disabled (DeviceCallScope), then startCode + 1 on success or startCode + 2
// with the SDK's code. Answers the call's result.
std::int32_t RunReportedDeviceCall(QWidget* caller, int startCode,
                                   const std::function<std::int32_t()>& call);

// After a successful command on the screen: for a USB-disk screen while the language
// is number 1, the notice that the setting takes effect with the USB export.
void ShowUsbDiskNotice(const ScreenRecord& screen, const AskUser& ask);

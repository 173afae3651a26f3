#pragma once
// The device panes' pictures, drawn by the program: the access-code pane's lock, a
// screen of the screen list, the pictures of the screen-parameter pages' tabs, and
// the refresh of a list, and the links of the communication page.

#include <QImage>

enum class DeviceIcon {
  AccessCode,
  Screen,
  Communication,
  Basic,
  Scan,
  Advanced,
  Refresh,
  // The links a screen reaches its card by.
  NetworkLink,
  SerialLink,
  UsbLink,
  Browse,
  Firmware
};

// The picture at size x size pixels on a transparent background.
QImage PaintDeviceIcon(DeviceIcon icon, int size);

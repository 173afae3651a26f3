#pragma once
// The device panes' pictures, drawn by the program: the access-code pane's lock, a
// screen of the screen list, the pictures of the screen-parameter pages' tabs, and
// the refresh of a list, the links of the communication page, the firmware pane's
// browse and chip, and the boot-logo pane's own picture and its list's rich-text and
// picture entries.

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
  Firmware,
  BootLogo,
  RichTextLogo,
  PictureLogo
};

// The picture at size x size pixels on a transparent background.
QImage PaintDeviceIcon(DeviceIcon icon, int size);

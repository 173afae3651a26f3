// The device panes' icons of our own drawing stay as they were drawn.
#include <gtest/gtest.h>

#include "device/common/device_icons.h"
#include "tests/support/screenshot.h"

TEST(DeviceIcons, EveryIconIsDrawnAsKept) {
  ExpectArtAsKept(
      EveryIcon(DeviceIcon::PictureLogo, [](DeviceIcon icon) { return PaintDeviceIcon(icon, 32); }),
      QStringLiteral("device"));
}

#pragma once
// The device panes' pictures, drawn by the program: the access-code pane's lock, a
// screen of the screen list, and the pictures of the screen-parameter pages' tabs.

#include <QImage>

enum class DeviceIcon { AccessCode, Screen, Communication, Basic, Scan, Advanced };

// The picture at size x size pixels on a transparent background.
QImage PaintDeviceIcon(DeviceIcon icon, int size);

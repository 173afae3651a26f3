#pragma once
// The status bar's 16 x 16 icons, drawn by the program, by resource number: the last
// operation's success and failure, and the current screen's link.

#include <QPixmap>

enum class StatusIcon {
  Success = 497,
  Failure = 498,
  Network = 191,
  UsbDisk = 192,
  SerialLine = 193,
};

QPixmap LoadStatusIcon(StatusIcon icon);

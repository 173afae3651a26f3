#pragma once
// Files of a USB disk that a card reads later, under <UsbRoot>/marvane/.

#include <QString>

// The "marvane" folder under a USB root given with "\" or "/" separators, with or
// without a trailing one; empty for an empty root.
QString UsbCommandFolder(const QString& usbRoot);

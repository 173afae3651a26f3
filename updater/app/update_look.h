#pragma once
// What the updater's windows share of their look: the status band's colour, the icon
// and the style sheet that stands for the skin.

#include <QColor>
#include <QIcon>
#include <QString>

// The status band's text and the notice's top bar: 0xF6AD6B as a COLORREF (0x00BBGGRR).
inline const QColor kBandColor(0x6B, 0xAD, 0xF6);

// Icon 128: the program's application picture.
QIcon UpdaterIcon();

// The style sheet of the updater's windows (resources/style/update.qss); empty when the
// resource is missing.
QString UpdaterStyleSheet();

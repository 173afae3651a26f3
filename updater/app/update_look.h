#pragma once
// What the updater's windows share of their look: the status band's colour, the icon
// and the style sheet that stands for the skin.

#include <QColor>
#include <QIcon>
#include <QString>

#include "render/raster/color_ref.h"

// The status band's text and the notice's top bar: 0xF6AD6B as a COLORREF.
inline constexpr ColorRef kBandColorRef = 0xF6AD6B;
inline const QColor kBandColor = QColor::fromRgb(ColorRefToQRgb(kBandColorRef));

// Icon 128: the program's application picture.
QIcon UpdaterIcon();

// The style sheet of the updater's windows (resources/style/update.qss); empty when the
// resource is missing.
QString UpdaterStyleSheet();

#pragma once
// The style's standard icons, made once: a style loads, decodes and looks up in the
// icon theme every picture of a standard icon each time one is asked for.

#include <QIcon>
#include <QStyle>

class QWidget;

// widget.style()->standardIcon(which), kept while that style lives and the icon
// theme and layout direction stay the same. GUI thread only.
QIcon StandardIcon(const QWidget& widget, QStyle::StandardPixmap which);

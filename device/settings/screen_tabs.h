#pragma once
// The tab pictures of the screen-parameter pane: the tabs carry no text, each shows
// its page's icon over the page's name, drawn once for every language.

#include <QImage>
#include <QString>

#include "device/common/device_icons.h"

// The size of a tab picture.
inline constexpr QSize kScreenTabImageSize(72, 56);
// Pictures per language: one for each of the four pages.
inline constexpr int kScreenTabPages = 4;

// The picture of a page: its icon, and below it its name.
QImage PaintScreenTab(DeviceIcon icon, const QString& name);

// The name of a page in the language file of language 1-6: the text of the key in
// the section; empty when the file or the text is missing.
QString PageNameIn(int language, const QString& section, int key);

// Where tab `tab` of a language (1-6) stands among the pictures, four per language
// in language order; language 0 (not chosen yet) takes the first language's.
int ScreenTabImageIndex(int language, int tab);

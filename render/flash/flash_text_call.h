#pragma once
// What a flash-word template receives: the item's text wrapped to the area, and the
// "addText" call that hands it over with the font, colours and measures.

#include <QFont>
#include <QString>

#include "render/raster/color_ref.h"

struct FlashWordItem;

// The style block of a flash-word item: its font fields from FontProp_FontName on.
struct FlashWordStyle {
  QString fontName;
  int fontSize = 0;  // points
  ColorRef fontColor = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
};
FlashWordStyle FlashWordStyleOf(const FlashWordItem& item);

// The style's font at -MulDiv(size, 96, 72) pixels, weight 700 or 400, as the words
// are measured.
QFont FlashWordFont(const FlashWordStyle& style);

struct WrappedFlashText {
  QString text;   // lines joined by "^"
  int lines = 0;  // the lines the template shows, one FlashCall each
};

// Wraps text (its "\r\n" pairs removed) for an area areaWidth pixels wide: a run of
// characters ends its line once the area is narrower than the run's width plus 2
// pixels a character; the run's last character then begins the next line, unless
// it is the run's only one, which keeps its line to itself. An empty result is " ".
WrappedFlashText WrapFlashText(const QString& text, const QFont& font, int areaWidth);

// The font family the templates know for a face name: every occurrence of a listed
// Chinese face becomes its family name, in the table's order.
QString FlashFontFamily(const QString& face);

// "0xRRGGBB" in lower-case hexadecimal, as the templates read colours.
QString FlashColorText(ColorRef color);

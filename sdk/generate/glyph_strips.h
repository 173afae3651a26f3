#pragma once
// Glyph strips: characters, weekday names and words pre-rendered for the card, which
// composes clocks and countdowns from them at run time. A strip is a run of cells of
// equal size, each c pixels wide and h high, where c is the glyph width rounded up
// to a multiple of 8 (at least 8); each cell is one plane of h rows of c / 8 bytes
// (start bit 0), cells one after another. Text is drawn in pure red at the cell's
// top edge without anti-aliasing, with the caller's font (MakeLedFont).
//
// Where text cannot be drawn (CanDrawText), and for sizes a strip cannot have
// (h < 1, cells beyond 65535 pixels), the calls return KQ_ERR_DRAW and leave the
// strip empty. They may run on any thread and give the same bits on each.

#include <QFont>
#include <QString>

#include <cstdint>
#include <vector>

#include "sdk/generate/text_engine.h"

struct GlyphStrip {
  int cellWidth = 0;  // c
  int height = 0;     // h
  int cellCount = 0;
  std::vector<std::uint8_t> bytes;
};

// The cell width of glyphs `glyphWidth` wide.
int GlyphCellWidth(int glyphWidth);

// 12 cells "0123456789: ": digits and blank right-aligned to glyphWidth, the colon
// centred on it. Returns the strip's size in bytes or KQ_ERR_DRAW.
[[nodiscard]] int RenderDigitStrip(const QFont& font, int glyphWidth, int height, GlyphStrip& strip);

// The widest weekday name of a style in pixels: style 0 the width of "星期日", 1 the
// widest English full name, any other the widest short name. KQ_ERR_DRAW where
// text cannot be drawn.
int MeasureWeekdayWidth(int style, const QFont& font);

// 7 cells, Sunday first, names centred on glyphWidth. Returns the size or KQ_ERR_DRAW.
[[nodiscard]] int RenderWeekdayStrip(int height, int style, const QFont& font, int glyphWidth,
                       GlyphStrip& strip);

// 2 cells: "AM", "PM" when english, else "上午", "下午"; at the left edge.
[[nodiscard]] int RenderAmPmStrip(int height, const QFont& font, bool english, int glyphWidth,
                    GlyphStrip& strip);

// One cell holding the whole text at the left edge.
[[nodiscard]] int RenderTextStrip(int height, const QFont& font, const QString& text, int glyphWidth,
                    GlyphStrip& strip);

#pragma once
// Glyph strips: characters, weekday names and words pre-rendered for the card, which
// composes clocks and countdowns from them at run time, and which the preview composes
// the same way. A strip is a run of cells of equal size, each c pixels wide and h
// high, where c is the glyph width rounded up to a multiple of 8 (at least 8); each
// cell is one plane of h rows of c / 8 bytes, bits least significant first from the
// cell's left edge, a lit pixel a 0 bit; cells one after another. Text is drawn in
// pure red at the cell's top edge without anti-aliasing, with the caller's font
// (MakeLedFont).
//
// Text must be drawable (a QGuiApplication exists). For sizes a strip cannot have
// (h < 1, cells beyond Dib24's largest side) the calls return false and leave the
// strip empty. They may run on any thread and give the same bits on each.

#include <QFont>
#include <QString>

#include <cstdint>
#include <vector>

struct GlyphStrip {
  int cellWidth = 0;  // c
  int height = 0;     // h
  int cellCount = 0;
  std::vector<std::uint8_t> bytes;
};

// The cell width of glyphs `glyphWidth` wide.
int GlyphCellWidth(int glyphWidth);

// Whether pixel (x, y) of cell `cell` is lit; false outside the strip.
bool GlyphPixelLit(const GlyphStrip& strip, int cell, int x, int y);

// 12 cells "0123456789: ": digits and blank right-aligned to glyphWidth, the colon
// centred on it.
[[nodiscard]] bool RenderDigitStrip(const QFont& font, int glyphWidth, int height,
                                    GlyphStrip& strip);

// The widest weekday name of a style in pixels: style 0 the width of "星期日", 1 the
// widest English full name, any other the widest short name.
int MeasureWeekdayWidth(int style, const QFont& font);

// 7 cells, Sunday first, names centred on glyphWidth.
[[nodiscard]] bool RenderWeekdayStrip(int height, int style, const QFont& font, int glyphWidth,
                                      GlyphStrip& strip);

// 2 cells: "AM", "PM" when english, else "上午", "下午"; at the left edge.
[[nodiscard]] bool RenderAmPmStrip(int height, const QFont& font, bool english, int glyphWidth,
                                   GlyphStrip& strip);

// The width of the wider of "AM" and "PM".
int MeasureAmPmWidth(const QFont& font);

// One cell holding the whole text at the left edge.
[[nodiscard]] bool RenderTextStrip(int height, const QFont& font, const QString& text,
                                   int glyphWidth, GlyphStrip& strip);

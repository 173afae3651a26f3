#pragma once
// One character of rich text as the renderers and the line layout measure it: the
// font fields of its format, its place and its size in pixels. Every measure of
// rich text goes through MeasureCell, so the lines the layout breaks are the lines
// the renderers draw.
//
// A word in a right-to-left script (Arabic, Hebrew, ...) is one cell: its letters join
// and take their contextual forms only when shaped together, so it is measured and
// drawn as Qt's text layout shapes it. Every other character keeps a cell of its own,
// measured alone.

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QSize>
#include <QString>
#include <QStringView>

#include <climits>
#include <cstdint>
#include <memory>

#include "render/raster/color_ref.h"
#include "render/text/rich_format.h"

// Tabs advance to the next multiple of this many pixels from the start of the line.
constexpr int kTabStepPixels = 48;
// Text in automatic colour: the window's text colour in the editor, lit white on the
// card's dark screen (black text there would not show at all).
constexpr ColorRef kAutoTextColor = 0xFFFFFF;

struct RtfCharCell {
  QString Text;  // the character (or word); empty for a tab and a paragraph mark
  QString FaceName;
  std::uint8_t CharSet = 0;
  int Height = 0;  // font height, negative pixels; 0 for a tab
  int Weight = 400;
  bool Italic = false;
  bool Underline = false;
  ColorRef Color = 0;  // kAutoTextColor for automatic colour
  int X = 0;           // left edge within the line
  int Width = 0;       // advance
  int CellHeight = 0;  // the font's cell height, a picture's height
  // A picture's cell, with empty Text; shared, so that cells stay small.
  std::shared_ptr<const RichPicture> Picture = nullptr;
};

// The pixel height of a size in twips at 96 pixels an inch, negative, truncated
// towards zero: (96 x twips) / -1440.
int PixelHeightFromTwips(int twips);

// The UTF-16 units of text's first cell: a right-to-left word (a letter of a
// right-to-left script and the letters, marks and joiners that follow it), else one
// character, a surrogate pair counting as one; 0 for empty text.
int CellUnits(QStringView text);

// Two cells with equal font fields and colour draw in one run.
bool IsSameCharFormat(const RtfCharCell& a, const RtfCharCell& b);

// Measures characters with aliased fonts at pixel heights (MakeLedFont) and keeps
// each font and each character's extent for later calls. GUI thread only.
class CharMeasure {
 public:
  CharMeasure();
  ~CharMeasure();
  CharMeasure(const CharMeasure&) = delete;
  CharMeasure& operator=(const CharMeasure&) = delete;

  // The cell of character (one cell's units, CellUnits) in format, starting at x:
  // - a tab ("\t") is 48 - x mod 48 wide, with empty Text and Height 0, and the cell
  //   height of its format's font;
  // - a paragraph mark ("\r", U+2029) or line break ("\v", U+2028) has Width 0,
  //   empty Text, and the cell height of "0" in its font;
  // - a picture (U+FFFC in a picture's format) has its size, scaled down to
  //   widthLimit where it is wider, and empty Text;
  // - any other character, or a right-to-left word, has its text extent.
  RtfCharCell MeasureCell(const RichCharFormat& format, QStringView character, int x,
                          int widthLimit = INT_MAX);
  // The font a cell is drawn with.
  QFont CellFont(const RtfCharCell& cell);

 private:
  struct Face;
  struct FontKey {
    QString face;
    int height;
    int weight;
    bool italic;
    bool underline;
    bool operator==(const FontKey&) const = default;
    friend size_t qHash(const FontKey& key, size_t seed) {
      return qHashMulti(seed, key.face, key.height, key.weight, key.italic, key.underline);
    }
  };
  Face& FaceOf(const RtfCharCell& cell);
  QSize Extent(Face& face, QStringView character);

  QHash<FontKey, std::shared_ptr<Face>> faces_;
  FontKey lastKey_;  // consecutive characters mostly share a font
  Face* lastFace_ = nullptr;
};

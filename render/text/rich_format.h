#pragma once
// The one definition of a character's and a paragraph's format that the RTF reader
// and writer, the line layout, the renderers and the editors share, and where each
// is kept in a QTextDocument.

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

#include "render/raster/color_ref.h"

// Longest face name, in UTF-16 units: the platform's 32-unit field less its
// terminator.
constexpr int kMaxFaceLength = 31;
// Font sizes are kept to 1-1638 points, in twips (1/20 point).
constexpr int kMinFontTwips = 20;
constexpr int kMaxFontTwips = 1638 * 20;
// The size a document has where nothing sets one: 12 points.
constexpr int kDefaultFontTwips = 240;

// A picture in the text (RTF \pict): PNG and JPEG pictures keep their data and are
// drawn; other kinds keep only their size, a gap in the line.
enum class RichPictureKind { kOther, kPng, kJpeg };

// Pictures are kept to this many pixels a side and this many bytes of data; a larger
// one keeps a gap of its size, at most the largest.
constexpr int kMaxPictureSide = 16384;
constexpr int kMaxPictureBytes = 32 << 20;

struct RichPicture {
  RichPictureKind kind = RichPictureKind::kOther;
  QByteArray data;  // the PNG or JPEG file; empty for other kinds
  int width = 1;    // pixels, 1 to kMaxPictureSide
  int height = 1;

  bool operator==(const RichPicture&) const = default;
};

struct RichCharFormat {
  QString face;              // at most kMaxFaceLength units
  std::uint8_t charSet = 0;  // the font's character set (RTF \fcharset)
  int twips = kDefaultFontTwips;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  ColorRef color = 0;     // read only when autoColor is false
  bool autoColor = true;  // the text takes the window's text colour
  // Set on the object replacement character (U+FFFC) that stands for a picture.
  std::optional<RichPicture> picture = std::nullopt;

  bool operator==(const RichCharFormat&) const = default;
};

// Which fields of a RichCharFormat a change sets.
enum RichCharMask : unsigned {
  kCharFace = 1u << 0,  // face and character set together
  kCharSize = 1u << 1,
  kCharBold = 1u << 2,
  kCharItalic = 1u << 3,
  kCharUnderline = 1u << 4,
  kCharColor = 1u << 5,  // color and autoColor together
  kCharAll = 0x3f,
};

// Copies the fields of source that mask names into target.
void MergeCharFormat(RichCharFormat& target, const RichCharFormat& source, unsigned mask);

enum class RichAlign { kLeft, kCenter, kRight, kJustify };

// Line-spacing rules as the Windows control numbered them; the renderer spaces only
// by kSpacingTwentieths, where lineSpacing 20 is single and 40 double spacing.
enum RichLineSpacingRule : int {
  kSpacingSingle = 0,
  kSpacingAtLeast = 3,  // lineSpacing in twips
  kSpacingExactly = 4,  // lineSpacing in twips
  kSpacingTwentieths = 5,
};

struct RichParaFormat {
  RichAlign align = RichAlign::kLeft;
  int lineSpacingRule = kSpacingSingle;
  int lineSpacing = 0;

  bool operator==(const RichParaFormat&) const = default;
};

// Tables, as the paragraphs of their cells: a paragraph inside a cell has the depth
// of its table (1 for a table in the text, 2 for a table inside a cell of that one,
// ...); the last paragraph of a cell ends it, and the last cell of a row carries the
// row's geometry.
constexpr int kMaxTableDepth = 8;
constexpr int kMaxRowCells = 64;
// Table positions are kept within this many twips either side.
constexpr int kMaxTableTwips = 1'000'000;

struct RichRowFormat {
  int left = 0;            // the first cell's left edge, twips from the row's origin (\trleft)
  int gap = 0;             // half the space between the text of neighbouring cells (\trgaph)
  std::vector<int> edges;  // each cell's right edge, twips from the origin (\cellx)

  bool operator==(const RichRowFormat&) const = default;
};

struct RichCellPlace {
  int depth = 0;  // 0: not in a table
  bool cellEnd = false;
  std::optional<RichRowFormat> rowEnd = std::nullopt;  // set on the paragraph that ends a row

  bool operator==(const RichCellPlace&) const = default;
};

// A face name cut to kMaxFaceLength units, never in the middle of a surrogate pair.
QString BoundedFace(const QString& face);

// The format as a QTextDocument keeps it: family, point size (twips / 20), weight,
// italic, underline, a foreground brush unless the colour is automatic, and the
// character set as a property of its own; a picture as an image format of its size
// named PictureName, its data and kind as properties.
QTextCharFormat ToTextCharFormat(const RichCharFormat& format);
// The inverse; fields the text format does not set come from fallback.
RichCharFormat FromTextCharFormat(const QTextCharFormat& format,
                                  const RichCharFormat& fallback = {});

// The name of a picture's image resource in a QTextDocument, from its data.
QString PictureName(const RichPicture& picture);

// Alignment and line spacing on a block format; the format of the block's paragraph
// mark is kept on it too, since QTextDocument has no character for it.
void SetParaFormat(QTextBlockFormat& block, const RichParaFormat& format);
RichParaFormat ParaFormatOf(const QTextBlockFormat& block);
void SetMarkFormat(QTextBlockFormat& block, const RichCharFormat& mark);
// The mark's format, or fallback when the block carries none (a block Qt made).
RichCharFormat MarkFormatOf(const QTextBlockFormat& block, const RichCharFormat& fallback);
void SetCellPlace(QTextBlockFormat& block, const RichCellPlace& place);
RichCellPlace CellPlaceOf(const QTextBlockFormat& block);

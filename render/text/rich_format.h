#pragma once
// The one definition of a character's and a paragraph's format that the RTF reader
// and writer, the line layout, the renderers and the editors share, and where each
// is kept in a QTextDocument.

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <cstdint>

#include "render/raster/color_ref.h"

// Longest face name, in UTF-16 units: the platform's 32-unit field less its
// terminator.
constexpr int kMaxFaceLength = 31;
// Font sizes are kept to 1-1638 points, in twips (1/20 point).
constexpr int kMinFontTwips = 20;
constexpr int kMaxFontTwips = 1638 * 20;
// The size a document has where nothing sets one: 12 points.
constexpr int kDefaultFontTwips = 240;

struct RichCharFormat {
  QString face;              // at most kMaxFaceLength units
  std::uint8_t charSet = 0;  // the font's character set (RTF \fcharset)
  int twips = kDefaultFontTwips;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  ColorRef color = 0;     // read only when autoColor is false
  bool autoColor = true;  // the text takes the window's text colour

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

// A face name cut to kMaxFaceLength units, never in the middle of a surrogate pair.
QString BoundedFace(const QString& face);

// The format as a QTextDocument keeps it: family, point size (twips / 20), weight,
// italic, underline, a foreground brush unless the colour is automatic, and the
// character set as a property of its own.
QTextCharFormat ToTextCharFormat(const RichCharFormat& format);
// The inverse; fields the text format does not set come from fallback.
RichCharFormat FromTextCharFormat(const QTextCharFormat& format,
                                  const RichCharFormat& fallback = {});

// Alignment and line spacing on a block format; the format of the block's paragraph
// mark is kept on it too, since QTextDocument has no character for it.
void SetParaFormat(QTextBlockFormat& block, const RichParaFormat& format);
RichParaFormat ParaFormatOf(const QTextBlockFormat& block);
void SetMarkFormat(QTextBlockFormat& block, const RichCharFormat& mark);
// The mark's format, or fallback when the block carries none (a block Qt made).
RichCharFormat MarkFormatOf(const QTextBlockFormat& block, const RichCharFormat& fallback);

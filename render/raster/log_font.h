#pragma once
// The font description that records and files store: GDI's LOGFONTW, 92 bytes, its
// fields in their stored order. The table file holds it byte for byte, and the grid
// cells keep it rather than a QFont so that it survives a load and a save unchanged.

#include <QFont>
#include <QString>

#include <cstddef>
#include <cstdint>

struct LogFontW {
  static constexpr int kFaceCapacity = 32;  // UTF-16 units, the terminating 0 included

  std::int32_t lfHeight = 0;  // < 0: the em height in pixels; > 0: the cell height
  std::int32_t lfWidth = 0;
  std::int32_t lfEscapement = 0;  // tenths of a degree; 900 and -900 draw rotated
  std::int32_t lfOrientation = 0;
  std::int32_t lfWeight = 0;  // 100-900, 400 normal, 700 bold; 0 means normal
  std::uint8_t lfItalic = 0;
  std::uint8_t lfUnderline = 0;
  std::uint8_t lfStrikeOut = 0;
  std::uint8_t lfCharSet = 0;
  std::uint8_t lfOutPrecision = 0;
  std::uint8_t lfClipPrecision = 0;
  std::uint8_t lfQuality = 0;
  std::uint8_t lfPitchAndFamily = 0;
  char16_t lfFaceName[kFaceCapacity] = {};

  friend bool operator==(const LogFontW&, const LogFontW&) = default;
};

static_assert(sizeof(LogFontW) == 92);
static_assert(offsetof(LogFontW, lfWeight) == 16);
static_assert(offsetof(LogFontW, lfItalic) == 20);
static_assert(offsetof(LogFontW, lfPitchAndFamily) == 27);
static_assert(offsetof(LogFontW, lfFaceName) == 28);

// DEFAULT_CHARSET: the character set chosen by the face.
constexpr std::uint8_t kDefaultCharSet = 1;

// The face name: the units up to the first 0, never more than the 32 stored.
QString LogFontFaceName(const LogFontW& font);

// Stores a face name, cut to 31 units, and zeros the rest of the array.
void SetLogFontFaceName(LogFontW& font, const QString& face);

// The stock default GUI font: face "MS Shell Dlg", height -11, weight 400, character
// set 1, every other field 0. The grid's cells and the table file start from it.
LogFontW StockDefaultGuiFont();

// The Qt font of a description, for the screen's widgets (anti-aliased as the desktop
// draws): a negative height is the pixel size; a positive one is the cell height
// (ascent + descent), scaled to the em; 0 keeps Qt's default size. The escapement is
// not part of a QFont: the painter is rotated by whoever draws with it.
QFont LogFontToQFont(const LogFontW& font);

// The description of a Qt font: its pixel height (points at 96 dpi when it has no pixel
// size) as a negative height, weight, italic, underline, strike-out, the face, and
// character set 1.
LogFontW LogFontFromQFont(const QFont& font);

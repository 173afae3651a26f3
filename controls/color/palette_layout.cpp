#include "controls/color/palette_layout.h"

#include <array>
#include <cstdint>

namespace {

// The grey column, top to bottom.
constexpr std::array<int, kFullRows> kGreyLevels = {255, 232, 209, 186, 163, 140,
                                                    117, 94,  71,  48,  23,  0};
constexpr int kComponentStep = 51;
constexpr int kBlockRows = 6;  // each half of the 216 colours: six rows of blue

// The strips' colours, black last.
constexpr ColorRef kRed = MakeColorRef(255, 0, 0);
constexpr ColorRef kGreen = MakeColorRef(0, 255, 0);
constexpr ColorRef kBlue = MakeColorRef(0, 0, 255);
constexpr ColorRef kYellow = MakeColorRef(255, 255, 0);
constexpr ColorRef kCyan = MakeColorRef(0, 255, 255);
constexpr ColorRef kMagenta = MakeColorRef(255, 0, 255);
constexpr ColorRef kWhite = MakeColorRef(255, 255, 255);
constexpr ColorRef kBlack = MakeColorRef(0, 0, 0);
constexpr std::array<ColorRef, 2> kRedCells = {kRed, kBlack};
constexpr std::array<ColorRef, 4> kRedGreenYellowCells = {kRed, kGreen, kYellow, kBlack};
constexpr std::array<ColorRef, 8> kSevenColorCells = {kRed,  kGreen,   kBlue,  kYellow,
                                                      kCyan, kMagenta, kWhite, kBlack};

// The strip's cells with black, 0 for the full palette and other kinds.
int StripCells(int kind) {
  switch (kind) {
    case kRedStrip: return static_cast<int>(kRedCells.size());
    case kRedGreenYellowStrip: return static_cast<int>(kRedGreenYellowCells.size());
    case kSevenColorStrip: return static_cast<int>(kSevenColorCells.size());
    default: return 0;
  }
}

ColorRef StripColor(int kind, int cell) {
  if (cell < 0 || cell >= StripCells(kind)) return kBlack;
  if (kind == kRedStrip) return kRedCells[cell];
  if (kind == kRedGreenYellowStrip) return kRedGreenYellowCells[cell];
  return kSevenColorCells[cell];
}

ColorRef FullColor(int cell) {
  if (cell < 0 || cell >= kFullColumns * kFullRows) return kBlack;
  const int column = cell % kFullColumns;
  const int row = cell / kFullColumns;
  if (column == 0) return MakeColorRef(kGreyLevels[row], kGreyLevels[row], kGreyLevels[row]);
  // Columns step green, every sixth column red; the lower block holds the upper reds.
  const int colorColumn = column - 1;
  const int blue = row % kBlockRows;
  const int green = colorColumn % 6;
  const int red = colorColumn / 6 + 3 * (row / kBlockRows);
  return MakeColorRef(red * kComponentStep, green * kComponentStep, blue * kComponentStep);
}

// Two bytes a row, most significant bit leftmost, for the cursor's top-left 16 x 16.
struct CursorRow {
  std::uint16_t andMask;
  std::uint16_t xorMask;
};
constexpr std::array<CursorRow, 16> kEyedropperRows = {{
    {0xFFF1, 0x0000},
    {0xFFE0, 0x000C},
    {0xFFC0, 0x0008},
    {0xFF00, 0x0010},
    {0xFF81, 0x0000},
    {0xFF03, 0x0040},
    {0xFE07, 0x00E0},
    {0xFC17, 0x01C0},
    {0xF83F, 0x0380},
    {0xF07F, 0x0700},
    {0xE0FF, 0x0E00},
    {0xC1FF, 0x1C00},
    {0x83FF, 0x3800},
    {0x87FF, 0x3000},
    {0x0FFF, 0x4000},
    {0x3FFF, 0x0000},
}};

}  // namespace

QString FormatColor(ColorRef color) {
  return QString::asprintf("#%02X%02X%02X", ColorRefRed(color), ColorRefGreen(color),
                           ColorRefBlue(color));
}

bool IsPaletteKind(int kind) { return kind >= kFullPalette && kind <= kSevenColorStrip; }

int PaletteCellCount(int kind, bool withoutBlack) {
  if (kind == kFullPalette) return kFullColumns * kFullRows;
  const int cells = StripCells(kind);
  return cells > 0 && withoutBlack ? cells - 1 : cells;
}

ColorRef PaletteCellColor(int kind, int cell) {
  return kind == kFullPalette ? FullColor(cell) : StripColor(kind, cell);
}

int PaletteCellAt(int kind, bool withoutBlack, QPoint client) {
  const int x = client.x();
  const int y = client.y();
  if (x < 0 || y < 0) return -1;
  if (kind == kFullPalette) {
    // The lines are the last pixel of each pitch.
    if (x >= kFullColumns * kFullCellPitch || y >= kFullCellsHeight) return -1;
    if (x % kFullCellPitch == kFullCellPitch - 1 || y % kFullCellPitch == kFullCellPitch - 1) {
      return -1;
    }
    return x / kFullCellPitch + kFullColumns * (y / kFullCellPitch);
  }
  const int cells = PaletteCellCount(kind, withoutBlack);
  if (cells == 0 || y >= kStripCellSide || x >= cells * kStripCellPitch) return -1;
  if (x % kStripCellPitch >= kStripCellSide) return -1;
  return x / kStripCellPitch;
}

QRect PaletteCellFrame(int kind, int cell) {
  if (cell < 0) return {};
  if (kind == kFullPalette) {
    return QRect((cell % kFullColumns) * kFullCellPitch, (cell / kFullColumns) * kFullCellPitch,
                 kFullCellPitch, kFullCellPitch);
  }
  const int cells = StripCells(kind);
  if (cells == 0) return {};
  return QRect((cell % cells) * kStripCellPitch, 0, kStripCellSide, kStripCellSide);
}

QSize PaletteWindowSize(int kind, bool withoutBlack) {
  if (kind == kFullPalette) return kFullPaletteSize;
  const int cells = PaletteCellCount(kind, withoutBlack);
  if (cells == 0) return {};
  // The last cell's line falls on the right border.
  return QSize(cells * kStripCellPitch + kPaletteBorder, kStripHeight);
}

QRect PalettePlacement(int kind, bool withoutBlack, const QRect& button, const QRect& screen) {
  const QSize size = PaletteWindowSize(kind, withoutBlack);
  if (size.isEmpty()) return button;
  // The pop-up's top row overlaps the button's bottom row.
  const int buttonBottom = button.y() + button.height();
  int left = button.x();
  int top = buttonBottom - 1;
  const int screenRight = screen.x() + screen.width();
  if (left + size.width() > screenRight) left = screenRight - size.width();
  if (left < screen.x()) left = screen.x();
  if (screen.y() + screen.height() - size.height() < top) top = buttonBottom - 1 - size.height();
  return QRect(QPoint(left, top), size);
}

CursorPixel EyedropperPixel(int x, int y) {
  if (x < 0 || y < 0 || x >= 16 || y >= 16) return CursorPixel::kTransparent;
  const std::uint16_t bit = static_cast<std::uint16_t>(0x8000u >> x);
  const CursorRow& row = kEyedropperRows[static_cast<std::size_t>(y)];
  // The rows never set an XOR bit where the AND bit is set (which would invert).
  if (row.andMask & bit) return CursorPixel::kTransparent;
  return (row.xorMask & bit) ? CursorPixel::kWhite : CursorPixel::kBlack;
}

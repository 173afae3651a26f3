#pragma once
// The card's side of the display data (command 0xDA00): reads the header, the program
// records and the area blocks with its own tables, checking every length, count and
// reserved byte, and turns a frame's bit planes back into pixels.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/card_settings_codec.h"

namespace emu {

// One frame of an image-text area: its index entry and its planes.
struct PageFrame {
  int effect = 0;
  int speed = 0;
  int stay = 0;
  int height = 0;
  int width = 0;
  std::vector<std::uint8_t> planes;  // colour type planes of R x area height bytes
};

// One element of a clock or countdown layout.
struct LayoutElement {
  int x = 0;
  int y = 0;
  int kind = 0;
  int glyphOffset = 0;
  int width = 0;
  int height = 0;
  int colorBits = 0;
};

struct DisplayArea {
  int layer = 0;
  std::uint32_t length = 0;
  int kind = 0;  // the card's code: 1, 5, 7, 10 or 15
  int left = 0, top = 0, right = 0, bottom = 0;
  std::vector<std::uint8_t> block;  // the whole block, head included

  // Image-text (1).
  int frameTotal = 0;
  std::vector<PageFrame> frames;
  // Countdown (7): the date-time counted down to.
  CardTime target;
  // Digital (5) and analog (10) clock: the offset word as stored.
  int timeOffset = 0;
  // Analog clock: colour bits and widths of the hour, minute and second hands, the
  // face's planes.
  std::array<int, 3> handColorBits{};
  std::array<int, 3> handWidths{};
  std::vector<std::uint8_t> face;
  // Clocks and countdown: the element table and the glyph data behind it.
  std::vector<LayoutElement> elements;
  std::vector<std::uint8_t> glyphs;
  // Water border (15): thickness, style, speed; sides top, right, bottom, left.
  int thickness = 0;
  int style = 0;
  int speed = 0;
  std::array<std::vector<std::uint8_t>, 4> sides;
};

struct DisplayProgram {
  int index = 0;
  std::uint32_t length = 0;
  int playTime = 0;
  int loopCount = 0;
  int timeFlags = 0;
  int weekdayMask = 0;
  CardTime start, end;
  std::vector<DisplayArea> areas;
};

struct DisplayData {
  int width = 0;
  int height = 0;
  int colorType = 0;
  int modeByte = 0;
  std::vector<DisplayProgram> programs;
};

// Reads a whole display image. Returns an empty text, or what is wrong with it
// (lengths that disagree, counts, non-zero reserved bytes, bytes left over).
std::string DecodeDisplayData(const std::vector<std::uint8_t>& data, DisplayData& out);

// Bytes of one plane row of an area from column left to column right (inclusive).
int PlaneRowBytes(int left, int right);

// Turns colorType planes of a picture width x height placed at screen column left
// into one byte per pixel, rows from the top: bit 0 red lit, bit 1 green, bit 2
// blue. Returns an empty text, or what is wrong (size, a padding bit that is 0).
std::string PlanesToPixels(const std::vector<std::uint8_t>& planes, int left, int width, int height,
                           int colorType, std::vector<std::uint8_t>& pixels);

}  // namespace emu

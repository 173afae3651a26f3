#include "tests/support/display_data_codec.h"

#include <cstddef>
#include <stdexcept>

namespace emu {
namespace {

constexpr std::size_t kHeaderBytes = 30;
constexpr std::size_t kProgramBytes = 25;
constexpr std::size_t kAreaHeadBytes = 14;
constexpr std::size_t kElementBytes = 14;
constexpr std::size_t kIndexEntryBytes = 8;
constexpr std::size_t kBorderHeadBytes = 30;

// What is wrong with the data; ends the decoding.
struct Malformed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Reads little-endian values from [at, end); reading past the end is malformed.
class Cursor {
 public:
  Cursor(const std::uint8_t* at, std::size_t length) : at_(at), end_(at + length) {}
  std::size_t Left() const { return static_cast<std::size_t>(end_ - at_); }
  const std::uint8_t* At() const { return at_; }
  const std::uint8_t* Take(std::size_t count, const char* what) {
    if (count > Left()) throw Malformed(std::string(what) + " runs past its end");
    const std::uint8_t* start = at_;
    at_ += count;
    return start;
  }
  int U8(const char* what) { return *Take(1, what); }
  int U16(const char* what) {
    const std::uint8_t* p = Take(2, what);
    return p[0] | p[1] << 8;
  }
  std::uint32_t U32(const char* what) {
    const std::uint8_t* p = Take(4, what);
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
  }
  std::vector<std::uint8_t> Bytes(std::size_t count, const char* what) {
    const std::uint8_t* p = Take(count, what);
    return {p, p + count};
  }
  void Zeros(std::size_t count, const char* what) {
    const std::uint8_t* p = Take(count, what);
    for (std::size_t i = 0; i < count; ++i) {
      if (p[i] != 0) throw Malformed(std::string("non-zero reserved byte in ") + what);
    }
  }
  CardTime Time(const char* what) {
    CardTime t;
    t.year = U16(what);
    t.month = U8(what);
    t.day = U8(what);
    t.hour = U8(what);
    t.minute = U8(what);
    t.second = U8(what);
    return t;
  }
  void ExpectEnd(const char* what) {
    if (Left() != 0) throw Malformed(std::string(what) + " has bytes left over");
  }

 private:
  const std::uint8_t* at_;
  const std::uint8_t* end_;
};

void Expect(bool condition, const std::string& what) {
  if (!condition) throw Malformed(what);
}

int Height(const DisplayArea& area) { return area.bottom - area.top + 1; }

void ReadImageText(Cursor& in, DisplayArea& area, int colorType) {
  area.frameTotal = in.U16("frame total");
  const std::size_t planeBytes =
      std::size_t(PlaneRowBytes(area.left, area.right)) * Height(area) * colorType;
  Expect(in.Left() == area.frameTotal * (kIndexEntryBytes + planeBytes),
         "image-text block length disagrees with its frame total");
  area.frames.resize(area.frameTotal);
  for (PageFrame& frame : area.frames) {
    frame.effect = in.U8("index");
    frame.speed = in.U8("index");
    frame.stay = in.U16("index");
    frame.height = in.U16("index");
    frame.width = in.U16("index");
  }
  for (PageFrame& frame : area.frames) frame.planes = in.Bytes(planeBytes, "planes");
}

// The element table of count elements, then the glyph data to the block's end.
void ReadElements(Cursor& in, DisplayArea& area, std::size_t count) {
  area.elements.resize(count);
  for (LayoutElement& element : area.elements) {
    element.x = in.U16("element");
    element.y = in.U16("element");
    element.kind = in.U8("element");
    element.glyphOffset = in.U16("element");
    element.width = in.U16("element");
    element.height = in.U16("element");
    element.colorBits = in.U8("element");
    in.Zeros(2, "element");
  }
  area.glyphs = in.Bytes(in.Left(), "glyphs");
  for (const LayoutElement& element : area.elements) {
    Expect(std::size_t(element.glyphOffset) < area.glyphs.size(),
           "element glyphs lie outside the glyph data");
    Expect(element.colorBits <= 7, "element colour bits above 7");
  }
}

void ReadCountdown(Cursor& in, DisplayArea& area) {
  in.Zeros(3, "countdown head");
  area.target = in.Time("countdown target");
  ReadElements(in, area, std::size_t(in.U16("element count")));
}

void ReadDigitalClock(Cursor& in, DisplayArea& area) {
  area.timeOffset = in.U16("time offset");
  const int tableBytes = in.U16("element table length");
  Expect(tableBytes % kElementBytes == 0, "element table length not a multiple of 14");
  ReadElements(in, area, std::size_t(tableBytes) / kElementBytes);
}

void ReadAnalogClock(Cursor& in, DisplayArea& area, int colorType) {
  area.timeOffset = in.U16("time offset");
  for (int& bits : area.handColorBits) {
    bits = in.U8("hand colour");
    in.Zeros(2, "hand colour");
  }
  for (int& width : area.handWidths) width = in.U8("hand width");
  const std::size_t faceBytes =
      std::size_t(PlaneRowBytes(area.left, area.right)) * Height(area) * colorType;
  area.face = in.Bytes(faceBytes, "face");
  ReadElements(in, area, std::size_t(in.U16("element count")));
}

void ReadWaterBorder(Cursor& in, DisplayArea& area, int colorType) {
  Expect(area.layer == 1, "water border not on layer 1");
  area.thickness = in.U8("border thickness");
  Expect(in.U8("border head") == 1, "border byte 15 is not 1");
  area.style = in.U8("border style");
  in.Zeros(1, "border head");
  area.speed = in.U8("border speed");
  in.Zeros(3, "border head");
  const std::size_t across = std::size_t(colorType) * area.thickness * 4;
  const std::size_t along = std::size_t(colorType) * 32;
  const std::size_t expected[4] = {across, along, across, along};
  std::size_t sizes[4];
  for (int side = 0; side < 4; ++side) {
    sizes[side] = std::size_t(in.U16("border side size"));
    Expect(sizes[side] == expected[side], "border side size disagrees with thickness");
  }
  for (int side = 0; side < 4; ++side) area.sides[side] = in.Bytes(sizes[side], "border side");
}

DisplayArea ReadArea(Cursor& program, int colorType) {
  DisplayArea area;
  Cursor head = program;
  area.layer = head.U8("area head");
  area.length = head.U32("area head");
  Expect(area.length >= kAreaHeadBytes, "area length shorter than its head");
  const std::uint8_t* start = program.Take(area.length, "area block");
  area.block.assign(start, start + area.length);
  Cursor in(start + 5, area.length - 5);
  area.kind = in.U8("area head");
  area.left = in.U16("area head");
  area.top = in.U16("area head");
  area.right = in.U16("area head");
  area.bottom = in.U16("area head");
  Expect(area.left <= area.right && area.top <= area.bottom, "area rectangle is empty");
  if (area.kind != 1) Expect(area.layer == 1, "only image-text areas leave layer 1");
  switch (area.kind) {
    case 1: ReadImageText(in, area, colorType); break;
    case 5: ReadDigitalClock(in, area); break;
    case 7: ReadCountdown(in, area); break;
    case 10: ReadAnalogClock(in, area, colorType); break;
    case 15: ReadWaterBorder(in, area, colorType); break;
    default: throw Malformed("unknown area kind " + std::to_string(area.kind));
  }
  in.ExpectEnd("area block");
  return area;
}

DisplayProgram ReadProgram(Cursor& data, int expectedIndex, int colorType) {
  DisplayProgram program;
  Cursor head = data;
  program.index = head.U8("program record");
  program.length = head.U32("program record");
  Expect(program.index == expectedIndex, "program index out of sequence");
  Expect(program.length >= kProgramBytes, "program length shorter than its record");
  Cursor in(data.Take(program.length, "program"), program.length);
  in.Take(5, "program record");
  const int areaCount = in.U8("program record");
  program.playTime = in.U16("program record");
  program.loopCount = in.U8("program record");
  program.timeFlags = in.U8("program record");
  program.weekdayMask = in.U8("program record");
  program.start = in.Time("program start");
  program.end = in.Time("program end");
  for (int i = 0; i < areaCount; ++i) program.areas.push_back(ReadArea(in, colorType));
  in.ExpectEnd("program");
  return program;
}

}  // namespace

int PlaneRowBytes(int left, int right) { return (right + 1 + 7) / 8 - left / 8; }

std::string DecodeDisplayData(const std::vector<std::uint8_t>& data, DisplayData& out) {
  out = {};
  try {
    Cursor in(data.data(), data.size());
    Expect(data.size() >= kHeaderBytes, "shorter than the header");
    in.Zeros(16, "header");
    out.width = in.U16("header");
    out.height = in.U16("header");
    out.colorType = in.U8("header");
    const int programCount = in.U8("header");
    out.modeByte = in.U8("header");
    in.Zeros(7, "header");
    Expect(out.colorType >= 1 && out.colorType <= 3, "colour type outside 1-3");
    Expect(out.modeByte == 0 || out.modeByte == 0xF1 || out.modeByte == 0xF2,
           "unknown header mode byte");
    for (int i = 0; i < programCount; ++i) {
      out.programs.push_back(ReadProgram(in, i, out.colorType));
    }
    in.ExpectEnd("display data");
  } catch (const Malformed& problem) {
    return problem.what();
  }
  return {};
}

std::string PlanesToPixels(const std::vector<std::uint8_t>& planes, int left, int width, int height,
                           int colorType, std::vector<std::uint8_t>& pixels) {
  const int rowBytes = PlaneRowBytes(left, left + width - 1);
  const std::size_t planeBytes = std::size_t(rowBytes) * height;
  if (planes.size() != planeBytes * colorType) return "planes of the wrong size";
  pixels.assign(std::size_t(width) * height, 0);
  for (int plane = 0; plane < colorType; ++plane) {
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* row = planes.data() + plane * planeBytes + std::size_t(y) * rowBytes;
      for (int bit = 0; bit < rowBytes * 8; ++bit) {
        const bool dark = (row[bit / 8] >> (bit % 8) & 1) != 0;
        const int x = bit - left % 8;
        if (x < 0 || x >= width) {
          if (!dark) return "a padding bit is 0";
        } else if (!dark) {
          pixels[std::size_t(y) * width + x] |= std::uint8_t(1 << plane);
        }
      }
    }
  }
  return {};
}

}  // namespace emu

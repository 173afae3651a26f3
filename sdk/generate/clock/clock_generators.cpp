#include "sdk/generate/clock/clock_generators.h"

#include <QString>

#include <cstdint>

#include "model/common/bounded_text.h"
#include "model/common/little_endian.h"
#include "render/clock_layout/clock_layout.h"
#include "render/dial/dial_marks.h"
#include "render/raster/dib24.h"
#include "render/raster/gdi_text.h"
#include "sdk/api/guarded_call.h"
#include "sdk/generate/bit_planes.h"
#include "sdk/generate/block_head.h"
#include "sdk/generate/clock/clock_elements.h"
#include "sdk/generate/text_engine.h"

namespace {

// Appends the element table and glyph data of a layout and finishes the block;
// returns its length or a negative KQ_ code.
[[nodiscard]] int FinishClockBlock(const ClockLayout& layout, std::vector<std::uint8_t>& block) {
  const int result = AppendElements(block, layout);
  return result == KQ_OK ? FinishBlock(block) : result;
}

// ---- Countdown --------------------------------------------------------------------

[[nodiscard]] int GenerateTimeBlock(const CardRect& area, const TimeAreaInfo& info,
                                    std::vector<std::uint8_t>& block) {
  ClockLayout layout;
  if (!LayOutCountdown(info, area.Width(), area.Height(), layout)) return KQ_ERR_DRAW;
  std::vector<std::uint8_t> out;
  StartBlock(out, AreaKind::Time, area);
  AppendZeros(out, 3);
  AppendLe16(out, info.nYear);
  for (const int part : {info.nMonth, info.nDay, info.nHour, info.nMinute, info.nSecond}) {
    AppendU8(out, part);
  }
  AppendLe16(out, layout.elements.size());
  const int length = FinishClockBlock(layout, out);
  if (length > 0) block = std::move(out);
  return length;
}

// ---- Analog clock ------------------------------------------------------------------

// The face: marks and the face text in a picture of the area's size, as planes.
[[nodiscard]] int RenderFace(const CardRect& area, const ClockAreaInfo& info, int colorType,
                             int margin, std::vector<std::uint8_t>& planes) {
  const int width = area.Width();
  const int height = area.Height();
  Dib24 face(width, height);
  if (face.IsNull()) return KQ_ERR_DRAW;
  const MarkStyle hourStyle{info.HourMarkColor, info.HourMarkType, info.HourMarkWidth};
  const MarkStyle minuteStyle{info.MiniteMarkColor, info.MiniteMarkType, info.MiniteMarkWidth};
  for (const DialMark& mark : DialMarks(info.ClockType, width, height, margin)) {
    DrawMark(face, mark.x, mark.y, mark.hour ? hourStyle : minuteStyle);
  }
  const QString words = ReadBoundedText(info.ShowStr);
  if (!words.isEmpty()) {
    const QFont font = ShowStrFont(info);
    const QSize extent = TextExtent(font, words);
    DrawTextTopLeft(face, (width - extent.width()) / 2, height / 4 - extent.height() / 2, words,
                    font, info.ShowStrFont_FontColor);
  }
  const std::int64_t planeSize = PlaneRowBytes(area.left, width) * height;
  planes.assign(static_cast<std::size_t>(planeSize * colorType), 0xFF);
  const bool converted =
      DibToBitPlanes(planes.data(), static_cast<std::size_t>(planeSize), colorType, face.Bits(),
                     width, height, static_cast<std::size_t>(face.Stride()), area.left % 8);
  return converted ? KQ_OK : KQ_ERR_DRAW;
}

[[nodiscard]] int GenerateClockBlock(std::vector<std::uint8_t>& block, const CardRect& area,
                                     const ClockAreaInfo& info, int colorType) {
  const int margin = DialMargin(info.HourMarkWidth, info.MiniteMarkWidth);
  std::vector<std::uint8_t> face;
  const int result = RenderFace(area, info, colorType, margin, face);
  if (result != KQ_OK) return result;
  ClockLayout layout;
  if (!LayOutAnalogClockLines(info, area.Width(), area.Height(), layout)) return KQ_ERR_DRAW;

  std::vector<std::uint8_t> out;
  StartBlock(out, AreaKind::AnalogClock, area);
  AppendLe16(out, TimeOffsetField(info.TimeLagType, info.HourNum, info.MiniteNum));
  for (const ColorRef hand :
       {info.HourPointerColor, info.MinitePointerColor, info.SecondPointerColor}) {
    AppendU8(out, ColorBits(hand));
    AppendZeros(out, 2);
  }
  for (const int handWidth :
       {info.HourPointerWidth, info.MinutePointerWidth, info.SecondPointerWidth}) {
    AppendU8(out, handWidth);
  }
  out.insert(out.end(), face.begin(), face.end());
  AppendLe16(out, layout.elements.size());
  const int length = FinishClockBlock(layout, out);
  if (length > 0) block = std::move(out);
  return length;
}

[[nodiscard]] int GenerateDigitalClockBlock(const CardRect& area, const DigitalClockAreaInfo& info,
                                            std::vector<std::uint8_t>& block) {
  ClockLayout layout;
  if (!LayOutDigitalClock(info, area.Width(), area.Height(), layout)) return KQ_ERR_DRAW;
  std::vector<std::uint8_t> out;
  StartBlock(out, AreaKind::DigitalClock, area);
  AppendLe16(out, TimeOffsetField(info.TimeLagType, info.HourNum, info.MiniteNum));
  AppendLe16(out, kElementBytes * layout.elements.size());
  const int length = FinishClockBlock(layout, out);
  if (length < 0) return length;
  block = std::move(out);
  return KQ_OK;
}

// Runs a generator where text can be drawn, through the library's one guard.
template <typename Generate>
[[nodiscard]] int GuardedWithText(Generate generate) {
  if (!CanDrawText()) return KQ_ERR_DRAW;
  return Guarded(generate);
}

}  // namespace

int GenerateTimeArea(const CardRect& area, const TimeAreaInfo& info,
                     std::vector<std::uint8_t>& block) {
  return GuardedWithText([&] { return GenerateTimeBlock(area, info, block); });
}

int GenerateDigitalClockArea(const CardRect& area, const DigitalClockAreaInfo& info,
                             std::vector<std::uint8_t>& block) {
  return GuardedWithText([&] { return GenerateDigitalClockBlock(area, info, block); });
}

int GenerateClockArea(std::vector<std::uint8_t>& block, const CardRect& area,
                      const ClockAreaInfo& info, int colorType) {
  if (colorType < 1 || colorType > 3 || area.left < 0 || area.Width() < 1 || area.Height() < 1) {
    return KQ_ERR_BAD_SIZE;
  }
  return GuardedWithText([&] { return GenerateClockBlock(block, area, info, colorType); });
}

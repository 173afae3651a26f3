#pragma once
// The preview's analog clock: a face of 60 marks, a fixed text and three hands,
// drawn again only when the shown second changes and copied centred into the area
// picture on every tick, with the date and weekday lines composed from the element
// table the card gets. The hands take the colours the card draws them in (each
// channel lit when above 128, as far as the screen has it; a hand of none is not
// drawn).

#include <QImage>

#include <cstdint>
#include <ctime>
#include <optional>

#include "model/project/area_records.h"
#include "render/clock/layout_drawing.h"
#include "render/common/play_clock.h"

class CClockImage {
 public:
  // The clock reads the time from `clock`, which must outlive it.
  explicit CClockImage(const PlayClock& clock);
  virtual ~CClockImage() = default;
  CClockImage(const CClockImage&) = delete;
  CClockImage& operator=(const CClockImage&) = delete;

  // Prepares the clock for an area of width x height pixels (each at least 1) and
  // the record, which the caller keeps alive and may change in place, on a screen of
  // colors (none: all channels); starts the pass. Returns 1, or 0 when the face
  // picture cannot be made or would be larger than any screen (Dib24::IsValidSize);
  // Draw then draws nothing but still reports its passes.
  [[nodiscard]] int Init(int height, int width, const ClockAreaInfo* settings,
                         std::optional<ScreenColors> colors = std::nullopt);

  // Renders the face when the shown second has changed, fills the area black, copies
  // the face to ((width - side) / 2, (height - side) / 2), side the smaller of width
  // and height, and composes the date and weekday lines over it. area should be a
  // Format_RGB32 picture of the area's size.
  // Returns 1 while at most 1000 ms have passed since the start tick, else 0.
  int Draw(QImage& area);

  // Draws the face for the clock time when its second differs from the last drawn.
  void RenderFace();

  // A new pass starts now; nothing else is rebuilt.
  void Restart();

  int Radius() const { return radius_; }
  const QImage& Face() const { return face_; }

 private:
  void DrawMarks();
  void DrawFixedText(int side);
  void DrawHands(const std::tm& time, float centre);

  const PlayClock& clock_;
  int width_ = 1;
  int height_ = 1;
  const ClockAreaInfo* settings_ = nullptr;
  std::optional<ScreenColors> colors_;
  int radius_ = 1;
  std::int64_t clockTime_ = 0;
  int lastSecond_ = -1;
  std::uint32_t startTick_ = 0;
  QImage face_;           // side x side, Format_RGB32
  ElementValues values_;  // of the clock time last drawn
  CachedClockLayout<ClockAreaInfo> lines_{&LayOutAnalogClockLines};
};

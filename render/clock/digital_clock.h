#pragma once
// The preview's digital clock: a fixed text, the date, the weekday and the time in
// one font, on one line or one line each, drawn again only when the shown second
// changes. The card draws the same area from the same record itself.

#include <QImage>
#include <QString>

#include <cstdint>
#include <ctime>

#include "model/project/area_records.h"
#include "render/common/play_clock.h"

class CDigitalClockImage {
 public:
  // The clock reads the time from `clock`, which must outlive it.
  explicit CDigitalClockImage(const PlayClock& clock) : clock_(clock) {}
  virtual ~CDigitalClockImage() = default;
  CDigitalClockImage(const CDigitalClockImage&) = delete;
  CDigitalClockImage& operator=(const CDigitalClockImage&) = delete;

  // Set by the area player right after construction: the area's size, the record
  // (kept alive by the caller, read in place) and the tick its pass started at
  // (reset by the player at every restart).
  int width = 1;
  int height = 1;
  const DigitalClockAreaInfo* settings = nullptr;
  std::uint32_t startTick = 0;

  // Draws into area (a Format_RGB32 picture of the area's size) when the second of
  // the clock time differs from the last one drawn; otherwise leaves it as it is.
  // Returns 1; the area player ends a pass by ClockPassOver(clock, startTick).
  int Draw(QImage& area);

  const QString& DateText() const { return date_; }
  const QString& WeekdayText() const { return weekday_; }
  const QString& TimeText() const { return time_; }

 private:
  void BuildTexts(const std::tm& time);
  void DrawSingleLine(QImage& area, const QFont& font, const QString& fixed) const;
  void DrawLines(QImage& area, const QFont& font, const QString& fixed) const;

  const PlayClock& clock_;
  std::int64_t clockTime_ = 0;
  int lastSecond_ = -1;
  QString date_;
  QString weekday_;
  QString time_;
};

#include "render/clock/analog_clock.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/common/bounded_text.h"
#include "render/clock/clock_time.h"
#include "render/clock_layout/clock_elements.h"
#include "render/dial/dial_marks.h"
#include "render/raster/dib24.h"
#include "render/raster/fill_rect.h"
#include "render/raster/gdi_text.h"

namespace {

// π as the clock has always been drawn with (the last digits differ from the true
// value), the same the dial uses.
constexpr double kPi = 3.1415926525;

constexpr ColorRef kBlack = 0;

// The point at angle a (radians, clockwise from 12 o'clock) and distance d from the
// centre, each coordinate truncated toward zero.
QPoint HandPoint(double angle, int distance, float centre) {
  return QPoint(static_cast<int>(distance * std::sin(angle) + centre),
                static_cast<int>(centre - distance * std::cos(angle)));
}

// A hand of colour bits (none: not drawn): the centre, a point left of the tip, the
// tip and a point right of it.
void DrawHand(QPainter& painter, float centre, int bits, double before, int baseDistance,
              double tip, int tipDistance, double after) {
  if (bits == 0) return;
  const QColor qcolor = QColor::fromRgb(ColorOfBits(bits));
  painter.setPen(QPen(qcolor, 1));
  painter.setBrush(qcolor);
  const int c = static_cast<int>(centre);
  const QPolygon hand({QPoint(c, c), HandPoint(before, baseDistance, centre),
                       HandPoint(tip, tipDistance, centre),
                       HandPoint(after, baseDistance, centre)});
  painter.drawPolygon(hand);
}

// A filled disc of the radius round the centre, in the box (c - radius, c - radius)
// of side 2 x radius, right and bottom edges excluded; of colour bits (none: not drawn).
void DrawHub(QImage& face, float centre, int radius, int bits) {
  if (bits == 0) return;
  DrawMark(face, centre, centre, {QRgbToColorRef(ColorOfBits(bits)), kMarkCircle, 2 * radius});
}

// Copies source into target at (x, y), clipped to target; both Format_RGB32.
void CopyInto(QImage& target, const QImage& source, int x, int y) {
  const int firstX = std::max(x, 0);
  const int endX = std::min(x + source.width(), target.width());
  if (firstX >= endX) return;
  for (int row = std::max(y, 0); row < std::min(y + source.height(), target.height()); ++row) {
    const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(row - y)) + (firstX - x);
    auto* to = reinterpret_cast<QRgb*>(target.scanLine(row)) + firstX;
    std::memcpy(to, from, sizeof(QRgb) * static_cast<std::size_t>(endX - firstX));
  }
}

}  // namespace

CClockImage::CClockImage(const PlayClock& clock) : clock_(clock) {}

int CClockImage::Init(int height, int width, const ClockAreaInfo* settings,
                      std::optional<ScreenColors> colors) {
  colors_ = colors;
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
  settings_ = settings;
  const int side = std::min(width_, height_);
  radius_ = side / 2 < 9 ? 1 : side / 2 - 8;
  lastSecond_ = -1;
  startTick_ = clock_.TickMs();
  // A face no screen could show is not made at all.
  face_ = Dib24::IsValidSize(side, side) ? QImage(side, side, QImage::Format_RGB32) : QImage();
  return face_.isNull() ? 0 : 1;
}

void CClockImage::Restart() { startTick_ = clock_.TickMs(); }

int CClockImage::Draw(QImage& area) {
  if (settings_ != nullptr && !face_.isNull()) {
    RenderFace();
    const int side = face_.width();
    FillRect(area, PixelRectOfSize(area.width(), area.height()), kBlack);
    CopyInto(area, face_, (width_ - side) / 2, (height_ - side) / 2);
    DrawClockLayout(area, lines_.Get(*settings_, width_, height_), values_, colors_);
  }
  return ClockPassOver(clock_, startTick_) ? 0 : 1;
}

void CClockImage::RenderFace() {
  if (settings_ == nullptr || face_.isNull()) return;
  const ClockAreaInfo& info = *settings_;
  clockTime_ =
      AnalogClockSeconds(clock_.NowSeconds(), info.TimeLagType, info.HourNum, info.MiniteNum);
  const std::optional<std::tm> time = LocalTime(clockTime_);
  if (!time || time->tm_sec == lastSecond_) return;
  lastSecond_ = time->tm_sec;
  values_ = ClockValues(*time);
  const int side = face_.width();
  FillRect(face_, PixelRectOfSize(side, side), kBlack);
  const float centre = static_cast<float>(side) * 0.5f;
  DrawMarks();
  DrawFixedText(side);
  DrawHands(*time, centre);
}

void CClockImage::DrawMarks() {
  const ClockAreaInfo& info = *settings_;
  const int side = face_.width();
  const int margin = DialMargin(info.HourMarkWidth, info.MiniteMarkWidth);
  const MarkStyle hourStyle{info.HourMarkColor, info.HourMarkType, info.HourMarkWidth};
  const MarkStyle minuteStyle{info.MiniteMarkColor, info.MiniteMarkType, info.MiniteMarkWidth};
  for (const DialMark& mark : DialMarks(info.ClockType, side, side, margin)) {
    DrawMark(face_, mark.x, mark.y, mark.hour ? hourStyle : minuteStyle);
  }
}

void CClockImage::DrawFixedText(int side) {
  const ClockAreaInfo& info = *settings_;
  const QString text = ReadBoundedText(info.ShowStr);
  if (text.isEmpty()) return;
  const QFont font = ShowStrFont(info);
  const QSize extent = TextExtent(font, text);
  DrawTextTopLeft(face_, (side - extent.width()) / 2, side / 4 - extent.height() / 2, text, font,
                  info.ShowStrFont_FontColor);
}

void CClockImage::DrawHands(const std::tm& time, float centre) {
  const ClockAreaInfo& info = *settings_;
  const int r = radius_;
  const double hour = time.tm_hour % 12 + time.tm_min / 60.0;
  const double minute = time.tm_min + time.tm_sec / 60.0;
  const double second = time.tm_sec;
  const double hourStep = 2 * kPi / 12;
  const double minuteStep = kPi / 30;
  // The colours the card draws the hands in.
  const int hourBits = VisibleBits(ColorBits(info.HourPointerColor), colors_);
  const int minuteBits = VisibleBits(ColorBits(info.MinitePointerColor), colors_);
  const int secondBits = VisibleBits(ColorBits(info.SecondPointerColor), colors_);
  {
    QPainter painter(&face_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawHand(painter, centre, hourBits, (hour - 1) * hourStep, r / 7, hour * hourStep, 4 * r / 7,
             (hour + 1) * hourStep);
  }
  DrawHub(face_, centre, r / 16, hourBits);
  {
    QPainter painter(&face_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawHand(painter, centre, minuteBits, (minute - 2) * minuteStep, r / 6, minute * minuteStep,
             3 * r / 4, (minute + 2) * minuteStep);
    DrawHand(painter, centre, secondBits, (second - 1) * minuteStep, r / 8, second * minuteStep,
             7 * r / 8, (second + 1) * minuteStep);
  }
  DrawHub(face_, centre, r / 20, secondBits);
}

#include "editors/border/border_rules.h"

#include <QPainter>

#include <algorithm>

#include "render/borders/border_strips.h"

namespace {

struct Span {
  int position;
  int length;
};

// One axis of the push: the span kept at least `border` from both ends of `extent`.
Span PushSpan(int position, int length, int extent, int border) {
  position = std::max(position, border);
  if (position + length > extent - border) {
    position = extent - border - length;
    if (position < border) {
      position = border;
      length = extent - 2 * border;
    }
  }
  return {position, std::max(length, 1)};
}

}  // namespace

int GetBorderWidth(int family, int style) {
  const int thickness = BorderStripThickness(family, style);
  return thickness > 0 ? thickness : 1;
}

QRect PushInsideBorder(const QRect& area, int screenWidth, int screenHeight, int border) {
  const Span x = PushSpan(area.left(), area.width(), screenWidth, border);
  const Span y = PushSpan(area.top(), area.height(), screenHeight, border);
  return QRect(x.position, y.position, x.length, y.length);
}

QImage BorderStylePicture(int family, int style, ScreenColors colors) {
  QImage picture(kStylePictureWidth, kStylePictureHeight, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QImage strip = BuiltInBorderStrip(family, style).ToImage();
  if (strip.isNull()) return picture;
  ReduceColors(strip, colors);
  QPainter painter(&picture);
  const int top = (kStylePictureHeight - strip.height()) / 2;
  for (int left = 0; left < kStylePictureWidth; left += strip.width()) {
    painter.drawImage(left, top, strip);
  }
  return picture;
}

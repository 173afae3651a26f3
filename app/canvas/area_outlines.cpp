#include "app/canvas/area_outlines.h"

#include <QPainter>

#include <algorithm>

#include "model/common/bounded_text.h"
#include "render/raster/blend_rect.h"
#include "render/raster/color_ref.h"

namespace {

constexpr ColorRef kSelectedColor = 0x00FF00;
constexpr ColorRef kHoveredColor = 0x15C8F7;
constexpr ColorRef kOtherColor = 0x8241E2;
constexpr ColorRef kBadgeColor = 0xFF0000;  // blue

int Scale(int edge, float zoom) { return static_cast<int>(static_cast<float>(edge) * zoom); }

QPen OutlinePen(int position, const OutlineStyle& style) {
  if (position == style.selected) return QPen(QColor::fromRgb(ColorRefToQRgb(kSelectedColor)), 0);
  const ColorRef color = position == style.hovered ? kHoveredColor : kOtherColor;
  return QPen(QColor::fromRgb(ColorRefToQRgb(color)), 0,
              style.dotted ? Qt::DotLine : Qt::SolidLine);
}

// The eight handles round r (right and bottom excluded), as filled rectangles given by
// their edges, right and bottom excluded.
void DrawHandles(QPainter& painter, const QRect& r) {
  const int left = r.left();
  const int top = r.top();
  const int right = r.left() + r.width();
  const int bottom = r.top() + r.height();
  const int midX = left + (right - left) / 2;
  const int midY = top + (bottom - top) / 2;
  const QRect handles[] = {
      QRect(QPoint(left - 2, top - 2), QPoint(left + 2, top + 2)),
      QRect(QPoint(midX - 3, top - 2), QPoint(midX + 1, top + 2)),
      QRect(QPoint(right - 3, top - 2), QPoint(right + 1, top + 2)),
      QRect(QPoint(right - 3, midY - 3), QPoint(right + 1, midY + 1)),
      QRect(QPoint(right - 3, bottom - 3), QPoint(right + 1, bottom + 1)),
      QRect(QPoint(midX - 3, bottom - 3), QPoint(midX + 1, bottom + 1)),
      QRect(QPoint(left - 2, bottom - 3), QPoint(left + 2, bottom + 1)),
      QRect(QPoint(left - 2, midY - 3), QPoint(left + 2, midY + 1)),
  };
  for (const QRect& handle : handles) painter.fillRect(handle, Qt::white);
}

// "x:left,y:top" over "w:width,h:height" in screen pixels, one pixel inside the
// outline's top-left corner.
void DrawDragBadge(QPainter& painter, QImage& target, const AreaRecord& area, const QRect& outline,
                   int alpha) {
  const QString position =
      QStringLiteral("x:%1,y:%2").arg(area.AreaRect_Left).arg(area.AreaRect_Top);
  const QString size = QStringLiteral("w:%1,h:%2")
                           .arg(area.AreaRect_Right - area.AreaRect_Left)
                           .arg(area.AreaRect_Bottom - area.AreaRect_Top);
  const QFontMetrics metrics = painter.fontMetrics();
  const QRect badge(outline.left() + 1, outline.top() + 1,
                    std::max(metrics.horizontalAdvance(position), metrics.horizontalAdvance(size)),
                    2 * metrics.height());
  BlendRect(target,
            PixelRect{badge.left(), badge.top(), badge.left() + badge.width(),
                      badge.top() + badge.height()},
            kBadgeColor, alpha);
  // One line each: the badge is as wide as the wider line, and Qt's wrapping would
  // break a line that fits only to within rounding.
  painter.setPen(Qt::white);
  painter.drawText(badge, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, position);
  painter.drawText(badge.translated(0, metrics.height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, size);
}

}  // namespace

QFont CanvasFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(12);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

QRect ScaledAreaRect(const AreaRecord& area, const OutlineStyle& style) {
  const int left = Scale(area.AreaRect_Left, style.zoom) - style.shiftX;
  const int top = Scale(area.AreaRect_Top, style.zoom) - style.shiftY;
  const int right = Scale(area.AreaRect_Right, style.zoom) - style.shiftX;
  const int bottom = Scale(area.AreaRect_Bottom, style.zoom) - style.shiftY;
  return QRect(left, top, right - left, bottom - top);
}

void DrawAreaOutlines(QImage& target, const std::vector<AreaRecord*>& areas,
                      const OutlineStyle& style) {
  if (target.isNull()) return;
  QPainter painter(&target);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  painter.setFont(CanvasFont());
  for (int i = 0; i < static_cast<int>(areas.size()); ++i) {
    const int position = i + 1;
    const QRect rect = ScaledAreaRect(*areas[i], style);
    painter.setPen(OutlinePen(position, style));
    // A 1-pixel pen round the pixels left to right - 1: Qt's outline reaches one
    // pixel past a QRect's width.
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    DrawHandles(painter, rect);
    if (style.dotted && position == style.hovered) {
      painter.setPen(Qt::white);
      painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine,
                       ReadBoundedText(areas[i]->AreaName));
    }
    if (style.dragging && position == style.selected) {
      DrawDragBadge(painter, target, *areas[i], rect, style.badgeAlpha);
    }
  }
}

#include "app/canvas/canvas_view.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

#include "render/raster/dib24.h"
#include "render/raster/fill_rect.h"
#include "render/raster/stretch_image.h"

namespace {

constexpr ColorRef kGridColor = 0x202020;

// The smallest grid and enlargement factor the zoomed picture is sized for.
int SizingFactor(const CanvasView& view) { return std::max(1, view.Factor()); }

// The screen pixel under the window's top-left corner: (int)(scroll / zoom).
QPoint ScreenCorner(const CanvasView& view) {
  if (!(view.zoom > 0.0f)) return {};
  const auto unzoomed = [&view](int scroll) {
    return static_cast<int>(std::clamp<float>(static_cast<float>(scroll) / view.zoom, 0.0f,
                                              static_cast<float>(Dib24::kMaxSide)));
  };
  return {unzoomed(view.scrollX), unzoomed(view.scrollY)};
}

// A screen coordinate at the zoom, in the zoomed picture's pixels.
int Zoomed(int screen, float zoom, int scroll) {
  return static_cast<int>(static_cast<float>(screen) * zoom) - scroll;
}

void StretchWhole(const ScreenPicture& unzoomed, QImage& zoomed, const CanvasView& view) {
  const PixelRect covered = unzoomed.Covered();
  const PixelRect target{Zoomed(covered.left, view.zoom, view.scrollX),
                         Zoomed(covered.top, view.zoom, view.scrollY),
                         Zoomed(covered.right, view.zoom, view.scrollX),
                         Zoomed(covered.bottom, view.zoom, view.scrollY)};
  const QImage& picture = unzoomed.image;
  static_cast<void>(StretchNearest(picture, PixelRectOfSize(picture.width(), picture.height()),
                                   zoomed, target, NearestCopy::kOpaque));
}

// From zoom 1: the visible screen pixels, each n x n; the part of the source rectangle
// beyond the picture is left out, with the matching part of the target.
void StretchVisible(const ScreenPicture& unzoomed, QImage& zoomed, const CanvasView& view) {
  const int n = view.Factor();
  const QPoint corner = ScreenCorner(view);
  const PixelRect wanted{
      corner.x(), corner.y(),
      corner.x() + static_cast<int>(static_cast<float>(view.viewWidth) / view.zoom) + 2,
      corner.y() + static_cast<int>(static_cast<float>(view.viewHeight) / view.zoom) + 2};
  const PixelRect source = wanted.Intersected(unzoomed.Covered());
  if (source.IsEmpty()) return;
  const PixelRect target{n * source.left - view.scrollX, n * source.top - view.scrollY,
                         n * source.right - view.scrollX, n * source.bottom - view.scrollY};
  static_cast<void>(StretchNearest(unzoomed.image, unzoomed.ToPicture(source), zoomed, target,
                                   NearestCopy::kOpaque));
}

void DrawGridLines(QImage& zoomed, const CanvasView& view, int screenWidth, int screenHeight) {
  const int n = view.Factor();
  const int bottom = n * screenHeight - view.scrollY;
  for (int i = view.scrollX / n; i < (view.scrollX + view.viewWidth) / n; ++i) {
    const int x = n * (i + 1) - 1 - view.scrollX;
    FillRect(zoomed, PixelRect{x, -view.scrollY, x + 1, bottom}, kGridColor);
  }
  const int right = n * screenWidth - view.scrollX;
  for (int j = view.scrollY / n; j < (view.scrollY + view.viewHeight) / n; ++j) {
    const int y = n * (j + 1) - 1 - view.scrollY;
    FillRect(zoomed, PixelRect{-view.scrollX, y, right, y + 1}, kGridColor);
  }
}

}  // namespace

QImage MakeZoomedPicture(const CanvasView& view) {
  if (view.viewWidth <= 0 || view.viewHeight <= 0) return {};
  const int margin = 2 * SizingFactor(view);
  QImage picture(view.viewWidth + margin, view.viewHeight + margin, QImage::Format_RGB32);
  if (!picture.isNull()) picture.fill(Qt::black);
  return picture;
}

PixelRect VisibleScreenPart(const CanvasView& view, int screenWidth, int screenHeight) {
  if (view.viewWidth <= 0 || view.viewHeight <= 0 || !(view.zoom > 0.0f)) return {};
  const QPoint corner = ScreenCorner(view);
  const auto span = [&view](int viewSide, int corner, int screenSide) {
    const double shown = std::ceil(static_cast<double>(viewSide) / view.zoom) + 2;
    const int length = static_cast<int>(std::min<double>(shown, std::max(screenSide, 0)));
    const int from = std::clamp(corner, 0, std::max(screenSide, 0) - length);
    return std::pair{from, from + length};
  };
  const auto [left, right] = span(view.viewWidth, corner.x(), screenWidth);
  const auto [top, bottom] = span(view.viewHeight, corner.y(), screenHeight);
  return PixelRect{left, top, right, bottom}.Intersected(
      PixelRectOfSize(screenWidth, screenHeight));
}

void StretchToZoomed(const ScreenPicture& unzoomed, QImage& zoomed, const CanvasView& view) {
  if (zoomed.isNull() || unzoomed.image.isNull()) return;
  zoomed.fill(Qt::black);
  if (view.zoom < 1.0f) {
    StretchWhole(unzoomed, zoomed, view);
  } else {
    StretchVisible(unzoomed, zoomed, view);
  }
}

QImage MakeDotPattern(const CanvasView& view) {
  const int n = view.Factor();
  if (n < 6 || view.viewWidth <= 0 || view.viewHeight <= 0) return {};
  QImage cell(n, n, QImage::Format_RGB32);
  cell.fill(QColor::fromRgb(kGridColor));
  {
    QPainter painter(&cell);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    // The dot covers n - 1 pixels: the outline adds one to the rectangle's extent.
    painter.drawEllipse(QRect(0, 0, n - 2, n - 2));
  }
  QImage pattern(n * (view.viewWidth / n + 2), n * (view.viewHeight / n + 2), QImage::Format_RGB32);
  if (pattern.isNull()) return {};
  for (int y = 0; y < pattern.height(); ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(cell.constScanLine(y % n));
    auto* to = reinterpret_cast<QRgb*>(pattern.scanLine(y));
    for (int x = 0; x < pattern.width(); ++x) to[x] = from[x % n];
  }
  return pattern;
}

void DrawPixelGrid(QImage& zoomed, const QImage& dotPattern, const CanvasView& view,
                   int screenWidth, int screenHeight) {
  const int n = view.Factor();
  if (n < 2 || zoomed.isNull()) return;
  if (n < 6) {
    DrawGridLines(zoomed, view, screenWidth, screenHeight);
    return;
  }
  if (dotPattern.isNull()) return;
  const int x = view.scrollX % n;
  const int y = view.scrollY % n;
  static_cast<void>(
      StretchNearest(dotPattern, PixelRect{x, y, x + view.viewWidth, y + view.viewHeight}, zoomed,
                     PixelRectOfSize(view.viewWidth, view.viewHeight), NearestCopy::kKeyedOnBlack));
}

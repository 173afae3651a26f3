#include "render/video/grab_renderer.h"

#include <QPainter>
#include <QTransform>

#include "render/raster/pixel_rect.h"
#include "render/raster/stretch_image.h"
#include "render/video/video_limits.h"

namespace {

bool IsRgb32(int format) { return format == AV_PIX_FMT_BGRA || format == AV_PIX_FMT_BGR0; }

// A smooth scale blends the fourth byte too, which a BGR0 picture leaves 0; the area
// picture keeps its pixels opaque.
void MakeOpaque(QImage& picture, const PixelRect& rect) {
  for (int y = rect.top; y < rect.bottom; ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = rect.left; x < rect.right; ++x) row[x] |= 0xFF000000u;
  }
}

bool DrawScaled(const QImage& source, QImage& target, int width, int height) {
  const PixelRect to = PixelRectOfSize(width, height);
  if (source.width() >= width && source.height() >= height) {
    return StretchNearest(source, PixelRectOfSize(source.width(), source.height()), target, to,
                          NearestCopy::kOpaque);
  }
  if (target.format() != QImage::Format_RGB32 && target.format() != QImage::Format_ARGB32) {
    return false;
  }
  QPainter painter(&target);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(to.ToQRect(), source);
  painter.end();
  MakeOpaque(target, to.Intersected(PixelRectOfSize(target.width(), target.height())));
  return true;
}

}  // namespace

CGrabRenderer::CGrabRenderer() : current_(av_frame_alloc()) {}

CGrabRenderer::~CGrabRenderer() = default;

void CGrabRenderer::SetYv12Mode(bool yv12) {
  const std::lock_guard guard(lock_);
  yv12Mode_ = yv12;
}

bool CGrabRenderer::Yv12Mode() const {
  const std::lock_guard guard(lock_);
  return yv12Mode_;
}

bool CGrabRenderer::CheckMediaType(int format, int width, int height) const {
  if (width <= 0 || height <= 0 || width > kMaxVideoSide || height > kMaxVideoSide) return false;
  if (!Yv12Mode()) return IsRgb32(format);
  return FrameConverter::CanConvert(format, width, height);
}

bool CGrabRenderer::MatchesMediaType(int format, int width, int height) const {
  const std::lock_guard guard(lock_);
  return format == frameFormat_ && width == videoWidth_ && height == videoHeight_;
}

void CGrabRenderer::SetQuarterTurns(int turns) {
  const std::lock_guard guard(lock_);
  quarterTurns_ = turns;
}

void CGrabRenderer::SetMediaType(int format, int width, int height) {
  const std::lock_guard guard(lock_);
  frameFormat_ = format;
  videoWidth_ = width;
  videoHeight_ = height;
}

bool CGrabRenderer::DoRenderSample(const AVFrame& frame) {
  const std::lock_guard guard(lock_);
  if (current_ == nullptr) return false;
  av_frame_unref(current_.get());
  converted_ = false;
  turned_ = QImage();
  hasSample_ = av_frame_ref(current_.get(), &frame) == 0;
  return hasSample_;
}

int CGrabRenderer::DrawCurrent(QImage& dc, int dw, int dh) {
  const std::lock_guard guard(lock_);
  if (!hasSample_) return 0;
  const QImage picture = CurrentPicture(dw, dh);
  return !picture.isNull() && DrawScaled(picture, dc, dw, dh) ? 1 : 0;
}

// The current picture as it is shown, turned where the stream says (once per picture).
// A converted picture to be shrunk to dw x dh is converted at that size.
QImage CGrabRenderer::CurrentPicture(int dw, int dh) {
  const AVFrame& frame = *current_;
  const bool across = quarterTurns_ % 2 != 0;  // a quarter turn either way swaps the sides
  QSize size(frame.width, frame.height);
  if (across) size.transpose();
  if (dw > 0 && dh > 0 && size.width() >= dw && size.height() >= dh) size = QSize(dw, dh);
  if (across) size.transpose();
  const QImage upright = UprightPicture(size);
  if (quarterTurns_ == 0 || upright.isNull()) return upright;
  const QSize turnedSize = across ? upright.size().transposed() : upright.size();
  if (turned_.size() != turnedSize) {
    // Turns by multiples of 90 degrees move pixels exactly.
    turned_ = upright.transformed(QTransform().rotate(90.0 * quarterTurns_));
  }
  return turned_;
}

// The current picture as 32-bit pixels, as the decoder made it: its own buffer in RGB
// mode, else converted into the buffer at size (once per picture and size). Each
// picture is read by its own format and size, which may differ from those of
// SetMediaType for a moment when they change. A null picture when it cannot be
// converted.
QImage CGrabRenderer::UprightPicture(QSize size) {
  const AVFrame& frame = *current_;
  if (!yv12Mode_ && IsRgb32(frame.format) && frame.linesize[0] > 0) {
    return QImage(static_cast<const uchar*>(frame.data[0]), frame.width, frame.height,
                  frame.linesize[0], QImage::Format_RGB32);
  }
  if (converted_ && conversionBuffer_.size() == size) return conversionBuffer_;
  if (conversionBuffer_.size() != size) {
    conversionBuffer_ = QImage(size, QImage::Format_RGB32);
  }
  if (conversionBuffer_.isNull() ||
      !converter_.Convert(frame, conversionBuffer_.bits(), conversionBuffer_.bytesPerLine(),
                          size.width(), size.height())) {
    converted_ = false;
    return QImage();
  }
  converted_ = true;
  return conversionBuffer_;
}

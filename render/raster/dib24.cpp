#include "render/raster/dib24.h"

#include <QRgb>

#include <algorithm>

std::int64_t Dib24::RowStride(std::int64_t width) { return (width * 24 + 31) / 32 * 4; }

std::int64_t Dib24::PictureBytes(std::int64_t width, std::int64_t height) {
  return RowStride(width) * height;
}

bool Dib24::IsValidSize(std::int64_t width, std::int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide &&
         PictureBytes(width, height) <= kMaxBytes;
}

Dib24::Dib24(int width, int height) {
  if (!IsValidSize(width, height)) return;
  width_ = width;
  height_ = height;
  stride_ = static_cast<int>(RowStride(width));
  bits_.assign(static_cast<size_t>(PictureBytes(width, height)), 0);
}

ColorRef Dib24::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const std::uint8_t* pixel = PixelAddress(x, y);
  return MakeColorRef(pixel[2], pixel[1], pixel[0]);
}

void Dib24::SetPixel(int x, int y, ColorRef color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  std::uint8_t* pixel = PixelAddress(x, y);
  pixel[0] = static_cast<std::uint8_t>(ColorRefBlue(color));
  pixel[1] = static_cast<std::uint8_t>(ColorRefGreen(color));
  pixel[2] = static_cast<std::uint8_t>(ColorRefRed(color));
}

QImage Dib24::ToImage() const { return CopyToImage(PixelRectOfSize(width_, height_)); }

QImage Dib24::CopyToImage(const PixelRect& rect) const {
  const PixelRect part = rect.Intersected(PixelRectOfSize(width_, height_));
  if (part.IsEmpty()) return {};
  QImage image(part.Width(), part.Height(), QImage::Format_RGB32);
  for (int y = 0; y < part.Height(); ++y) {
    const std::uint8_t* source = PixelAddress(part.left, part.top + y);
    auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < part.Width(); ++x, source += 3) {
      target[x] = qRgb(source[2], source[1], source[0]);
    }
  }
  return image;
}

void Dib24::CopyFromImage(const QImage& image, int x, int y) {
  if (IsNull() || image.isNull()) return;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const int left = std::max(x, 0);
  const int right = std::min(x + rgb.width(), width_);
  for (int row = std::max(y, 0); row < std::min(y + rgb.height(), height_); ++row) {
    const auto* source = reinterpret_cast<const QRgb*>(rgb.constScanLine(row - y));
    std::uint8_t* target = PixelAddress(left, row);
    for (int column = left; column < right; ++column, target += 3) {
      const QRgb pixel = source[column - x];
      target[0] = static_cast<std::uint8_t>(qBlue(pixel));
      target[1] = static_cast<std::uint8_t>(qGreen(pixel));
      target[2] = static_cast<std::uint8_t>(qRed(pixel));
    }
  }
}

Dib24 Dib24::FromImage(const QImage& image) {
  Dib24 picture(image.width(), image.height());
  picture.CopyFromImage(image, 0, 0);
  return picture;
}

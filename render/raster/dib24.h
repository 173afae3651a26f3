#pragma once
// A 24-bit device-independent picture as the frame file stores it and the card's
// plane converter reads it: rows from the bottom of the picture to the top, each row
// Width() pixels of three bytes (blue, green, red) padded with zeros to a multiple of
// 4 bytes. Coordinates in the calls below count from the top-left pixel, as on screen.

#include <QImage>

#include <cstdint>
#include <vector>

#include "render/raster/color_ref.h"
#include "render/raster/pixel_rect.h"

class Dib24 {
 public:
  // Largest side: the card's data fields hold 16-bit sizes.
  static constexpr int kMaxSide = 65535;
  // Largest pixel buffer, so that a size read from a file cannot ask for more memory
  // than any screen needs (65535 x 1365 or 4096 x 21845 pixels).
  static constexpr std::int64_t kMaxBytes = std::int64_t{256} * 1024 * 1024;

  // Bytes of one row: ((width x 24 + 31) / 32) x 4, in 64-bit arithmetic.
  static std::int64_t RowStride(std::int64_t width);
  // Bytes of a whole picture: RowStride(width) x height.
  static std::int64_t PictureBytes(std::int64_t width, std::int64_t height);
  // True for 1 <= width, height <= kMaxSide with at most kMaxBytes of pixels.
  static bool IsValidSize(std::int64_t width, std::int64_t height);

  // A null picture (no pixels).
  Dib24() = default;
  // A black picture; null when the size is not valid.
  Dib24(int width, int height);

  bool IsNull() const { return bits_.empty(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return stride_; }
  // The pixel buffer, Stride() x Height() bytes, bottom row first.
  std::uint8_t* Bits() { return bits_.data(); }
  const std::uint8_t* Bits() const { return bits_.data(); }
  std::int64_t SizeInBytes() const { return static_cast<std::int64_t>(bits_.size()); }

  // The pixel at (x, y) from the top-left; 0 (black) outside the picture.
  ColorRef Pixel(int x, int y) const;
  // Sets the pixel at (x, y); a point outside the picture is ignored.
  void SetPixel(int x, int y, ColorRef color);

  // The blue byte of pixel (x, y), followed by green and red. (x, y) must lie inside.
  std::uint8_t* PixelAddress(int x, int y) { return Row(y) + std::int64_t{x} * 3; }
  const std::uint8_t* PixelAddress(int x, int y) const { return Row(y) + std::int64_t{x} * 3; }

  // The picture as an opaque Format_RGB32 image (null for a null picture).
  QImage ToImage() const;
  // The part of the picture inside rect, clipped to it, as a Format_RGB32 image
  // (null when nothing is left).
  QImage CopyToImage(const PixelRect& rect) const;
  // Copies the pixels of image at (x, y) into this picture, clipped to both; alpha is
  // dropped.
  void CopyFromImage(const QImage& image, int x, int y);
  // A picture of the image's size and pixels; null when the image is null or too large.
  static Dib24 FromImage(const QImage& image);

 private:
  std::uint8_t* Row(int y) { return bits_.data() + std::int64_t{height_ - 1 - y} * stride_; }
  const std::uint8_t* Row(int y) const {
    return bits_.data() + std::int64_t{height_ - 1 - y} * stride_;
  }

  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::vector<std::uint8_t> bits_;
};

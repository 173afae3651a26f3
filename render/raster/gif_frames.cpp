#include "render/raster/gif_frames.h"

#include <gif_lib.h>

#include <QRect>

#include <algorithm>
#include <array>
#include <vector>

#include "render/raster/gif_delays.h"

namespace {

constexpr QRgb kTransparent = 0;
constexpr QRgb kMissingColor = 0xFF000000;  // an index past the colour table
constexpr int kGraphicControlBytes = 4;

// Rows of an interlaced image come in four passes: every eighth from row 0, every
// eighth from row 4, every fourth from row 2, every second from row 1.
constexpr std::array<int, 4> kPassStart{0, 4, 2, 1};
constexpr std::array<int, 4> kPassStep{8, 8, 4, 2};

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

// giflib's input: the file's bytes from the buffer.
int ReadBytes(GifFileType* gif, GifByteType* bytes, int size) {
  const qint64 read =
      static_cast<QBuffer*>(gif->UserData)->read(reinterpret_cast<char*>(bytes), size);
  return read < 0 ? 0 : static_cast<int>(read);
}

bool FitsLimit(int width, int height) {
  return width > 0 && height > 0 && std::int64_t{width} * height <= kMaxGifPixels;
}

}  // namespace

// The composition of one pass through a GIF.
struct GifFrames::Decoder {
  std::unique_ptr<GifFileType, GifCloser> gif;
  QImage canvas;
  int disposal = DISPOSAL_UNSPECIFIED;  // of the frame last shown
  QRect disposed;                       // its rectangle on the canvas
  QImage previous;                      // what it covered, for DISPOSE_PREVIOUS
  std::int64_t composedPixels = 0;      // canvases given so far
  bool overBudget = false;              // they passed kMaxGifComposedPixels

  QImage Next();
  bool StartCanvas(const GifImageDesc& frame);
  void Dispose();
  QImage Compose(const GraphicsControlBlock& control);
  bool DrawRows(const GifImageDesc& frame, const GraphicsControlBlock& control);
  bool SkipImage();
  bool Spend();
};

GifFrames::GifFrames() = default;
GifFrames::~GifFrames() = default;

bool GifFrames::Open(PictureFile& file) {
  decoder_.reset();
  reader_ = nullptr;
  count_ = 0;
  tooLarge_ = false;
  QBuffer& bytes = file.Bytes();
  if (!bytes.data().startsWith("GIF")) {
    reader_ = &file.Reader();
    count_ = reader_->imageCount();
    return true;
  }
  const int count = static_cast<int>(GifFrameDelays(bytes).size());
  bytes.seek(0);
  int error = 0;
  auto decoder = std::make_unique<Decoder>();
  decoder->gif.reset(DGifOpen(&bytes, ReadBytes, &error));
  if (!decoder->gif) return false;
  tooLarge_ =
      std::int64_t{count} * decoder->gif->SWidth * decoder->gif->SHeight > kMaxGifComposedPixels;
  if (tooLarge_) return false;
  decoder_ = std::move(decoder);
  count_ = count;
  return true;
}

QImage GifFrames::Next() {
  if (reader_) return reader_->read();
  if (!decoder_) return {};
  QImage frame = decoder_->Next();
  if (frame.isNull()) {  // nothing after a frame that failed
    tooLarge_ = decoder_->overBudget;
    decoder_.reset();
  }
  return frame;
}

QImage GifFrames::Decoder::Next() {
  GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) return {};
    if (type == IMAGE_DESC_RECORD_TYPE) return Compose(control);
    if (type != EXTENSION_RECORD_TYPE) return {};  // the trailer, or what is no GIF
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) return {};
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] == kGraphicControlBytes) {
      DGifExtensionToGCB(kGraphicControlBytes, block + 1, &control);
    }
    while (block) {
      if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) return {};
    }
  }
}

// The canvas: the logical screen, or the first frame's extent when the screen has no
// size.
bool GifFrames::Decoder::StartCanvas(const GifImageDesc& frame) {
  int width = gif->SWidth, height = gif->SHeight;
  if (width <= 0 || height <= 0) {
    width = frame.Left + frame.Width;
    height = frame.Top + frame.Height;
  }
  if (!FitsLimit(width, height)) return false;
  canvas = QImage(width, height, QImage::Format_ARGB32);
  if (canvas.isNull()) return false;
  canvas.fill(kTransparent);
  return true;
}

// Applies the disposal of the frame last shown.
void GifFrames::Decoder::Dispose() {
  if (disposal == DISPOSE_BACKGROUND) {
    for (int y = disposed.top(); y <= disposed.bottom(); ++y) {
      QRgb* row = reinterpret_cast<QRgb*>(canvas.scanLine(y));
      std::fill(row + disposed.left(), row + disposed.right() + 1, kTransparent);
    }
  } else if (disposal == DISPOSE_PREVIOUS && !previous.isNull()) {
    for (int y = 0; y < previous.height(); ++y) {
      const QRgb* from = reinterpret_cast<const QRgb*>(previous.constScanLine(y));
      std::copy(from, from + previous.width(),
                reinterpret_cast<QRgb*>(canvas.scanLine(disposed.top() + y)) + disposed.left());
    }
  }
  previous = QImage();
}

QImage GifFrames::Decoder::Compose(const GraphicsControlBlock& control) {
  if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return {};
  const GifImageDesc frame = gif->Image;
  if (frame.Width <= 0 || frame.Height <= 0) {  // nothing to draw: the canvas again
    return !canvas.isNull() && Spend() && SkipImage() ? canvas : QImage();
  }
  if (!FitsLimit(frame.Width, frame.Height)) return {};
  if (canvas.isNull() && !StartCanvas(frame)) return {};
  if (!Spend()) return {};
  Dispose();
  disposal = control.DisposalMode;
  disposed = QRect(frame.Left, frame.Top, frame.Width, frame.Height) & canvas.rect();
  if (disposal == DISPOSE_PREVIOUS && !disposed.isEmpty()) previous = canvas.copy(disposed);
  if (!DrawRows(frame, control)) return {};
  return canvas;
}

// Counts one more canvas composed; false once they pass kMaxGifComposedPixels.
bool GifFrames::Decoder::Spend() {
  composedPixels += std::int64_t{canvas.width()} * canvas.height();
  overBudget = composedPixels > kMaxGifComposedPixels;
  return !overBudget;
}

// Decodes the frame's rows onto the canvas, in their interlaced order when they come
// so; every row is decoded, drawn or not, so that the file stays in step.
bool GifFrames::Decoder::DrawRows(const GifImageDesc& frame, const GraphicsControlBlock& control) {
  const ColorMapObject* colors = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
  std::array<QRgb, 256> palette;
  palette.fill(kMissingColor);
  for (int i = 0; colors && i < colors->ColorCount && i < 256; ++i) {
    const GifColorType& color = colors->Colors[i];
    palette[static_cast<std::size_t>(i)] = qRgb(color.Red, color.Green, color.Blue);
  }
  std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
  const int passes = frame.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const int start = frame.Interlace ? kPassStart[pass] : 0;
    const int step = frame.Interlace ? kPassStep[pass] : 1;
    for (int row = start; row < frame.Height; row += step) {
      if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR) return false;
      const int y = frame.Top + row;
      if (y < disposed.top() || y > disposed.bottom()) continue;
      QRgb* target = reinterpret_cast<QRgb*>(canvas.scanLine(y));
      for (int x = disposed.left(); x <= disposed.right(); ++x) {
        const GifPixelType index = line[static_cast<std::size_t>(x - frame.Left)];
        if (index != control.TransparentColor) target[x] = palette[index];
      }
    }
  }
  return true;
}

// Passes over the data of an image without pixels.
bool GifFrames::Decoder::SkipImage() {
  int codeSize = 0;
  GifByteType* block = nullptr;
  if (DGifGetCode(gif.get(), &codeSize, &block) == GIF_ERROR) return false;
  while (block) {
    if (DGifGetCodeNext(gif.get(), &block) == GIF_ERROR) return false;
  }
  return true;
}

#include "sdk/generate/page_generators.h"

#include <QImage>
#include <QImageReader>

#include "model/common/little_endian.h"
#include "render/frame/pak_frame_reader.h"
#include "render/raster/dib24.h"
#include "render/raster/gif_frames.h"
#include "render/raster/picture_file.h"
#include "render/raster/picture_on_background.h"
#include "sdk/generate/bit_planes.h"
#include "sdk/generate/gif_delay.h"

namespace {

// Fields of an index entry.
constexpr std::size_t kEffectAt = 0;
constexpr std::size_t kSpeedAt = 1;
constexpr std::size_t kStayAt = 2;
constexpr std::size_t kHeightAt = 4;
constexpr std::size_t kWidthAt = 6;
// Card effects that move a page vertically (the last frame's height counts) or
// horizontally (the last frame's width counts).
constexpr int kVerticalEffects[] = {94, 95};
constexpr int kHorizontalEffects[] = {96, 97};
constexpr int kGifEffect = 93;
constexpr int kSingleFrameGifSpeed = 5;
// No card holds a page this large; a larger one is refused before it is allocated.
constexpr std::int64_t kMaxPageBytes = std::int64_t{1} << 30;

// One index entry: the values of a frame as the card reads them.
struct FrameIndex {
  int effect = 0;
  int speed = 0;
  int stay = 0;
  int height = 0;
  int width = 0;
};

// Collects a page's frames: all index entries first, then the planes of all frames.
class PageFrames {
 public:
  // 0; -18 when the area is not a picture on the screen, -16 when colorType is not
  // 1-3, -12 when a page of frameCount frames of area is too large.
  [[nodiscard]] int Start(const CardRect& area, int colorType, int frameCount) {
    if (area.left < 0 || !Dib24::IsValidSize(area.Width(), area.Height())) return KQ_ERR_BAD_SIZE;
    if (colorType < 1 || colorType > 3) return KQ_ERR_DRAW;
    area_ = area;
    colorType_ = colorType;
    frameCount_ = frameCount;
    const std::int64_t bytes = GetPageDataSize(area, colorType, frameCount, planeSize_);
    if (frameCount <= 0 || bytes <= 0 || bytes > kMaxPageBytes) return KQ_ERR_FILE;
    data_.assign(static_cast<size_t>(bytes), 0xFF);
    return KQ_OK;
  }

  // Adds the next frame, a picture of the area's size. False when it cannot be
  // converted.
  [[nodiscard]] bool Add(const Dib24& frame, const FrameIndex& index) {
    if (frame.Width() != area_.Width() || frame.Height() != area_.Height()) return false;
    std::uint8_t* planes = NextFrame(index);
    return planes != nullptr &&
           Finish(DibToBitPlanes(planes, static_cast<size_t>(planeSize_), colorType_, frame.Bits(),
                                 frame.Width(), frame.Height(), static_cast<size_t>(frame.Stride()),
                                 area_.left % 8));
  }

  // Adds the reader's next frame, of the area's size, converted band by band as it
  // is read. False when it cannot be read or converted.
  [[nodiscard]] bool AddNext(PakFrameReader& reader, const FrameIndex& index) {
    std::uint8_t* planes = NextFrame(index);
    if (planes == nullptr) return false;
    const int height = area_.Height();
    const std::int64_t rowBytes = PlaneRowBytes(area_.left, area_.Width());
    const auto stride = static_cast<size_t>(Dib24::RowStride(area_.Width()));
    // Stored rows run from the bottom; plane rows from the top.
    return Finish(
        reader.ReadNextFrameInBands([&](const std::uint8_t* bits, int firstRow, int rows) {
          return DibToBitPlanes(planes + (height - firstRow - rows) * rowBytes,
                                static_cast<size_t>(planeSize_), colorType_, bits, area_.Width(),
                                rows, stride, area_.left % 8);
        }));
  }

  // Hands the frames to the page once all of them are in.
  void MoveTo(PageEntry& page) {
    page.FrameCount = frameCount_;
    page.Data = std::move(data_);
  }

 private:
  // Writes the next frame's index entry and gives its planes; null once all frames
  // are in.
  std::uint8_t* NextFrame(const FrameIndex& index) {
    if (added_ >= frameCount_) return nullptr;
    std::uint8_t* entry = data_.data() + std::int64_t{added_} * kIndexEntryBytes;
    entry[kEffectAt] = static_cast<std::uint8_t>(index.effect);
    entry[kSpeedAt] = static_cast<std::uint8_t>(index.speed);
    WriteLe16(entry + kStayAt, index.stay);
    WriteLe16(entry + kHeightAt, index.height);
    WriteLe16(entry + kWidthAt, index.width);
    return data_.data() + std::int64_t{frameCount_} * kIndexEntryBytes +
           std::int64_t{added_} * planeSize_ * colorType_;
  }

  // Counts the frame once its planes are converted.
  bool Finish(bool converted) {
    if (converted) ++added_;
    return converted;
  }

  CardRect area_;
  int colorType_ = 1;
  int frameCount_ = 0;
  int added_ = 0;
  std::int64_t planeSize_ = 0;
  std::vector<std::uint8_t> data_;
};

void ClearFrames(PageEntry& page) {
  page.FrameCount = 0;
  page.Data.clear();
}

bool Contains(const auto& values, int value) {
  for (int candidate : values) {
    if (candidate == value) return true;
  }
  return false;
}

// The page's own values for a frame of the area's size.
FrameIndex PageIndex(const CardRect& area, const PageEntry& page) {
  return {page.Effect, page.Speed, page.StayTime, area.Height(), area.Width()};
}

// The last frame of a frame file tells how much of it carries content: its height
// for vertical movement, its width for horizontal movement. A value outside the
// frame leaves the full size.
void ApplyLastExtent(FrameIndex& index, int effect, int lastExtent) {
  int* extent = Contains(kVerticalEffects, effect)     ? &index.height
                : Contains(kHorizontalEffects, effect) ? &index.width
                                                       : nullptr;
  if (extent && lastExtent >= 1 && lastExtent <= *extent) *extent = lastExtent;
}

// The picture drawn stretched onto a black picture of width x height, as the card
// shows it (and the preview too). Null when it cannot be drawn.
Dib24 DrawOnBlack(const QImage& image, int width, int height) {
  const QImage picture = PictureOnBackground(image, width, height);
  return picture.isNull() ? Dib24() : Dib24::FromImage(picture);
}

// The GIF speed: the page's own when it has one, 5 for a still GIF, else the first
// frame's delay (hundredths of a second) in the card's 30 ms steps.
int GifSpeed(int pageSpeed, int frameCount, int firstDelay) {
  if (pageSpeed >= 1) return pageSpeed;
  if (frameCount == 1) return kSingleFrameGifSpeed;
  return firstDelay * 10 / 30;
}

}  // namespace

int GeneratePakPages(const CardRect& area, PageEntry& page, int colorType) {
  ClearFrames(page);
  PakFrameReader reader;
  if (!reader.Open(page.FilePath)) return KQ_ERR_FILE;
  if (reader.ReadHeader(true) != PakCheck::Ok) return KQ_ERR_FRAME_MAGIC;
  const PakFileHeader& header = reader.Header();
  // Frames of another size would be read out of step with the file.
  if (header.Width != area.Width() || header.Height != area.Height()) return KQ_ERR_FRAME_MAGIC;
  PageFrames frames;
  if (const int code = frames.Start(area, colorType, header.FrameCount); code != KQ_OK) {
    return code;
  }
  for (int i = 0; i < header.FrameCount; ++i) {
    FrameIndex index = PageIndex(area, page);
    if (i == header.FrameCount - 1) ApplyLastExtent(index, page.Effect, header.LastExtent);
    if (!frames.AddNext(reader, index)) return KQ_ERR_FRAME_MAGIC;
  }
  frames.MoveTo(page);
  return KQ_OK;
}

int GenerateImagePage(const CardRect& area, PageEntry& page, int colorType) {
  ClearFrames(page);
  PictureFile file;
  if (!file.Read(page.FilePath)) return KQ_ERR_FILE;
  QImageReader& reader = file.Reader();
  const QImage image = reader.read();
  if (image.isNull()) return KQ_ERR_FILE;
  PageFrames frames;
  if (const int code = frames.Start(area, colorType, 1); code != KQ_OK) return code;
  const Dib24 frame = DrawOnBlack(image, area.Width(), area.Height());
  if (frame.IsNull() || !frames.Add(frame, PageIndex(area, page))) return KQ_ERR_DRAW;
  frames.MoveTo(page);
  return KQ_OK;
}

int GenerateGifPages(const CardRect& area, PageEntry& page, int colorType) {
  ClearFrames(page);
  PictureFile file;
  if (!file.Read(page.FilePath)) return KQ_ERR_FILE;
  const int firstDelay = FirstGifFrameDelay(file.Bytes());
  GifFrames gif;  // composed as the preview composes them
  if (!gif.Open(file)) return gif.TooLarge() ? KQ_ERR_BAD_SIZE : KQ_ERR_FILE;
  const int count = gif.Count();
  if (count <= 0) return KQ_ERR_FILE;
  // Each frame is drawn again at the area's size: that work has the same budget.
  if (std::int64_t{count} * area.Width() * area.Height() > kMaxGifComposedPixels) {
    return KQ_ERR_BAD_SIZE;
  }
  PageFrames frames;
  if (const int code = frames.Start(area, colorType, count); code != KQ_OK) return code;
  const FrameIndex index{kGifEffect, GifSpeed(page.Speed, count, firstDelay), 0, area.Height(),
                         area.Width()};
  for (int i = 0; i < count; ++i) {
    const QImage image = gif.Next();
    if (image.isNull()) return gif.TooLarge() ? KQ_ERR_BAD_SIZE : KQ_ERR_FILE;
    const Dib24 frame = DrawOnBlack(image, area.Width(), area.Height());
    if (frame.IsNull() || !frames.Add(frame, index)) return KQ_ERR_DRAW;
  }
  frames.MoveTo(page);
  return KQ_OK;
}

#include "render/player/scroll_player.h"

#include "render/raster/band_copy.h"
#include "render/raster/dib24.h"
#include "render/raster/pixel_rect.h"

namespace {

// The passes of a line whose width is unknown.
constexpr int kUnknownWidthPasses = 16;
// Trailing-fill flag of the reader: 1 draws no background frame after the last one.
constexpr int kNoTrailingFill = 1;

QImage MakePicture(int width, int height) {
  if (!Dib24::IsValidSize(width, height)) return {};
  QImage picture(width, height, QImage::Format_RGB32);
  if (!picture.isNull()) picture.fill(Qt::black);
  return picture;
}

}  // namespace

int ScrollPasses(int lineWidth, int innerWidth) {
  if (lineWidth <= 0) return kUnknownWidthPasses;
  if (lineWidth >= innerWidth) return 1;
  return (innerWidth + lineWidth - 1) / lineWidth;
}

int ScrollPlayer::Load(QImage* target, const QString& path, int width, int height, float speed,
                       int passes) {
  frame_ = MakePicture(width, height);
  snapshot_ = MakePicture(width, height);
  if (target == nullptr || frame_.isNull() || snapshot_.isNull()) return 0;
  target_ = target;
  path_ = path;
  speed_ = speed;
  passesWanted_ = passes;
  offset_ = 0;
  passesDone_ = 0;
  reader_.reset();
  return 1;
}

bool ScrollPlayer::OpenPass() {
  auto reader = std::make_unique<CPakReader>();
  if (!reader->Open(path_) || reader->ReadHeader(kNoTrailingFill) == 0) return false;
  reader_ = std::move(reader);
  return NextFrame();
}

bool ScrollPlayer::NextFrame() {
  if (reader_->FramesDrawn() >= reader_->Header().FrameCount) {
    reader_.reset();
    ++passesDone_;
    return true;
  }
  if (reader_->DrawNextFrame(&frameWidth_, &frameHeight_, frame_) == 0) {
    reader_.reset();
    return false;
  }
  CopyBand(*target_, PixelRectOfSize(target_->width(), target_->height()), snapshot_, 0, 0);
  return true;
}

void ScrollPlayer::ShowSnapshot(int width, int height, int shift) {
  CopyBand(snapshot_, {shift, 0, width, height}, *target_, 0, 0);
}

void ScrollPlayer::ShowFrame(int width, int height, int columns) {
  CopyBand(frame_, {0, 0, columns, height}, *target_, width - columns, 0);
}

int ScrollPlayer::Step(int width, int height) {
  if (target_ == nullptr || passesDone_ >= passesWanted_) return 0;
  offset_ += speed_;
  if (reader_ == nullptr && !OpenPass()) return 0;
  // Frames wholly scrolled in are consumed one after another, narrow ones several in a
  // tick, but never more than the file holds.
  const int frames = reader_->Header().FrameCount;
  for (int consumed = 0; consumed < frames; ++consumed) {
    const int d = static_cast<int>(offset_);
    const int f = frameWidth_;
    if (f > 0 && d <= f) {
      ShowSnapshot(width, height, d);
      ShowFrame(width, height, d);
      if (d < f) return 1;
      offset_ = 0;
      return NextFrame() ? 1 : 0;
    }
    if (f > 0) {  // more than the frame: the rest of the offset moves the next one
      target_->fill(Qt::black);
      if (width > d) ShowSnapshot(width, height, f);
      ShowFrame(width, height, f);
      offset_ -= static_cast<float>(f);
    }  // a frame without width is consumed without moving anything
    if (!NextFrame()) return 0;
    if (reader_ == nullptr) {
      if (passesDone_ >= passesWanted_) return 1;
      if (!OpenPass()) return 0;
    }
  }
  return 1;
}

#include "render/player/program_player.h"

#include "model/project/project_globals.h"
#include "render/borders/border_renderer.h"
#include "render/common/preview_colors.h"
#include "render/common/preview_picture.h"
#include "render/player/area_player.h"
#include "render/raster/band_copy.h"
#include "render/raster/dib24.h"

CProgramPlayer::CProgramPlayer(const ProgramSendItem* item, QImage* target, const PlayClock& clock)
    : item_(item), target_(target), clock_(clock) {
  const ProgramRecord* program = item_ != nullptr ? item_->Program : nullptr;
  const ScreenRecord* screen = program != nullptr ? program->OwnerScreen : nullptr;
  if (screen == nullptr || target_ == nullptr ||
      !Dib24::IsValidSize(screen->LedWidth, screen->LedHeight)) {
    return;
  }
  width_ = screen->LedWidth;
  height_ = screen->LedHeight;
  working_ = QImage(width_, height_, QImage::Format_RGB32);
  if (working_.isNull()) return;
  working_.fill(Qt::black);
  // Later players draw over earlier ones; black lets what lies below show through.
  for (const AreaRecord* area : item_->Areas) {
    if (area == nullptr) continue;
    if (area->IsUseBack != 0) {
      players_.push_back(std::make_unique<CAreaPlayer>(area, kEveryItem, &working_, 1, clock_));
    }
    players_.push_back(std::make_unique<CAreaPlayer>(area, kEveryItem, &working_, 0, clock_));
  }
  done_.assign(players_.size(), 0);
  playTime_ = program->PlayTime;
  playMode_ = program->StopType;
  startTick_ = clock_.TickMs();
  if (program->IsUseBorder != 0) {
    borderRect_ = PixelRectOfSize(width_, height_);
    border_ = std::make_unique<CBorderRenderer>();
    border_->Init(LiveRect::Of(borderRect_), &working_, program->BorderType, program->BorderValue,
                  program->BorderStyle, program->BorderColor, program->BorderSpeed,
                  PreviewColors(program->OwnerScreen));
  }
}

CProgramPlayer::~CProgramPlayer() = default;

int CProgramPlayer::AllAreasDone() const {
  for (const int done : done_) {
    if (done == 0) return 0;
  }
  return 1;
}

int CProgramPlayer::Step() {
  if (players_.empty()) return 0;
  if (playMode_ == kPlayFixedTime &&
      std::int64_t{clock_.ElapsedMs(startTick_)} >= std::int64_t{playTime_} * 1000) {
    return 0;
  }
  working_.fill(Qt::black);
  for (std::size_t i = 0; i < players_.size(); ++i) {
    CAreaPlayer& player = *players_[i];
    if (player.Render() != 0) continue;
    if (playMode_ == kPlayUntilAllDone) {
      done_[i] = 1;
      if (AllAreasDone() != 0) return 0;  // the rest of this tick is not drawn
    }
    // A finished area starts its next pass at once; one that finishes again at once
    // (an empty list, a failed item) is made ready for the tick after.
    player.Restart();
    if (player.Render() == 0) player.Restart();
  }
  if (border_) border_->Draw();
  ShowInTarget();
  return 1;
}

void CProgramPlayer::ShowInTarget() {
  if (target_->size() != working_.size() || target_->format() != working_.format()) {
    CopyBand(working_, PixelRectOfSize(width_, height_), *target_, 0, 0);
    return;
  }
  // A target of the same kind takes the composed pixels as they are, and its old ones
  // become the next tick's working picture: the same picture as a copy, without the
  // copy of a whole screen each tick.
  target_->swap(working_);
}

CProgramListPlayer::CProgramListPlayer(const PlayClock& clock)
    : target_(PreviewPicture), list_(PlayList), clock_(clock) {
  BuildCurrent();
}

CProgramListPlayer::~CProgramListPlayer() = default;

void CProgramListPlayer::BuildCurrent() {
  current_.reset();
  if (target_ == nullptr || position_ >= list_.size()) return;
  current_ = std::make_unique<CProgramPlayer>(&list_[position_], target_, clock_);
}

int CProgramListPlayer::Step() {
  // Each round ends one program, so the loop ends with the list.
  while (current_) {
    if (current_->Step() != 0) return 1;
    ++position_;
    BuildCurrent();
  }
  return 0;
}

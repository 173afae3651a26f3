#include "render/player/program_player.h"

#include <algorithm>

#include "model/project/project_globals.h"
#include "render/borders/border_renderer.h"
#include "render/common/preview_colors.h"
#include "render/common/preview_picture.h"
#include "render/player/area_player.h"
#include "render/raster/band_copy.h"
#include "render/raster/dib24.h"
#include "render/raster/fill_rect.h"

CProgramPlayer::CProgramPlayer(const ProgramSendItem* item, ScreenPicture* target,
                               const PlayClock& clock)
    : item_(item), target_(target), clock_(clock) {
  const ProgramRecord* program = item_ != nullptr ? item_->Program : nullptr;
  const ScreenRecord* screen = program != nullptr ? program->OwnerScreen : nullptr;
  if (screen == nullptr || target_ == nullptr ||
      !Dib24::IsValidSize(screen->LedWidth, screen->LedHeight)) {
    return;
  }
  width_ = screen->LedWidth;
  height_ = screen->LedHeight;
  // Later players draw over earlier ones; black lets what lies below show through.
  for (const AreaRecord* area : item_->Areas) {
    if (area == nullptr) continue;
    if (area->IsUseBack != 0) {
      players_.push_back(std::make_unique<CAreaPlayer>(area, kEveryItem, target_, 1, clock_));
    }
    players_.push_back(std::make_unique<CAreaPlayer>(area, kEveryItem, target_, 0, clock_));
  }
  done_.assign(players_.size(), 0);
  playTime_ = program->PlayTime;
  playMode_ = program->StopType;
  startTick_ = clock_.TickMs();
  if (program->IsUseBorder != 0) {
    borderRect_ = PixelRectOfSize(width_, height_);
    border_ = std::make_unique<CBorderRenderer>();
    border_->Init(LiveRect::Of(borderRect_), target_, program->BorderType, program->BorderValue,
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
  for (std::size_t i = 0; i < players_.size(); ++i) {
    CAreaPlayer& player = *players_[i];
    player.BeginTick();
    if (player.Advance() != 0) continue;
    if (playMode_ == kPlayUntilAllDone) {
      done_[i] = 1;
      if (AllAreasDone() != 0) {
        composeAll_ = true;  // nothing of this tick is shown; a next one draws all
        return 0;
      }
    }
    // A finished area starts its next pass at once; one that finishes again at once
    // (an empty list, a failed item) is made ready for the tick after.
    player.Restart();
    if (player.Advance() == 0) player.Restart();
  }
  // Something else drew on the target since the last tick, or it shows another part of
  // the screen: nothing of it is kept.
  if (target_->image.cacheKey() != shownKey_ || target_->Covered() != shownPart_) {
    composeAll_ = true;
  }
  if (!composeAll_) RestoreUnderBorder();
  ComposeChanged();
  if (border_) {
    border_->Step();
    SaveUnderBorder();
    border_->Paint(border_->PaintOffset());
  }
  shownKey_ = target_->image.cacheKey();
  shownPart_ = target_->Covered();
  return 1;
}

namespace {

bool Meets(const PixelRect& rect, const std::vector<PixelRect>& parts) {
  return std::any_of(parts.begin(), parts.end(),
                     [&rect](const PixelRect& part) { return !rect.Intersected(part).IsEmpty(); });
}

// Adds rect to parts unless it is empty or lies inside one of them already (an area
// and its background, an area that stayed in place), so that no part is filled and
// copied twice.
void AddPart(std::vector<PixelRect>& parts, const PixelRect& rect) {
  if (rect.IsEmpty()) return;
  const bool inside = std::any_of(parts.begin(), parts.end(), [&rect](const PixelRect& part) {
    return part.Intersected(rect) == rect;
  });
  if (!inside) parts.push_back(rect);
}

}  // namespace

void CProgramPlayer::ComposeChanged() {
  redrawn_.clear();
  redraw_.assign(players_.size(), 0);
  const PixelRect screen = PixelRectOfSize(width_, height_);
  if (composeAll_) AddPart(redrawn_, screen);
  for (std::size_t i = 0; i < players_.size(); ++i) {
    if (!players_[i]->Changed()) continue;
    redraw_[i] = 1;
    AddPart(redrawn_, players_[i]->LastFootprint());
    AddPart(redrawn_, players_[i]->Footprint());
  }
  // Areas are drawn whole, so an area that meets a part drawn again is drawn again
  // too, and its own rectangle with it, until no more areas join.
  for (bool joined = true; joined;) {
    joined = false;
    for (std::size_t i = 0; i < players_.size(); ++i) {
      if (redraw_[i] != 0 || !Meets(players_[i]->Footprint(), redrawn_)) continue;
      redraw_[i] = 1;
      AddPart(redrawn_, players_[i]->Footprint());
      joined = true;
    }
  }
  for (const PixelRect& part : redrawn_) {
    FillRect(target_->image, target_->ToPicture(part.Intersected(screen)), 0);
  }
  // Later players draw over earlier ones; black lets what lies below show through.
  for (std::size_t i = 0; i < players_.size(); ++i) {
    if (redraw_[i] != 0) players_[i]->Compose();
  }
  composeAll_ = false;
}

void CProgramPlayer::SaveUnderBorder() {
  const std::array<PixelRect, 4> bands = border_->Bands();
  const PixelRect whole = PixelRectOfSize(target_->image.width(), target_->image.height());
  for (std::size_t i = 0; i < bands.size(); ++i) {
    underBorderAt_[i] = target_->ToPicture(bands[i]).Intersected(whole);
    // QImage::copy of an empty rectangle would copy the whole picture.
    underBorder_[i] =
        underBorderAt_[i].IsEmpty() ? QImage() : target_->image.copy(underBorderAt_[i].ToQRect());
  }
}

void CProgramPlayer::RestoreUnderBorder() {
  if (!border_) return;
  for (std::size_t i = 0; i < underBorder_.size(); ++i) {
    const QImage& under = underBorder_[i];
    CopyBand(under, PixelRectOfSize(under.width(), under.height()), target_->image,
             underBorderAt_[i].left, underBorderAt_[i].top);
  }
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

#include "render/canvas/edit_canvas.h"

#include <algorithm>

#include "model/project/project_globals.h"
#include "render/borders/border_renderer.h"
#include "render/common/preview_colors.h"
#include "render/common/preview_picture.h"
#include "render/player/area_player.h"
#include "render/raster/blend_rect.h"
#include "render/raster/dib24.h"
#include "render/rerender/content_rerender.h"

namespace {

// The tint of the area under the mouse: blue at a constant opacity of 120 of 255.
constexpr ColorRef kHighlightColor = MakeColorRef(0, 0, 255);
constexpr int kHighlightAlpha = 120;

// The whole rectangle of an area, its border included.
PixelRect AreaRectOf(const AreaRecord& area) {
  return {area.AreaRect_Left, area.AreaRect_Top, area.AreaRect_Right, area.AreaRect_Bottom};
}

}  // namespace

CEditCanvas::CEditCanvas(const PlayClock& clock)
    : areaList_(&CanvasAreaList), target_(PreviewPicture), clock_(clock) {}

CEditCanvas::~CEditCanvas() = default;

CEditCanvas::AreaEntry CEditCanvas::MakeEntry(AreaRecord* area, int itemIndex) const {
  AreaEntry entry{area, std::make_unique<CAreaPlayer>(area, itemIndex, target_, 0, clock_)};
  // Areas are opaque on the canvas: black content covers what lies below.
  entry.player->SetTransparent(0);
  if (CBorderRenderer* border = entry.player->Border()) border->SetTransparent(0);
  return entry;
}

int CEditCanvas::Build(const ProgramRecord* program) {
  players_.clear();
  border_.reset();
  for (AreaRecord* area : *areaList_) {
    if (area != nullptr) RerenderAreaContent(*area);
    players_.push_back(MakeEntry(area, kEveryItem));
  }
  BuildBorder(program);
  return 1;
}

void CEditCanvas::BuildBorder(const ProgramRecord* program) {
  if (program == nullptr || program->IsUseBorder == 0 || target_ == nullptr) return;
  const ScreenRecord* screen = program->OwnerScreen;
  if (screen == nullptr || !Dib24::IsValidSize(screen->LedWidth, screen->LedHeight)) return;
  borderRect_ = PixelRectOfSize(screen->LedWidth, screen->LedHeight);
  border_ = std::make_unique<CBorderRenderer>();
  // Init takes the speed setting and steps by BorderSpeedTable[BorderSpeed].
  border_->Init(LiveRect::Of(borderRect_), target_, program->BorderType, program->BorderValue,
                program->BorderStyle, program->BorderColor, program->BorderSpeed,
                PreviewColors(screen));
}

int CEditCanvas::Draw() {
  if (paused_ != 0 || target_ == nullptr) return 1;
  for (std::size_t i = 0; i < players_.size(); ++i) {
    const AreaEntry& entry = players_[i];
    // A finished area starts its next pass at once; one that finishes again at once
    // is made ready for the tick after.
    if (entry.player->Render() == 0) {
      entry.player->Restart();
      if (entry.player->Render() == 0) entry.player->Restart();
    }
    const int position = static_cast<int>(i) + 1;
    if (entry.area != nullptr && hoveredArea_ == position && hoveredArea_ != selectedArea_) {
      BlendRect(target_->image, target_->ToPicture(AreaRectOf(*entry.area)), kHighlightColor,
                kHighlightAlpha);
    }
  }
  if (border_) border_->Draw();
  return 1;
}

void CEditCanvas::MoveAreaToEnd() {
  const int count = static_cast<int>(std::min(areaList_->size(), players_.size()));
  if (selectedArea_ < 1 || selectedArea_ > count) return;
  const auto index = static_cast<std::ptrdiff_t>(selectedArea_ - 1);
  // Rotating the entry past the ones after it keeps their order.
  std::rotate(areaList_->begin() + index, areaList_->begin() + index + 1, areaList_->end());
  std::rotate(players_.begin() + index, players_.begin() + index + 1, players_.end());
  selectedArea_ = static_cast<int>(players_.size());
  hoveredArea_ = selectedArea_;
}

void CEditCanvas::ReplaceLastArea(int itemIndex) {
  if (selectedArea_ < 1 || players_.empty() || areaList_->empty()) return;
  players_.pop_back();
  players_.push_back(MakeEntry(areaList_->back(), itemIndex));
  rememberedItem_ = itemIndex;
}

void CEditCanvas::RebuildLastArea() {
  if (players_.empty() || areaList_->empty()) return;
  players_.pop_back();
  AreaRecord* area = areaList_->back();
  if (area != nullptr) RerenderAreaContent(*area);
  players_.push_back(MakeEntry(area, rememberedItem_));
}

void CEditCanvas::AddLastArea() {
  if (areaList_->empty()) return;
  players_.push_back(MakeEntry(areaList_->back(), kStaticArea));
}

void CEditCanvas::RemoveLastArea() {
  if (!players_.empty()) players_.pop_back();
  if (!areaList_->empty()) areaList_->pop_back();
}

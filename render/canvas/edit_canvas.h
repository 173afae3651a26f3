#pragma once
// CEditCanvas is what the preview shows while a program is edited: every area of
// CanvasAreaList plays live in its place, opaque and without its background list, the
// area under the mouse is tinted blue, and the program border runs round the screen.
// The area being edited is kept at the end of the list, so it is drawn last, on top.
// The canvas keeps one area player per entry of CanvasAreaList, in the same order; the
// preview keeps both lists the same length by changing CanvasAreaList only before or
// together with the matching operation. No operation reads past either list when they
// differ. GUI thread only.

#include <memory>
#include <vector>

#include "model/project/project_records.h"
#include "render/common/play_clock.h"
#include "render/raster/pixel_rect.h"
#include "render/raster/screen_picture.h"

class CAreaPlayer;
class CBorderRenderer;

class CEditCanvas {
 public:
  // Draws into PreviewPicture and plays the areas of CanvasAreaList, both as they are
  // now: the picture must stay while the canvas lives (nothing is drawn while it is
  // null). No players and no border until Build; nothing selected or hovered, not
  // paused. clock must outlive the canvas.
  explicit CEditCanvas(const PlayClock& clock = SystemPlayClock());
  ~CEditCanvas();
  CEditCanvas(const CEditCanvas&) = delete;
  CEditCanvas& operator=(const CEditCanvas&) = delete;

  // Builds the players of every area of CanvasAreaList, after bringing each area's
  // frame files up to date, and the program border when program uses one (null: no
  // border). Players built before are dropped. Returns 1.
  int Build(const ProgramRecord* program);
  // One tick: every player renders (a finished one starts its next pass), the hovered
  // area is tinted right after its own player unless it is the selected area, then
  // the program border is stepped. Paused: draws nothing. Returns 1.
  int Draw();

  // Moves the selected area to the end of CanvasAreaList and its player to the end of
  // the players; selected and hovered area then name that last position. A selected
  // position outside either list does nothing.
  void MoveAreaToEnd();
  // Shows item itemIndex of the last area (n >= 0 only item n again and again, -1
  // every item, -2 static) with a new player, and remembers the index. Does nothing
  // while no area is selected or either list is empty.
  void ReplaceLastArea(int itemIndex);
  // Brings the last area's frame files up to date and gives it a new player with the
  // remembered item index. Does nothing while either list is empty.
  void RebuildLastArea();
  // A static player for the area just appended to CanvasAreaList. Does nothing while
  // CanvasAreaList is empty.
  void AddLastArea();
  // Drops the last player and the last entry of CanvasAreaList (the record stays with
  // its owner); a list that is empty is left so.
  void RemoveLastArea();

  // 1-based position in CanvasAreaList of the area being edited; 0 or less: none.
  int SelectedArea() const { return selectedArea_; }
  void SetSelectedArea(int position) { selectedArea_ = position; }
  // 1-based position of the area under the mouse; 0: none. The preview's hit test
  // writes it and clears it when the mouse leaves.
  int HoveredArea() const { return hoveredArea_; }
  void SetHoveredArea(int position) { hoveredArea_ = position; }
  // 1: Draw draws nothing. Stays set until the canvas is deleted.
  int Paused() const { return paused_; }
  void Pause() { paused_ = 1; }

  // The item index last given to ReplaceLastArea; -2 after construction.
  int RememberedItemIndex() const { return rememberedItem_; }
  // The number of players, one per area built, added or kept.
  int PlayerCount() const { return static_cast<int>(players_.size()); }

 private:
  // One player with the area it plays, so that drawing never looks an area up by its
  // position in CanvasAreaList.
  struct AreaEntry {
    AreaRecord* area = nullptr;
    std::unique_ptr<CAreaPlayer> player;
  };

  // An opaque player (its area border too) of area with itemIndex.
  AreaEntry MakeEntry(AreaRecord* area, int itemIndex) const;
  void BuildBorder(const ProgramRecord* program);

  std::vector<AreaEntry> players_;  // entry i plays entry i of CanvasAreaList
  std::vector<AreaRecord*>* areaList_;
  ScreenPicture* target_;
  std::unique_ptr<CBorderRenderer> border_;
  int selectedArea_ = 0;
  int hoveredArea_ = 0;
  PixelRect borderRect_;  // (0, 0, LedWidth, LedHeight) of the program's screen
  int paused_ = 0;
  int rememberedItem_ = -2;
  const PlayClock& clock_;
};

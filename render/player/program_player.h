#pragma once
// CProgramPlayer plays one program of the preview: each tick it plays every area of the
// program, each over its background, onto a picture of the screen (or of the part of
// it that is shown) that it keeps from tick to tick, drawing again only the areas that
// draw otherwise than the tick before (with every area they overlap), and the program
// border over it.
// CProgramListPlayer plays the programs of the preview's play list one after another.
// GUI thread only.

#include <QImage>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/project/send_job.h"
#include "render/common/play_clock.h"
#include "render/raster/pixel_rect.h"
#include "render/raster/screen_picture.h"

class CAreaPlayer;
class CBorderRenderer;

// Play modes of a program (StopType).
enum ProgramPlayMode : int {
  kPlayUntilAllDone = 0,  // until every area has finished at least once
  kPlayFixedTime = 1,     // for PlayTime seconds
  // any other value: until the owner stops it
};

class CProgramPlayer {
 public:
  // Plays item (kept alive by the play list) onto target (the owner keeps it alive). A
  // program without a screen, or of a size no picture may have, has no areas to play.
  // clock must outlive the player.
  CProgramPlayer(const ProgramSendItem* item, ScreenPicture* target,
                 const PlayClock& clock = SystemPlayClock());
  ~CProgramPlayer();
  CProgramPlayer(const CProgramPlayer&) = delete;
  CProgramPlayer& operator=(const CProgramPlayer&) = delete;

  // One tick: 1 while the program plays, 0 when it is over. A tick that plays ends
  // with the composed areas and the program border on the target. The target keeps
  // them from tick to tick, so only what changed is drawn on it; when something else
  // has drawn on it (its cache key moved) or it shows another part of the screen, all
  // of it is drawn again.
  int Step();
  // 1 when every area player has finished once (and when there is none).
  int AllAreasDone() const;

 private:
  // Draws again, from black, the areas that changed and every area they overlap.
  void ComposeChanged();
  // The composed pixels under the program border's bands, kept before it is drawn on
  // the target and put back at the next tick, each with where it lies on the target.
  void SaveUnderBorder();
  void RestoreUnderBorder();

  int width_ = 0;
  int height_ = 0;
  const ProgramSendItem* item_;
  ScreenPicture* target_;
  bool composeAll_ = true;          // the target does not hold the last tick's areas
  qint64 shownKey_ = 0;             // the target's cache key after the last tick
  PixelRect shownPart_;             // the part of the screen it held then
  std::vector<PixelRect> redrawn_;  // this tick's parts drawn again
  std::vector<char> redraw_;        // by player: drawn again this tick
  std::array<QImage, 4> underBorder_;
  std::array<PixelRect, 4> underBorderAt_;
  int playTime_ = 0;  // seconds
  int playMode_ = kPlayUntilAllDone;
  std::uint32_t startTick_ = 0;
  std::vector<std::unique_ptr<CAreaPlayer>> players_;  // in drawing order
  std::vector<int> done_;
  std::unique_ptr<CBorderRenderer> border_;
  PixelRect borderRect_;
  const PlayClock& clock_;
};

class CProgramListPlayer {
 public:
  // Plays PlayList into PreviewPicture, both as they are now: the list must not change
  // and the picture must stay while the player lives. Nothing plays while
  // PreviewPicture is null.
  explicit CProgramListPlayer(const PlayClock& clock = SystemPlayClock());
  ~CProgramListPlayer();
  CProgramListPlayer(const CProgramListPlayer&) = delete;
  CProgramListPlayer& operator=(const CProgramListPlayer&) = delete;

  // One tick: 1 while playing, 0 once the last program is over. A program that ends at
  // once is passed over in the same call.
  int Step();

 private:
  // Builds the player of the program at position_; none past the end of the list.
  void BuildCurrent();

  ScreenPicture* target_;
  const std::vector<ProgramSendItem>& list_;
  std::size_t position_ = 0;
  std::unique_ptr<CProgramPlayer> current_;
  const PlayClock& clock_;
};

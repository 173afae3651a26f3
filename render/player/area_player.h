#pragma once
// CAreaPlayer plays one area of the preview, or that area's background list, one 30 ms
// tick a call: its content is drawn into an area picture of the content size and
// copied at the area's place onto a target picture of the screen (or of the part of it
// that is shown), its colours (and its border's) reduced to what the card of the
// area's screen shows. A render call returns 1 while the area keeps playing and 0 when
// it has completed one pass of its content; the owner then calls Restart before the
// next pass. The player reads the area record (which the model keeps alive and the
// player never changes) and the frame files the renderers left in "Temp". GUI thread
// only.

#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "model/project/project_records.h"
#include "render/clock/countdown.h"
#include "render/common/play_clock.h"
#include "render/raster/pixel_rect.h"
#include "render/raster/screen_colors.h"
#include "render/raster/screen_picture.h"

class CBackSwfImage;
class CBorderRenderer;
class CClockImage;
class CDigitalClockImage;
class CSwfDialog;
class MediaItemPlayer;
class ScrollPlayer;

// Item index of a player that plays every item of its list in order.
constexpr int kEveryItem = -1;
// Item index of a static player: the area picture is shown as it stands (clocks and
// countdowns still tick).
constexpr int kStaticArea = -2;

class CAreaPlayer {
 public:
  // Plays area (content, or with background set its background list) onto target
  // (the owner keeps it alive): itemIndex kEveryItem, kStaticArea, or
  // n >= 0 for item n alone. clock must outlive the player.
  CAreaPlayer(const AreaRecord* area, int itemIndex, ScreenPicture* target, int background,
              const PlayClock& clock = SystemPlayClock());
  ~CAreaPlayer();
  CAreaPlayer(const CAreaPlayer&) = delete;
  CAreaPlayer& operator=(const CAreaPlayer&) = delete;

  // One tick: 1 while playing, 0 when a pass is complete.
  int Render();

  // For an owner that composes only what changed: BeginTick starts a tick; Advance
  // plays it as Render does but keeps what it would draw on the target instead of
  // drawing it (after a finished pass and a Restart it may be called again in the same
  // tick); Compose draws what the tick kept, on the target, as often as needed.
  void BeginTick();
  int Advance();
  void Compose() const;
  // Whether this tick draws other than the last one: other copies or border steps, or
  // an area picture written to since (even with the same pixels).
  bool Changed() const;
  // The part of the screen this tick draws on (empty: none), and the last tick's.
  PixelRect Footprint() const { return Bounds(shown_); }
  PixelRect LastFootprint() const { return Bounds(lastShown_); }
  // Prepares the next pass: a clock or countdown restarts its second, a list starts
  // again from its first item (or item n).
  void Restart();

  // 1 (the default): black pixels of the area picture let the target show through; 0:
  // the area is copied opaque.
  void SetTransparent(int transparent) { transparent_ = transparent; }
  // The border drawn round the area after each copy, or null (no border in use, or a
  // background player).
  CBorderRenderer* Border() const { return border_.get(); }

 private:
  using RenderFunction = int (CAreaPlayer::*)();

  // One drawing on the target: the area picture copied into rect, or the border
  // painted at offset (rect: the bands' bounds).
  struct Shown {
    bool border = false;
    PixelRect rect;
    int offset = 0;
    friend bool operator==(const Shown&, const Shown&) = default;
  };
  static PixelRect Bounds(const std::vector<Shown>& shown);

  int DrawBackground();
  int DrawSingleLineArea();
  int DrawImageWordArea();
  int DrawFlashWordArea();
  int DrawDigitalClockArea();
  int DrawClockArea();
  int DrawTimeArea();
  int DrawFileArea();

  void ChooseRenderFunction();
  // One call of an item list (backgrounds, pages, flash words, files).
  int DrawItemList();
  // Items of the list this player plays; 0 for an area of no list kind.
  int ItemCount() const;
  // Opens the current item; an item that cannot be opened counts as done and the next
  // is opened. False when the pass has ended that way.
  [[nodiscard]] bool OpenCurrentItem();
  // Opens item `position` of the list by its kind; false when it cannot be played.
  [[nodiscard]] bool OpenItem(int position);
  [[nodiscard]] bool OpenBackground(const BackgroundItem& item);
  [[nodiscard]] bool OpenPage(const FileItem& item);
  [[nodiscard]] bool OpenFlashWord(const FlashWordItem& item);
  [[nodiscard]] bool OpenFileEntry(const FileAreaItem& item);
  // A rendered line of lineWidth pixels (the renderer's result) scrolled at a speed
  // setting.
  [[nodiscard]] bool OpenScroll(const QString& path, int speedSetting, int lineWidth);
  [[nodiscard]] bool OpenMedia(const QString& path, int kind, int effect, int speed, int stay,
                               std::uint32_t fill);
  // One tick of the item now playing: 1 while it plays, 0 at its end.
  int StepItem();
  void CloseItem();
  bool HasFailed(int position) const;
  void MarkFailed(int position);
  // The end of a clock or countdown call: running, or static, copies and goes on.
  int ClockResult(bool running);

  // Keeps a copy of the area picture into the target: the content rectangle, or the
  // whole area; either reduced to the colours of the area's screen.
  void AreaCopy();
  void WholeAreaCopy();
  void CopyInto(const PixelRect& rect) const;
  // Steps the border and keeps its painting.
  void StepBorder();

  int itemIndex_;
  int itemsFinished_ = 0;
  int itemsToPlay_ = -1;
  int currentItem_ = -1;
  int innerWidth_ = 1;
  int innerHeight_ = 1;
  std::unique_ptr<CDigitalClockImage> digitalClock_;
  std::unique_ptr<MediaItemPlayer> media_;
  std::unique_ptr<CClockImage> analogClock_;
  std::unique_ptr<CSwfDialog> flashDialog_;
  std::unique_ptr<ScrollPlayer> scroll_;
  std::unique_ptr<CBorderRenderer> border_;
  std::unique_ptr<CountdownState> countdown_;
  std::unique_ptr<CBackSwfImage> flashBackground_;
  QImage picture_;  // the area picture, Format_RGB32, black at creation
  ScreenPicture* target_;
  int background_;
  RenderFunction render_ = nullptr;
  const AreaRecord* area_;
  std::optional<ScreenColors> colors_;  // of the area's screen
  int transparent_ = 1;

  const PlayClock& clock_;
  // Items of this player that could not be opened, by position: they count as done
  // at once until the player is built again, instead of being opened again each tick.
  std::vector<bool> failed_;
  std::vector<Shown> shown_;  // this tick's drawings, in order
  std::vector<Shown> lastShown_;
  qint64 lastPictureKey_ = 0;  // the area picture's cache key at the end of the last tick
};

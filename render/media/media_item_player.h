#pragma once
// One item an area plays in the preview (a page, a file, a background entry, the
// rendered line of a single-line area): loaded by its media kind, brought in with its
// entry effect, kept for its stay time, and ended. Created and owned by the area
// player; GUI thread only.

#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>

#include "model/common/media_kind.h"
#include "render/common/play_clock.h"
#include "render/effects/transition_effect.h"
#include "render/raster/color_ref.h"

class CGifImage;
class CPakReader;
class CPictures;
class CSwf;
class VideoPlayback;

class MediaItemPlayer {
 public:
  // clock must outlive the player; its kind objects read it too.
  explicit MediaItemPlayer(const PlayClock& clock = SystemPlayClock());
  ~MediaItemPlayer();
  MediaItemPlayer(const MediaItemPlayer&) = delete;
  MediaItemPlayer& operator=(const MediaItemPlayer&) = delete;

  // Loads the file at path as media kind (MediaKind) for an area of width x height
  // drawn into target (Format_RGB32, at least that size, kept alive by the caller):
  // entry effect and speed as the transitions take them, stay in tenths of a second
  // (0 for effects 6 to 9, which follow one another without pause; a video plays to
  // its end whatever its stay), fill the own picture's colour. 1 when ready to play;
  // 0 when the item cannot be played, and then nothing is left open.
  [[nodiscard]] int Load(QImage* target, const QString& path, int kind, int width, int height,
                         int effect, int speed, int stay, ColorRef fill);
  // One 30 ms tick. 1 while the item plays; 0 at its end or on a failure.
  [[nodiscard]] int Step();

 private:
  [[nodiscard]] bool LoadKind(const QString& path);
  [[nodiscard]] bool HasEffect() const;
  [[nodiscard]] bool StartTransition();
  // Steps the running transition; true once it has completed (and is deleted).
  [[nodiscard]] bool TransitionCompleted();
  void ShowOwnPicture();
  void StartStay();
  bool StayOver() const;
  int StepFrameFile();
  int StepVideo();
  int StepSwf();
  int StepGif();
  int StepPicture();

  const PlayClock& clock_;
  // The kind object: one of these, by the media kind.
  std::unique_ptr<CPakReader> frameFile_;
  std::unique_ptr<VideoPlayback> video_;
  std::unique_ptr<CSwf> swf_;
  std::unique_ptr<CGifImage> gif_;
  std::unique_ptr<CPictures> picture_;
  int effect_ = 0;
  int speed_ = 0;
  int stay_ = 0;  // tenths of a second
  int kind_ = -1;
  int state_ = 0;  // 0 not started, 1 entering (transition running), 2 showing
  QImage* target_ = nullptr;
  QImage own_;  // the item's picture, filled with the fill colour at first
  QRgb fill_ = 0;
  std::unique_ptr<TransitionEffect> transition_;
  int width_ = 0;
  int height_ = 0;
  std::uint32_t stayStartTick_ = 0;  // still pictures and frame files
};

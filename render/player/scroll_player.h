#pragma once
// Continuous scrolling of a rendered single line: the frames of its frame file come in
// at the right edge of the area picture, pixel by pixel, at a speed in pixels per tick
// kept as a float, so that speeds below one pixel per tick move the text one pixel
// every few ticks. Owned by the area player; GUI thread only.

#include <QImage>
#include <QString>

#include <array>
#include <memory>

#include "render/borders/border_speed.h"
#include "render/frame/pak_reader.h"

// Pixels per 30 ms tick of the scroll speed settings 0 (fastest) to 31: the very table of
// the moving borders, under the scroll player's name.
inline const std::array<float, kSpeedSettings>& ScrollSpeedTable = BorderSpeedTable;

// Runs through the file a line of lineWidth pixels takes before an area innerWidth wide
// reports one finished pass: 1 when the line fills the area, else enough runs to cover
// it (ceil(innerWidth / lineWidth)); 16 when the width is unknown (0 or less).
int ScrollPasses(int lineWidth, int innerWidth);

class ScrollPlayer {
 public:
  ScrollPlayer() = default;
  ScrollPlayer(const ScrollPlayer&) = delete;
  ScrollPlayer& operator=(const ScrollPlayer&) = delete;

  // Scrolls the frame file at path into target (Format_RGB32, width x height, kept
  // alive by the caller) at speed pixels per tick, passes runs through the file.
  // Returns 1, or 0 when a picture of width x height cannot be made.
  [[nodiscard]] int Load(QImage* target, const QString& path, int width, int height, float speed,
                         int passes);
  // One tick on an area of width x height. 1 while scrolling; 0 once the passes are
  // done or the file cannot be read. A tick never consumes more frames than the file
  // holds, so a strip of frames without width cannot hold the caller.
  [[nodiscard]] int Step(int width, int height);

 private:
  [[nodiscard]] bool OpenPass();
  // Reads the next frame of the pass into the frame picture and takes the snapshot,
  // or, after the last frame, closes the pass. False when a frame cannot be read.
  [[nodiscard]] bool NextFrame();
  // The snapshot moved left by shift into the target.
  void ShowSnapshot(int width, int height, int shift);
  // The first `columns` columns of the frame at the target's right edge.
  void ShowFrame(int width, int height, int columns);

  QString path_;
  QImage* target_ = nullptr;
  int frameWidth_ = 0;
  int frameHeight_ = 0;
  float speed_ = 0;
  int passesWanted_ = 0;
  float offset_ = 0;
  int passesDone_ = 0;
  QImage frame_;                        // Format_RGB32, the area's size
  QImage snapshot_;                     // the target as it stood when the current frame began
  std::unique_ptr<CPakReader> reader_;  // open during a pass
};

#pragma once
// The frame-file reader of the preview's players: the media item player plays the
// frames stretched onto its item, the scroll player of a single-line area draws them
// one to one and uses the last frame's used width. The player owns the reader, opens
// it by path, reads the header with one of the two header operations, and stops
// asking for frames once FramesDrawn() equals the header's FrameCount (for
// DrawNextFrame: and the trailing fill has been drawn).

#include <QImage>
#include <QString>

#include <cstdint>

#include "render/frame/pak_frame_reader.h"

class CPakReader {
 public:
  // The timing state of the media item player, kept with its reader.
  struct PlayTiming {
    std::uint32_t startTick = 0;  // clock tick at which the current page began to stay
    int stayMs = 0;               // stay time in milliseconds
    int tickMode = 0;             // non-zero: count 30 ms ticks instead of the clock
    int stayTicks = 0;            // stay time in 30 ms ticks
    int tickCounter = 0;
  };

  // Opens the frame file for reading. False when it cannot be opened.
  [[nodiscard]] bool Open(const QString& path);

  // For the media item player: stay is in tenths of a second. Returns 1 when the
  // header is a sound frame-file header for its file (CheckPakHeader), else 0.
  [[nodiscard]] int ReadHeaderForPlay(int stay, int tickMode);
  // For the scroll player: the same check; keeps LastExtent as the used width of the
  // last frame and trailingFill (0: draw one background frame after the last frame).
  // Returns 1 or 0.
  [[nodiscard]] int ReadHeader(int trailingFill);

  // Draws the next frame stretched (nearest neighbour) onto (0, 0, width, height) of
  // target. Returns 1, or 0 when no frame is left or it cannot be read.
  [[nodiscard]] int DrawNextFrameStretched(QImage& target, int width, int height);
  // Draws the next frame one to one at (0, 0) of target and reports the drawn size:
  // the last frame, or the only one, only as wide as the used width of the last frame
  // (clipped to 0 - Width). After the last frame, when trailing fill was asked for, one
  // further call fills (0, 0, Width, Height) with BackColor instead. Returns 1, or 0
  // when nothing is left to draw or the frame cannot be read.
  [[nodiscard]] int DrawNextFrame(int* drawnWidth, int* drawnHeight, QImage& target);

  const PakFileHeader& Header() const { return frames_.Header(); }
  int FramesDrawn() const { return frames_.FramesRead(); }
  PlayTiming& Timing() { return timing_; }

 private:
  [[nodiscard]] bool ReadAndCheckHeader();

  PakFrameReader frames_;
  PlayTiming timing_;
  int lastFrameWidth_ = 0;
  int trailingFillDone_ = 1;
};

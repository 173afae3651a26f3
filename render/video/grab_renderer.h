#pragma once
// The end of the video path: keeps the latest decoded picture that the streaming
// thread hands over, and draws it, scaled, into the area picture when the GUI thread
// asks at its tick. Nothing is shown by the renderer itself.
//
// RGB mode takes pictures that arrive as BGRA or BGR0 (the byte order of
// QImage::Format_RGB32) and draws them as they are; YV12 mode takes every format that
// libswscale reads and converts the current picture first: at video size, or at the
// area's size where it is shrunk (nearest-neighbour either way). In both modes a
// stream shown turned has its pictures turned (once each) before they are drawn. The
// picture, its format and the conversion buffer are guarded by the renderer's own
// lock, which both threads take and neither holds across a call into the other.

#include <QImage>

#include <mutex>

#include "render/video/av_handles.h"
#include "render/video/frame_converter.h"

class CGrabRenderer {
 public:
  // In RGB mode, with no picture.
  CGrabRenderer();
  // Releases the current picture, the converter's context and the buffer.
  ~CGrabRenderer();
  CGrabRenderer(const CGrabRenderer&) = delete;
  CGrabRenderer& operator=(const CGrabRenderer&) = delete;

  void SetYv12Mode(bool yv12);
  bool Yv12Mode() const;

  // Whether the current mode takes pictures of format (an AVPixelFormat) at width x
  // height; never those larger than kMaxVideoSide either way (a converted picture
  // takes width x height x 4 bytes).
  [[nodiscard]] bool CheckMediaType(int format, int width, int height) const;
  // Records the format and size of the pictures that follow.
  void SetMediaType(int format, int width, int height);
  // Turns the pictures that follow by quarter turns clockwise (0-3).
  void SetQuarterTurns(int turns);
  // Whether pictures of format at width x height are those SetMediaType recorded.
  bool MatchesMediaType(int format, int width, int height) const;

  // Keeps a reference to frame's buffers (no pixel is copied) and releases the picture
  // kept before. false, keeping nothing, when the reference cannot be taken.
  [[nodiscard]] bool DoRenderSample(const AVFrame& frame);

  // Draws the current picture onto (0, 0, dw, dh) of dc (Format_RGB32 or ARGB32):
  // nearest-neighbour when the video is at least as large as the target both ways,
  // smooth when it is narrower or lower (for this draw only). 1 when drawn; 0, drawing
  // nothing, before the first picture or when it cannot be converted.
  [[nodiscard]] int DrawCurrent(QImage& dc, int dw, int dh);

 private:
  QImage CurrentPicture(int dw, int dh);
  QImage UprightPicture(QSize size);

  mutable std::mutex lock_;
  int frameFormat_ = -1;  // AVPixelFormat of the pictures, as SetMediaType gave it
  int videoWidth_ = 0;
  int videoHeight_ = 0;
  AvFramePtr current_;  // the kept picture, or no buffers
  bool hasSample_ = false;
  FrameConverter converter_;
  QImage conversionBuffer_;  // the current picture converted, at video or area size
  bool converted_ = false;   // the buffer holds the current picture at its size
  int quarterTurns_ = 0;
  QImage turned_;  // the current picture turned; null until it is drawn, or when upright
  bool yv12Mode_ = false;
};

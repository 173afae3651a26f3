#pragma once
// A video file played in the preview, as the media items drive it: the interface of
// VideoGraph (video_graph.h, where each call is described), which lives with FFmpeg in
// the video library and is made through CreateVideoPlayback (video_library.h).

#include <QImage>
#include <QString>

#include <cstdint>

class PlayClock;

class VideoPlayback {
 public:
  virtual ~VideoPlayback() = default;

  [[nodiscard]] virtual int Prepare() = 0;
  [[nodiscard]] virtual int Build(const QString& path, int width, int height) = 0;
  virtual void Cue(std::int64_t position) = 0;
  virtual void Run() = 0;
  [[nodiscard]] virtual int HasEnded() = 0;
  virtual void DrawFrame(QImage& dc, int width, int height) = 0;
};

// The one function the video library exports, under kCreateVideoPlaybackSymbol: a new
// playback on clock (which must outlive it), owned by the caller; null for a null
// clock. The interface's version is part of the name, so a library of another version
// is refused rather than misread.
using CreateVideoPlaybackFunction = VideoPlayback* (*)(const PlayClock* clock);
inline constexpr char kCreateVideoPlaybackSymbol[] = "QuendraCreateVideoPlaybackV1";

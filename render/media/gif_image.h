#pragma once
// An animated GIF in the preview (a media item) or in the busy window (a resource).
// Loading draws the first frame into the caller's picture; Play starts a thread that
// decodes the frames in turn, each composed over the ones before it by the GIF's
// disposal rules (GifFrames), draws each over the background and stretched to the
// area into a back picture of its own, and hands it over under a lock, then waits
// for the frame's delay as the file stores it (0 counts as 100 ms). Draw copies the
// last complete frame under that lock and never waits for the thread.
//
// Loop mode 0 (files): each frame once, reduced to the current screen's colours.
// Loop mode 1 (resources): the frames over and over until the stay time has passed.
// A GIF of one frame keeps it for the stay time. All times come from the play clock.

#include <QImage>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "render/common/play_clock.h"
#include "render/raster/gif_frames.h"
#include "render/raster/picture_file.h"

class CGifImage {
 public:
  // clock must outlive the image; the animation thread reads it.
  explicit CGifImage(const PlayClock& clock = SystemPlayClock());
  // Stops the thread and waits for it.
  ~CGifImage();
  CGifImage(const CGifImage&) = delete;
  CGifImage& operator=(const CGifImage&) = delete;

  // Reads the GIF at path and draws its first frame over background onto (0, 0,
  // width, height) of dc, reduced to the current screen's colours; loop mode 0. 1
  // when loaded; 0 when the file or its first frame cannot be read. dc is only
  // drawn into here.
  [[nodiscard]] int LoadFile(const QString& path, QImage& dc, int width, int height,
                             QRgb background);
  // The same from the program's resource ":/gif/<id>.gif", over black, without colour
  // reduction; loop mode 1.
  [[nodiscard]] int LoadResource(int id, QImage& dc, int width, int height);

  // The stay time in milliseconds, read when Play starts the thread.
  void SetStayTime(int stayMs) { stayMs_ = stayMs; }
  // Starts the animation, stopping a running one first. A thread that cannot start
  // leaves the animation finished.
  void Play();
  // Copies the last complete frame (before Play: the first frame) onto (0, 0, width,
  // height) of dc.
  void Draw(QImage& dc, int width, int height);
  // Whether the animation has ended (its frames shown, or its stay time over).
  bool Finished() const { return finished_; }
  // How far the animation thread has got: the time since Play, in milliseconds, it is
  // waiting for (-1 before it first waits). Once the play clock has reached T, the
  // frame Draw gives is that of T as soon as this is past T or the animation finished.
  std::int64_t WaitingUntilMs() const { return waitingUntilMs_; }

 private:
  [[nodiscard]] int Load(QImage& dc, int width, int height, QRgb background, int loopMode,
                         std::optional<int> ledColor);
  void Stop();
  void Animate();
  bool ShowFrame(const QImage& frame);
  bool Wait(std::int64_t untilMs, bool stayBounds);
  std::int64_t ElapsedMs() const;

  const PlayClock& clock_;
  // The GUI thread's while no thread runs, else the thread's.
  PictureFile file_;
  GifFrames frames_;
  std::vector<int> delays_;
  int frameCount_ = 0;
  QRgb background_ = 0;
  std::optional<int> ledColor_;  // loop mode 0: the colours to reduce to
  int loopMode_ = 0;
  int width_ = 0;
  int height_ = 0;
  int stayMs_ = 0;
  int playStayMs_ = 0;  // the thread's copy of the stay time
  std::uint32_t startTick_ = 0;
  std::thread thread_;
  std::atomic<bool> run_{false};
  std::atomic<bool> finished_{false};
  std::atomic<std::int64_t> waitingUntilMs_{-1};

  std::mutex lock_;  // guards shown_ and wakes the thread on a stop
  std::condition_variable wake_;
  QImage shown_;  // the last complete frame
  QImage back_;   // the thread's: the frame being drawn
};

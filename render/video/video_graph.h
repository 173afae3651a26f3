#pragma once
// A video file played in the preview: the file is opened and its decoder chosen on
// the caller's thread (Build); a streaming thread of its own reads and decodes, and
// hands each picture to the renderer when its presentation time has come on the play
// clock; the GUI thread draws whatever picture is current at its tick (DrawFrame) and
// polls for the end (HasEnded). Video only: the preview plays no sound. A file with
// no video stream (music) draws nothing and ends at the end of its packets' time.
//
// Lifecycle: Prepare, Build, Cue (the first picture is handed over, then the thread
// waits), Run (the play clock starts), HasEnded at each tick, Release (or the
// destructor) once the item ends. The streaming thread never waits for the GUI thread.

#include <QImage>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "render/common/play_clock.h"
#include "render/video/video_playback.h"

class CGrabRenderer;
class MediaInput;
class StreamDecoder;

class VideoGraph final : public VideoPlayback {
 public:
  // Build's results, also kept as the last error.
  static constexpr int kErrorRenderer = -3;  // the renderer or the thread cannot be set up
  static constexpr int kErrorFile = -4;      // no regular file, no decodable video,
                                             // pictures larger than kMaxVideoSide either
                                             // way or ones libswscale cannot convert
  // The event that ends the stream.
  static constexpr int kEventComplete = 1;

  // clock must outlive the graph and may be read from the streaming thread.
  explicit VideoGraph(const PlayClock& clock = SystemPlayClock());
  ~VideoGraph() override;
  VideoGraph(const VideoGraph&) = delete;
  VideoGraph& operator=(const VideoGraph&) = delete;

  // Creates the renderer. 1 on success; 0 after Release (a graph plays one file).
  [[nodiscard]] int Prepare() override;
  // Opens the file at path (the area's width and height are not needed: the picture
  // is scaled as it is drawn) and starts the streaming thread. 0, kErrorRenderer
  // (before Prepare, or built already) or kErrorFile; a failure leaves nothing open.
  [[nodiscard]] int Build(const QString& path, int width, int height) override;
  // Records position (100-nanosecond units; informational) and lets the thread hand
  // over the first picture, then wait for Run. Meant before Run: the graph plays from
  // its start once, and a later Cue only records the position.
  void Cue(std::int64_t position) override;
  // Counts the run and, the first time, starts the play clock of the pictures.
  void Run() override;
  // 1 when the event queue yields kEventComplete; 0 for no event or any other. Takes
  // at most one event a call and never waits. The end event becomes due once the last
  // picture's display time has passed since Run (at once for a file that cannot be
  // read further).
  [[nodiscard]] int HasEnded() override;
  // Draws the current picture onto (0, 0, width, height) of dc; nothing before the
  // first picture.
  void DrawFrame(QImage& dc, int width, int height) override;
  // Stops the thread (which may be blocked in a read), joins it with no lock held, and
  // releases the file, the decoder and the renderer.
  void Release();

  int LastError() const { return lastError_; }
  std::int64_t CuePosition() const { return cuePosition_; }
  int RunCount() const { return runCount_; }

 private:
  struct Event {
    int code;
    std::int64_t dueMs;  // since Run
  };

  int Open(const QString& path);
  void Stream();
  bool WaitForCue();
  bool WaitUntilDue(std::int64_t offsetMs);
  bool Show();
  void QueueEnd(std::int64_t dueMs);

  const PlayClock& clock_;
  std::unique_ptr<CGrabRenderer> renderer_;
  int lastError_ = 0;
  std::int64_t cuePosition_ = 0;
  int runCount_ = 0;

  std::unique_ptr<MediaInput> input_;
  std::unique_ptr<StreamDecoder> decoder_;
  std::thread thread_;

  // Shared with the streaming thread, under mutex_ (stop_ is also read without it, by
  // the reads it interrupts).
  std::mutex mutex_;
  std::condition_variable wake_;
  std::atomic<bool> stop_{false};
  bool cued_ = false;
  bool running_ = false;
  std::uint32_t runStartTick_ = 0;
  std::deque<Event> events_;
};

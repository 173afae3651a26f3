#include "render/video/video_graph.h"

#include <algorithm>
#include <chrono>
#include <system_error>

extern "C" {
#include <libavutil/log.h>
}

#include "render/video/grab_renderer.h"
#include "render/video/media_input.h"
#include "render/video/stream_decoder.h"

namespace {

// How long the streaming thread sleeps at most before it reads the play clock again:
// the clock is only polled, and tests drive it faster than real time.
constexpr std::int64_t kClockPollMs = 2;

// Lets the renderer take pictures of format at width x height: in its current mode,
// else in YV12 mode, which converts whatever libswscale reads.
bool ConnectRenderer(CGrabRenderer& renderer, int format, int width, int height) {
  if (!renderer.CheckMediaType(format, width, height)) {
    if (renderer.Yv12Mode()) return false;
    renderer.SetYv12Mode(true);
    if (!renderer.CheckMediaType(format, width, height)) return false;
  }
  renderer.SetMediaType(format, width, height);
  return true;
}

void QuietFfmpeg() {
  static std::once_flag once;
  // Damaged files make FFmpeg report each fault; failures reach the caller as codes.
  std::call_once(once, [] { av_log_set_level(AV_LOG_FATAL); });
}

}  // namespace

VideoGraph::VideoGraph(const PlayClock& clock) : clock_(clock) {}

VideoGraph::~VideoGraph() { Release(); }

int VideoGraph::Prepare() {
  QuietFfmpeg();
  if (stop_) return 0;  // released: a graph plays one file once
  if (renderer_ == nullptr) renderer_ = std::make_unique<CGrabRenderer>();
  return 1;
}

int VideoGraph::Build(const QString& path, int /*width*/, int /*height*/) {
  if (renderer_ == nullptr || input_ != nullptr) return lastError_ = kErrorRenderer;
  lastError_ = Open(path);
  if (lastError_ != 0) {
    decoder_.reset();
    input_.reset();
  }
  return lastError_;
}

int VideoGraph::Open(const QString& path) {
  renderer_->SetYv12Mode(false);
  input_ = std::make_unique<MediaInput>();
  decoder_ = std::make_unique<StreamDecoder>();
  if (!input_->Open(path, &stop_) || !decoder_->Open(input_->Format())) return kErrorFile;
  renderer_->SetQuarterTurns(decoder_->QuarterTurns());
  if (decoder_->HasVideo() && !ConnectRenderer(*renderer_, decoder_->PixelFormat(),
                                               decoder_->Width(), decoder_->Height())) {
    return kErrorFile;
  }
  try {
    thread_ = std::thread(&VideoGraph::Stream, this);
  } catch (const std::system_error&) {
    return kErrorRenderer;
  }
  return 0;
}

void VideoGraph::Cue(std::int64_t position) {
  cuePosition_ = position;
  const std::lock_guard lock(mutex_);
  cued_ = true;
  wake_.notify_all();
}

void VideoGraph::Run() {
  ++runCount_;
  const std::lock_guard lock(mutex_);
  if (running_) return;
  cued_ = true;
  running_ = true;
  runStartTick_ = clock_.TickMs();
  wake_.notify_all();
}

int VideoGraph::HasEnded() {
  const std::lock_guard lock(mutex_);
  if (!running_ || events_.empty()) return 0;
  const Event event = events_.front();
  if (clock_.ElapsedMs(runStartTick_) < event.dueMs) return 0;
  events_.pop_front();
  return event.code == kEventComplete ? 1 : 0;
}

void VideoGraph::DrawFrame(QImage& dc, int width, int height) {
  if (renderer_ != nullptr) (void)renderer_->DrawCurrent(dc, width, height);
}

void VideoGraph::Release() {
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
    wake_.notify_all();
  }
  if (thread_.joinable()) thread_.join();
  decoder_.reset();
  input_.reset();
  renderer_.reset();
}

// The streaming thread: the first step is shown at Cue, each following one when its
// time has come. Each step is read before the wait for its time, so the end (of the
// file, or of what can be read and decoded) is known, and queued with the time it
// becomes due, while the last picture is still showing.
void VideoGraph::Stream() {
  if (!WaitForCue()) return;
  TimedStep shown;
  if (!decoder_->Next(&shown) || !Show()) {
    QueueEnd(0);
    return;
  }
  for (;;) {
    TimedStep next;
    if (!decoder_->Next(&next)) break;
    if (!WaitUntilDue(next.offsetMs)) return;
    if (!Show()) break;
    shown = next;
  }
  QueueEnd(shown.offsetMs + shown.durationMs);
}

bool VideoGraph::WaitForCue() {
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return cued_ || stop_; });
  return !stop_;
}

bool VideoGraph::WaitUntilDue(std::int64_t offsetMs) {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (stop_) return false;
    if (!running_) {
      wake_.wait(lock);
      continue;
    }
    const std::int64_t left = offsetMs - clock_.ElapsedMs(runStartTick_);
    if (left <= 0) return true;
    wake_.wait_for(lock, std::chrono::milliseconds(std::min(left, kClockPollMs)));
  }
}

// Hands the decoder's picture to the renderer, telling it first of a new format or
// size. false when the renderer cannot take it: the stream ends there.
bool VideoGraph::Show() {
  if (!decoder_->HasVideo()) return true;
  const AVFrame& frame = decoder_->Frame();
  if (!renderer_->MatchesMediaType(frame.format, frame.width, frame.height) &&
      !ConnectRenderer(*renderer_, frame.format, frame.width, frame.height)) {
    return false;
  }
  return renderer_->DoRenderSample(frame);
}

void VideoGraph::QueueEnd(std::int64_t dueMs) {
  const std::lock_guard lock(mutex_);
  events_.push_back({kEventComplete, dueMs});
}

#include "render/media/gif_image.h"

#include <QFile>

#include <algorithm>
#include <chrono>
#include <system_error>
#include <utility>

#include "render/media/color_reduction.h"
#include "render/raster/gif_delays.h"
#include "render/raster/picture_on_background.h"
#include "render/raster/pixel_rect.h"
#include "render/raster/stretch_image.h"

namespace {

constexpr int kZeroDelayMs = 100;  // a stored delay of 0 shows the frame this long
constexpr int kMsPerDelayUnit = 10;
// How long the thread sleeps at most before it reads the play clock again: the clock
// is only polled, and tests drive it faster than real time.
constexpr std::int64_t kClockPollMs = 1;

void Copy(const QImage& from, QImage& to, int width, int height) {
  (void)StretchNearest(from, PixelRectOfSize(from.width(), from.height()), to,
                       PixelRectOfSize(width, height), NearestCopy::kOpaque);
}

}  // namespace

CGifImage::CGifImage(const PlayClock& clock) : clock_(clock) {}

CGifImage::~CGifImage() { Stop(); }

int CGifImage::LoadFile(const QString& path, QImage& dc, int width, int height, QRgb background) {
  Stop();
  if (!file_.Read(path)) return 0;
  return Load(dc, width, height, background, 0, CurrentLedColor());
}

int CGifImage::LoadResource(int id, QImage& dc, int width, int height) {
  Stop();
  QFile resource(QString(":/gif/%1.gif").arg(id));
  if (!resource.open(QIODevice::ReadOnly) || !file_.Take(resource.readAll(), resource.fileName())) {
    return 0;
  }
  return Load(dc, width, height, qRgb(0, 0, 0), 1, std::nullopt);
}

int CGifImage::Load(QImage& dc, int width, int height, QRgb background, int loopMode,
                    std::optional<int> ledColor) {
  if (!frames_.Open(file_)) return 0;
  QImage first = PictureOnBackground(frames_.Next(), width, height, background);
  if (first.isNull()) return 0;
  ReduceColors(first, ledColor);
  frameCount_ = frames_.Count();
  delays_ = GifFrameDelays(file_.Bytes());
  background_ = background;
  ledColor_ = ledColor;
  loopMode_ = loopMode;
  width_ = width;
  height_ = height;
  Copy(first, dc, width, height);
  const std::lock_guard guard(lock_);
  shown_ = std::move(first);
  return 1;
}

void CGifImage::Play() {
  Stop();
  run_ = true;
  finished_ = false;
  waitingUntilMs_ = -1;
  playStayMs_ = stayMs_;
  startTick_ = clock_.TickMs();
  try {
    thread_ = std::thread(&CGifImage::Animate, this);
  } catch (const std::system_error&) {
    run_ = false;
    finished_ = true;
  }
}

void CGifImage::Draw(QImage& dc, int width, int height) {
  const std::lock_guard guard(lock_);
  if (!shown_.isNull()) Copy(shown_, dc, width, height);
}

void CGifImage::Stop() {
  {
    const std::lock_guard guard(lock_);
    run_ = false;
    wake_.notify_all();
  }
  if (thread_.joinable()) thread_.join();
}

// The animation thread. One frame: keep it for the stay time. Several: show them in
// turn, each for its delay; loop mode 1 starts again after the last until the stay
// time has passed.
void CGifImage::Animate() {
  if (frameCount_ <= 1) {
    (void)Wait(playStayMs_, true);
    finished_ = true;
    return;
  }
  std::int64_t dueMs = 0;  // since the start, when the next frame is shown
  for (int index = 0; run_; ++index) {
    if (loopMode_ == 1 && ElapsedMs() >= playStayMs_) break;
    if (index == frameCount_) {
      if (loopMode_ == 0) break;
      index = 0;
    }
    if (index == 0 && !frames_.Open(file_)) break;  // from the first frame (again)
    if (!ShowFrame(frames_.Next())) break;
    const int delay = index < static_cast<int>(delays_.size()) ? delays_[index] : 0;
    dueMs += delay == 0 ? kZeroDelayMs : delay * kMsPerDelayUnit;
    if (!Wait(dueMs, loopMode_ == 1)) break;
  }
  finished_ = true;
}

// Draws frame over the background into the back picture and hands it over. false
// when the frame could not be decoded.
bool CGifImage::ShowFrame(const QImage& frame) {
  back_ = PictureOnBackground(frame, width_, height_, background_);
  if (back_.isNull()) return false;
  ReduceColors(back_, ledColor_);
  const std::lock_guard guard(lock_);
  std::swap(shown_, back_);
  return true;
}

// Waits until untilMs since the start (with stayBounds, at most until the stay time
// has passed). false when stopped.
bool CGifImage::Wait(std::int64_t untilMs, bool stayBounds) {
  if (stayBounds) untilMs = std::min<std::int64_t>(untilMs, playStayMs_);
  std::unique_lock guard(lock_);
  for (;;) {
    if (!run_) return false;
    const std::int64_t left = untilMs - ElapsedMs();
    if (left <= 0) return true;
    waitingUntilMs_ = untilMs;
    wake_.wait_for(guard, std::chrono::milliseconds(std::min(left, kClockPollMs)));
  }
}

std::int64_t CGifImage::ElapsedMs() const { return clock_.ElapsedMs(startTick_); }

#include "render/flash/swf.h"

#include <algorithm>

#include "render/common/random_source.h"

namespace {

// The window's place: x and y from 1 to 299, as the hidden window always had.
int RandomWindowOffset() { return ProcessRandom().Below(299) + 1; }

// Frame files of flash content carry no background colour.
constexpr ColorRef kFlashFrameBackColor = 0xFFFFFFFF;

}  // namespace

CSwf::CSwf(const PlayClock& clock) : clock_(clock) {}

CSwf::~CSwf() { Close(); }

void CSwf::Close() {
  StopTimer();
  control_.Destroy();
  frameFile_.reset();  // an unfinished frame file is discarded
  capture_ = QImage();
  frame_ = Dib24();
  started_ = 0;
  done_ = 0;
  failed_ = false;
  ended_ = false;
}

void CSwf::StopTimer() {
  if (!timerRunning_) return;
  timerRunning_ = false;
  // Fails only when no such timer runs, which timerRunning_ rules out.
  static_cast<void>(KillTimer(Handle(), kFlashTimerId));
}

int CSwf::Open(int width, const QString& moviePath, int height) {
  Close();
  if (!Dib24::IsValidSize(width, height)) return 0;
  const int x = RandomWindowOffset();
  const int y = RandomWindowOffset();
  controlWidth_ = backgroundMode_ != 0 ? kFlashBackgroundControlWidth : width;
  controlHeight_ = backgroundMode_ != 0 ? kFlashBackgroundControlHeight : height;
  bool ready = control_.Create({x, y, x + width, y + height}, {controlWidth_, controlHeight_}) &&
               control_.SetMenu(false) && control_.SetScaleMode(kFlashScaleExactFit);
  if (ready && recordMode_ != 0) {
    frameFile_ = std::make_unique<PakWriter>();
    ready =
        !framePath_.isEmpty() && frameFile_->Open(framePath_, width, height, kFlashFrameBackColor);
    capture_ = QImage(width, height, QImage::Format_RGB32);
    frame_ = Dib24(width, height);
  }
  if (!ready || !control_.SetMovie(moviePath)) {
    Close();
    return 0;
  }
  return 1;
}

bool CSwf::SetPlayLength(int stay) {
  const std::int64_t lengthMs = std::int64_t{std::max(stay, 0)} * 100;
  playLengthMs_ = static_cast<std::uint32_t>(lengthMs);
  return control_.SetLoop(playLengthMs_ != 0);
}

int CSwf::Play() {
  if (!control_.Play()) return 0;
  startTick_ = clock_.TickMs();
  ended_ = false;
  if (recordMode_ != 0 && frameFile_ != nullptr && !done_) {
    timerRunning_ = SetTimer(Handle(), kFlashTimerId, kFlashRecordIntervalMs);
    if (!timerRunning_) return 0;
  }
  return 1;
}

int CSwf::HasEnded() {
  if (playLengthMs_ == 0) return control_.IsPlaying() ? 0 : 1;
  if (ended_) return 1;
  if (clock_.ElapsedMs(startTick_) < playLengthMs_) return 0;
  ended_ = true;
  StopTimer();
  // The play length is over whether or not the player takes the stop.
  static_cast<void>(control_.Stop());
  return 1;
}

int CSwf::Capture(QImage& picture) {
  if (picture.isNull() || HasEnded() != 0) return 0;
  return control_.Capture(picture) ? 1 : 0;
}

LRESULT CSwf::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_TIMER) return MessageWindow::WindowProc(msg, wParam, lParam);
  OnTimer(static_cast<UINT>(wParam));
  return 0;
}

void CSwf::OnTimer(UINT timerId) {
  // Ticks already queued when the recording ended are ignored.
  if (timerId != kFlashTimerId || !timerRunning_ || frameFile_ == nullptr) return;
  if (clock_.ElapsedMs(startTick_) >= kFlashRecordLimitMs) {
    EndRecording(false);
    return;
  }
  // A capture that fails is tried again on the next tick.
  if (control_.Capture(capture_)) RecordCapture();
}

void CSwf::RecordCapture() {
  if (started_ == 0) {
    started_ = ShowsFirstPaint(capture_) ? 1 : 0;
    return;  // the tick that sees the first paint writes nothing
  }
  frame_.CopyFromImage(capture_, 0, 0);
  if (!frameFile_->AppendFrame(frame_)) {
    EndRecording(false);
  } else if (frameFile_->FramesWritten() == kFlashRecordFrames) {
    EndRecording(frameFile_->Finish(0));
  }
}

void CSwf::EndRecording(bool complete) {
  StopTimer();
  frameFile_.reset();  // a failed recording leaves no frame file
  done_ = 1;
  failed_ = !complete;
}

#include "render/media/media_item_player.h"

#include "render/flash/swf.h"
#include "render/frame/pak_reader.h"
#include "render/media/gif_image.h"
#include "render/media/pictures.h"
#include "render/raster/pixel_rect.h"
#include "render/raster/stretch_image.h"
#include "render/video/video_library.h"

namespace {

constexpr int kMsPerStayUnit = 100;  // stay times are tenths of a second
// Video positions are kept in 100-nanosecond units: a stay of one tenth of a second.
constexpr std::int64_t kPositionPerStayUnit = 1'000'000;
// Effects whose items get no stay time, so that they follow one another.
constexpr int kFirstPushEffect = 6;
constexpr int kLastPushEffect = 9;
constexpr int kRandomEffect = 1;

}  // namespace

MediaItemPlayer::MediaItemPlayer(const PlayClock& clock) : clock_(clock) {}

MediaItemPlayer::~MediaItemPlayer() = default;

int MediaItemPlayer::Load(QImage* target, const QString& path, int kind, int width, int height,
                          int effect, int speed, int stay, ColorRef fill) {
  if (target == nullptr || kind_ != -1) return 0;
  own_ = QImage(width, height, QImage::Format_RGB32);
  if (own_.isNull()) return 0;
  fill_ = ColorRefToQRgb(fill);
  own_.fill(fill_);
  stay_ = effect >= kFirstPushEffect && effect <= kLastPushEffect ? 0 : stay;
  width_ = width;
  height_ = height;
  kind_ = kind;
  if (!LoadKind(path)) {
    frameFile_.reset();
    video_.reset();
    swf_.reset();
    gif_.reset();
    picture_.reset();
    own_ = QImage();
    kind_ = -1;
    return 0;
  }
  effect_ = effect;
  target_ = target;
  speed_ = speed;
  state_ = 0;
  return 1;
}

bool MediaItemPlayer::LoadKind(const QString& path) {
  switch (kind_) {
    case kMediaFrameFile:
      frameFile_ = std::make_unique<CPakReader>();
      return frameFile_->Open(path) && frameFile_->ReadHeaderForPlay(stay_, 0) == 1;
    case kMediaVideo:
      video_ = CreateVideoPlayback(clock_);
      // Without the video library beside the program no video plays.
      if (video_ == nullptr || video_->Prepare() != 1 ||
          video_->Build(path, width_, height_) != 0) {
        return false;
      }
      video_->Cue(stay_ * kPositionPerStayUnit);
      return true;
    case kMediaFlash:
      swf_ = std::make_unique<CSwf>(clock_);
      return swf_->Open(width_, path, height_) == 1 && swf_->SetPlayLength(stay_);
    case kMediaGif:
      gif_ = std::make_unique<CGifImage>(clock_);
      return gif_->LoadFile(path, own_, width_, height_, fill_) == 1;
    case kMediaPicture:
      picture_ = std::make_unique<CPictures>();
      return picture_->Load(path, width_, height_) == 1;
    default: return false;
  }
}

int MediaItemPlayer::Step() {
  switch (kind_) {
    case kMediaFrameFile: return StepFrameFile();
    case kMediaVideo: return StepVideo();
    case kMediaFlash: return StepSwf();
    case kMediaGif: return StepGif();
    case kMediaPicture: return StepPicture();
    default: return 0;  // not loaded
  }
}

// Each page comes in with the effect and stays for the stay time; with a stay of 0
// the next page follows in the same call.
int MediaItemPlayer::StepFrameFile() {
  for (;;) {
    if (state_ == 0) {
      const bool effect = HasEffect();
      if (frameFile_->DrawNextFrameStretched(effect ? own_ : *target_, width_, height_) != 1) {
        return 0;
      }
      if (effect && !StartTransition()) return 0;
      state_ = effect ? 1 : 2;
      if (!effect) StartStay();
    }
    if (state_ == 1 && TransitionCompleted()) {
      ShowOwnPicture();
      state_ = 2;
      StartStay();
    }
    if (state_ != 2 || !StayOver()) return 1;
    if (frameFile_->FramesDrawn() >= frameFile_->Header().FrameCount) return 0;
    state_ = 0;
  }
}

// A video comes in from its current picture and then plays to its end.
int MediaItemPlayer::StepVideo() {
  if (state_ == 0) {
    if (HasEffect()) {
      state_ = 1;
      if (video_->HasEnded() == 0) video_->DrawFrame(own_, width_, height_);
      if (!StartTransition()) return 0;
    } else {
      state_ = 2;
    }
    video_->Run();
  }
  if (state_ == 1) {
    video_->DrawFrame(own_, width_, height_);
    if (TransitionCompleted()) {
      state_ = 2;
      video_->Run();
    }
  }
  if (state_ == 2) {
    if (video_->HasEnded() == 1) return 0;
    video_->DrawFrame(*target_, width_, height_);
  }
  return 1;
}

int MediaItemPlayer::StepSwf() {
  if (state_ == 0) {
    if (HasEffect()) {
      state_ = 1;
      (void)swf_->Capture(own_);  // nothing printed: the item comes in from its fill
      if (!StartTransition()) return 0;
    } else {
      state_ = 2;
      if (swf_->Play() != 1) return 0;
    }
  }
  if (state_ == 1 && TransitionCompleted()) {
    state_ = 2;
    if (swf_->Play() != 1) return 0;
  }
  if (state_ == 2) {
    if (swf_->HasEnded() == 1) return 0;
    (void)swf_->Capture(*target_);  // nothing printed: the area keeps its picture
  }
  return 1;
}

// A GIF comes in from the first frame the load drew; its stay time counts from Play.
int MediaItemPlayer::StepGif() {
  if (state_ == 0) {
    state_ = HasEffect() ? 1 : 2;
    if (state_ == 1 && !StartTransition()) return 0;
    if (state_ == 2) {
      gif_->SetStayTime(stay_ * kMsPerStayUnit);
      gif_->Play();
    }
  }
  if (state_ == 1 && TransitionCompleted()) {
    state_ = 2;
    gif_->SetStayTime(stay_ * kMsPerStayUnit);
    gif_->Play();
  }
  if (state_ == 2) {
    if (gif_->Finished()) return 0;
    gif_->Draw(*target_, width_, height_);
  }
  return 1;
}

int MediaItemPlayer::StepPicture() {
  if (state_ == 0) {
    if (HasEffect()) {
      picture_->Draw(width_, height_, own_);
      if (!StartTransition()) return 0;
      state_ = 1;
    } else {
      picture_->Draw(width_, height_, *target_);
      state_ = 2;
      StartStay();
    }
  }
  if (state_ == 1 && TransitionCompleted()) {
    picture_->Draw(width_, height_, *target_);
    state_ = 2;
    StartStay();
  }
  return state_ == 2 && StayOver() ? 0 : 1;
}

// Whether the entry effect has a drawing. One without (0, and numbers no effect has,
// such as 39, which the card shows as code 0) brings the item in at once.
bool MediaItemPlayer::HasEffect() const {
  return effect_ == kRandomEffect || TransitionStepOf(effect_) != nullptr;
}

bool MediaItemPlayer::StartTransition() {
  transition_ = std::make_unique<TransitionEffect>();
  if (transition_->Init(&own_, target_, width_, height_, speed_, effect_) == 1) return true;
  transition_.reset();
  return false;
}

bool MediaItemPlayer::TransitionCompleted() {
  if (transition_ == nullptr || transition_->Step() != 0) return false;
  transition_.reset();
  return true;
}

void MediaItemPlayer::ShowOwnPicture() {
  (void)StretchNearest(own_, PixelRectOfSize(width_, height_), *target_,
                       PixelRectOfSize(width_, height_), NearestCopy::kOpaque);
}

void MediaItemPlayer::StartStay() { stayStartTick_ = clock_.TickMs(); }

bool MediaItemPlayer::StayOver() const {
  return clock_.ElapsedMs(stayStartTick_) >= static_cast<std::uint32_t>(stay_ * kMsPerStayUnit);
}

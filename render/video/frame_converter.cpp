#include "render/video/frame_converter.h"

extern "C" {
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

namespace {

// The conversion runs at the picture's size, so the flags choose only how chroma is
// widened; the fastest mode is good enough for a preview.
constexpr int kScaleFlags = SWS_FAST_BILINEAR;
constexpr AVPixelFormat kTargetFormat = AV_PIX_FMT_BGRA;

SwsContext* MakeContext(int format, int width, int height) {
  return sws_getContext(width, height, static_cast<AVPixelFormat>(format), width, height,
                        kTargetFormat, kScaleFlags, nullptr, nullptr, nullptr);
}

}  // namespace

FrameConverter::~FrameConverter() { sws_freeContext(context_); }

bool FrameConverter::CanConvert(int format, int width, int height) {
  SwsContext* context = MakeContext(format, width, height);
  sws_freeContext(context);
  return context != nullptr;
}

bool FrameConverter::Convert(const AVFrame& frame, std::uint8_t* target, int targetStride) {
  const Parameters wanted{
      frame.format,
      frame.width,
      frame.height,
      {frame.linesize[0], frame.linesize[1], frame.linesize[2], frame.linesize[3]},
      targetStride};
  if (context_ == nullptr || !(wanted == kept_)) {
    sws_freeContext(context_);
    context_ = MakeContext(frame.format, frame.width, frame.height);
    kept_ = wanted;
  }
  if (context_ == nullptr) return false;
  std::uint8_t* const targets[4] = {target, nullptr, nullptr, nullptr};
  const int targetStrides[4] = {targetStride, 0, 0, 0};
  return sws_scale(context_, frame.data, frame.linesize, 0, frame.height, targets, targetStrides) ==
         frame.height;
}

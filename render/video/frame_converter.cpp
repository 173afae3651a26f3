#include "render/video/frame_converter.h"

extern "C" {
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

namespace {

// Every pixel gets its own chroma (a 4:4:4 picture keeps its colour edges, a 4:2:0 one
// at its own size is interpolated, not repeated in pairs) and rounding is exact at
// every bit depth. A shrink takes the nearest pixels, as pictures are stretched for the
// screen; it also spares converting the pixels it leaves out, which at these flags
// costs many times the fast modes.
constexpr int kAccurateChroma = SWS_FULL_CHR_H_INT | SWS_FULL_CHR_H_INP | SWS_ACCURATE_RND;
constexpr AVPixelFormat kTargetFormat = AV_PIX_FMT_BGRA;

SwsContext* MakeContext(int format, int sourceWidth, int sourceHeight, int width, int height) {
  const int scale = width < sourceWidth || height < sourceHeight ? SWS_POINT : SWS_BICUBIC;
  return sws_getContext(sourceWidth, sourceHeight, static_cast<AVPixelFormat>(format), width,
                        height, kTargetFormat, scale | kAccurateChroma, nullptr, nullptr, nullptr);
}

}  // namespace

FrameConverter::~FrameConverter() { sws_freeContext(context_); }

bool FrameConverter::CanConvert(int format, int width, int height) {
  SwsContext* context = MakeContext(format, width, height, width, height);
  sws_freeContext(context);
  return context != nullptr;
}

bool FrameConverter::Convert(const AVFrame& frame, std::uint8_t* target, int targetStride,
                             int width, int height) {
  if (width > frame.width || height > frame.height) return false;
  const Parameters wanted{
      frame.format, frame.width,
      frame.height, {frame.linesize[0], frame.linesize[1], frame.linesize[2], frame.linesize[3]},
      width,        height,
      targetStride};
  if (context_ == nullptr || !(wanted == kept_)) {
    sws_freeContext(context_);
    context_ = MakeContext(frame.format, frame.width, frame.height, width, height);
    kept_ = wanted;
  }
  if (context_ == nullptr) return false;
  std::uint8_t* const targets[4] = {target, nullptr, nullptr, nullptr};
  const int targetStrides[4] = {targetStride, 0, 0, 0};
  return sws_scale(context_, frame.data, frame.linesize, 0, frame.height, targets, targetStrides) ==
         height;
}

#pragma once
// Turns decoded pictures of any format libswscale reads into 32-bit pixels in the byte
// order blue, green, red, alpha (QImage::Format_RGB32 on this machine), at the
// picture's own size. Each picture is read by its own format, plane pointers and line
// sizes; the scaling context is made anew whenever the size, the format or a stride
// changes.

#include <array>
#include <cstdint>

struct AVFrame;
struct SwsContext;

class FrameConverter {
 public:
  FrameConverter() = default;
  ~FrameConverter();
  FrameConverter(const FrameConverter&) = delete;
  FrameConverter& operator=(const FrameConverter&) = delete;

  // Whether pictures of format (an AVPixelFormat) at width x height can be converted.
  [[nodiscard]] static bool CanConvert(int format, int width, int height);

  // Converts frame into target, whose rows lie targetStride bytes apart and hold at
  // least the frame's width x 4 bytes, for the frame's height. false, when no context
  // can be made for the frame or it converts fewer rows than the frame has.
  [[nodiscard]] bool Convert(const AVFrame& frame, std::uint8_t* target, int targetStride);

 private:
  struct Parameters {
    int sourceFormat = -1;
    int width = 0;
    int height = 0;
    std::array<int, 4> sourceStrides{};
    int targetStride = 0;
    friend bool operator==(const Parameters&, const Parameters&) = default;
  };

  SwsContext* context_ = nullptr;
  Parameters kept_;
};

#pragma once
// Turns decoded pictures of any format libswscale reads into 32-bit pixels in the byte
// order blue, green, red, alpha (QImage::Format_RGB32 on this machine), at the
// picture's own size or shrunk to a smaller one. Each picture is read by its own
// format, plane pointers and line sizes; the scaling context is made anew whenever a
// size, the format or a stride changes.

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

  // Converts frame into target, width x height pixels (at most the frame's size either
  // way) whose rows lie targetStride bytes apart. A smaller size takes the nearest
  // pixel of the frame for each. false, when the size is larger, no context can be made
  // for the frame or it converts fewer rows than height.
  [[nodiscard]] bool Convert(const AVFrame& frame, std::uint8_t* target, int targetStride,
                             int width, int height);

 private:
  struct Parameters {
    int sourceFormat = -1;
    int sourceWidth = 0;
    int sourceHeight = 0;
    std::array<int, 4> sourceStrides{};
    int width = 0;
    int height = 0;
    int targetStride = 0;
    friend bool operator==(const Parameters&, const Parameters&) = default;
  };

  SwsContext* context_ = nullptr;
  Parameters kept_;
};

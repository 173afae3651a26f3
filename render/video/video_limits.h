#pragma once
// The largest video picture the preview takes: 8192 pixels either way. A damaged or
// crafted stream may claim any size; a picture past this bound is refused before
// its buffers are allocated, and a file whose video is larger cannot be played.

#include <cstdint>

constexpr int kMaxVideoSide = 8192;
// Also handed to FFmpeg's decoders (their max_pixels), which then refuse a larger
// picture before they size anything by it.
constexpr std::int64_t kMaxVideoPixels = std::int64_t{kMaxVideoSide} * kMaxVideoSide;

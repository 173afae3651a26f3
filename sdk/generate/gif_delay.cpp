#include "sdk/generate/gif_delay.h"

#include "render/raster/gif_delays.h"

int FirstGifFrameDelay(QIODevice& device) {
  const std::vector<int> delays = GifFrameDelays(device);
  return delays.empty() ? 0 : delays.front();
}

// The export of the video library, named as kCreateVideoPlaybackSymbol says: the one
// way in to the FFmpeg playback.
#include "render/video/video_graph.h"
#include "render/video/video_playback.h"

extern "C" __attribute__((visibility("default"))) VideoPlayback* QuendraCreateVideoPlaybackV1(
    const PlayClock* clock) {
  return clock != nullptr ? new VideoGraph(*clock) : nullptr;
}

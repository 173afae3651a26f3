#pragma once
// The preview's video playback sits with FFmpeg in a library of its own,
// libkqvideo_ffmpeg.so beside the program, which is loaded when the first video is
// played: a session that plays no video maps none of FFmpeg.

#include <memory>

#include "render/video/video_playback.h"

inline constexpr char kVideoLibraryFile[] = "libkqvideo_ffmpeg.so";

// A new playback on clock (which must outlive it); null when the library beside the
// program is missing or cannot be loaded (said once on the log). The first call loads
// the library, which then stays loaded: the playbacks' code lives in it.
std::unique_ptr<VideoPlayback> CreateVideoPlayback(const PlayClock& clock);

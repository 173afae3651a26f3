#pragma once
// What the streaming thread plays of an open file, one timed step at a time: the
// pictures of its best video stream, decoded with automatic threads, or, for a file
// without video (music), the packets of its best stream, which only pace the item.
// Pictures larger than kMaxVideoSide either way are never decoded: the decoder
// refuses them as it refuses damaged data.

#include <cstdint>
#include <optional>

#include "render/video/av_handles.h"

// A step's place on the item's time line, in milliseconds from its first step.
struct TimedStep {
  std::int64_t offsetMs = 0;
  std::int64_t durationMs = 0;
};

// Places timestamps on a time line that starts at 0 with the first and runs on
// without gaps across a jump back or a jump ahead of more than kMaxGapMs (clips joined
// byte for byte restart their timestamps; damaged ones jump anywhere).
class StepTimeline {
 public:
  static constexpr std::int64_t kMaxGapMs = 10'000;

  // The offset of a step stamped streamMs (none: right after the previous step) that
  // lasts durationMs (0 to kMaxGapMs).
  std::int64_t Place(std::optional<std::int64_t> streamMs, std::int64_t durationMs);

 private:
  bool started_ = false;
  std::int64_t shiftMs_ = 0;     // stream time of offset 0
  std::int64_t previousMs_ = 0;  // offset of the previous step
  std::int64_t nextMs_ = 0;      // where the previous step ended
};

class StreamDecoder {
 public:
  // Chooses the stream of format (which must outlive this object) and opens its
  // decoder. false when the file has a video stream that cannot be decoded, or no
  // stream at all.
  [[nodiscard]] bool Open(AVFormatContext* format);

  bool HasVideo() const { return codec_ != nullptr; }
  // The decoder's picture format (an AVPixelFormat) and size as the stream gives them.
  int PixelFormat() const;
  int Width() const;
  int Height() const;
  // Quarter turns clockwise (0-3) the pictures are shown turned by, as the stream's
  // display matrix or, without one, its "rotate" tag says (to the nearest quarter turn;
  // a mirroring is not read).
  int QuarterTurns() const { return quarterTurns_; }

  // Reads on to the next picture, or without video the next packet. false at the end
  // of what can be read and decoded: the end of the file, a read error or data the
  // decoder gives up on (damaged packets alone are skipped).
  [[nodiscard]] bool Next(TimedStep* step);
  // The picture of the last successful Next (video only).
  const AVFrame& Frame() const { return *frame_; }

 private:
  bool OpenVideo(int stream, const AVCodec* decoder);
  bool NextFrame();
  void SendNextPacket();
  bool ReadPacket();
  std::int64_t ToMs(std::int64_t streamTime) const;

  AVFormatContext* format_ = nullptr;
  int stream_ = -1;
  AvCodecContextPtr codec_;
  AvFramePtr frame_;
  AvPacketPtr packet_;
  bool draining_ = false;  // the decoder has been told that no packet follows
  std::int64_t fallbackDurationMs_ = 0;
  int quarterTurns_ = 0;
  StepTimeline timeline_;
};

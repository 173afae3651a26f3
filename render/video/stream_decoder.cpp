#include "render/video/stream_decoder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

extern "C" {
#include <libavutil/display.h>
}

#include "render/video/video_limits.h"

namespace {

// Allocates a decoded picture's buffers; a picture larger than kMaxVideoSide either
// way gets none, and the decoder drops it.
int BoundedBuffer(AVCodecContext* codec, AVFrame* frame, int flags) {
  if (frame->width > kMaxVideoSide || frame->height > kMaxVideoSide) return AVERROR(EINVAL);
  return avcodec_default_get_buffer2(codec, frame, flags);
}

// The clockwise turn of stream's pictures in degrees: a display matrix holds the
// counter-clockwise one; the older "rotate" tag the clockwise one. 0 when neither says.
double ClockwiseDegrees(const AVStream& stream) {
  std::size_t size = 0;
  const std::uint8_t* matrix = av_stream_get_side_data(&stream, AV_PKT_DATA_DISPLAYMATRIX, &size);
  if (matrix != nullptr && size >= 9 * sizeof(std::int32_t)) {
    return -av_display_rotation_get(reinterpret_cast<const std::int32_t*>(matrix));
  }
  const AVDictionaryEntry* tag = av_dict_get(stream.metadata, "rotate", nullptr, 0);
  return tag != nullptr ? std::strtod(tag->value, nullptr) : 0;
}

// degrees (anything a file gives, NaN for a degenerate matrix) as quarter turns 0-3.
int QuarterTurnsOf(double degrees) {
  if (!std::isfinite(degrees)) return 0;
  const long turns = std::lround(std::fmod(degrees, 360.0) / 90.0);
  return static_cast<int>((turns % 4 + 4) % 4);
}

}  // namespace

std::int64_t StepTimeline::Place(std::optional<std::int64_t> streamMs, std::int64_t durationMs) {
  std::int64_t offset = nextMs_;
  if (streamMs) {
    if (!started_) shiftMs_ = *streamMs;
    offset = *streamMs - shiftMs_;
    if (started_ && (offset < previousMs_ || offset > nextMs_ + kMaxGapMs)) {
      shiftMs_ = *streamMs - nextMs_;
      offset = nextMs_;
    }
  }
  started_ = true;
  previousMs_ = offset;
  nextMs_ = offset + durationMs;
  return offset;
}

bool StreamDecoder::Open(AVFormatContext* format) {
  format_ = format;
  packet_.reset(av_packet_alloc());
  if (packet_ == nullptr) return false;
  const AVCodec* decoder = nullptr;
  const int video = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
  // A cover picture of a music file is no video.
  if (video >= 0 && !(format->streams[video]->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
    return OpenVideo(video, decoder);
  }
  if (video == AVERROR_DECODER_NOT_FOUND) return false;
  const int audio = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  stream_ = audio >= 0 ? audio : 0;
  return format->nb_streams > 0;
}

bool StreamDecoder::OpenVideo(int stream, const AVCodec* decoder) {
  stream_ = stream;
  const AVStream* video = format_->streams[stream];
  codec_.reset(avcodec_alloc_context3(decoder));
  frame_.reset(av_frame_alloc());
  if (codec_ == nullptr || frame_ == nullptr) return false;
  if (avcodec_parameters_to_context(codec_.get(), video->codecpar) < 0) return false;
  codec_->thread_count = 0;  // as many as the machine has
  codec_->max_pixels = kMaxVideoPixels;
  codec_->get_buffer2 = &BoundedBuffer;
  if (avcodec_open2(codec_.get(), decoder, nullptr) < 0) return false;
  quarterTurns_ = QuarterTurnsOf(ClockwiseDegrees(*video));
  const AVRational rate = video->avg_frame_rate;
  if (rate.num > 0 && rate.den > 0) {
    fallbackDurationMs_ = av_rescale(1000, rate.den, rate.num);
  }
  return true;
}

int StreamDecoder::PixelFormat() const { return HasVideo() ? codec_->pix_fmt : AV_PIX_FMT_NONE; }
int StreamDecoder::Width() const { return HasVideo() ? codec_->width : 0; }
int StreamDecoder::Height() const { return HasVideo() ? codec_->height : 0; }

bool StreamDecoder::Next(TimedStep* step) {
  std::int64_t stamp = AV_NOPTS_VALUE;
  std::int64_t duration = 0;
  if (HasVideo()) {
    if (!NextFrame()) return false;
    stamp = frame_->best_effort_timestamp;
    duration = frame_->pkt_duration;
  } else {
    if (!ReadPacket()) return false;
    stamp = packet_->pts != AV_NOPTS_VALUE ? packet_->pts : packet_->dts;
    duration = packet_->duration;
  }
  step->durationMs = std::clamp<std::int64_t>(duration > 0 ? ToMs(duration) : fallbackDurationMs_,
                                              0, StepTimeline::kMaxGapMs);
  std::optional<std::int64_t> streamMs;
  if (stamp != AV_NOPTS_VALUE) streamMs = ToMs(stamp);
  step->offsetMs = timeline_.Place(streamMs, step->durationMs);
  return true;
}

bool StreamDecoder::NextFrame() {
  for (;;) {
    const int received = avcodec_receive_frame(codec_.get(), frame_.get());
    if (received == 0) return true;
    if (received != AVERROR(EAGAIN) || draining_) return false;
    SendNextPacket();
  }
}

void StreamDecoder::SendNextPacket() {
  while (ReadPacket()) {
    const int sent = avcodec_send_packet(codec_.get(), packet_.get());
    av_packet_unref(packet_.get());
    // A packet the decoder refuses is skipped: it picks up again at one it can use.
    if (sent == 0) return;
  }
  draining_ = true;
  avcodec_send_packet(codec_.get(), nullptr);  // the pictures it still holds follow
}

bool StreamDecoder::ReadPacket() {
  for (;;) {
    av_packet_unref(packet_.get());
    if (av_read_frame(format_, packet_.get()) < 0) return false;
    if (packet_->stream_index == stream_) return true;
  }
}

std::int64_t StreamDecoder::ToMs(std::int64_t streamTime) const {
  return av_rescale_q(streamTime, format_->streams[stream_]->time_base, AVRational{1, 1000});
}

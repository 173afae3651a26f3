#pragma once
// Owners of FFmpeg's objects: each is freed by its own call when its owner goes.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
}

#include <memory>

struct AvFrameFree {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct AvPacketFree {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct AvCodecContextFree {
  void operator()(AVCodecContext* codec) const { avcodec_free_context(&codec); }
};

using AvFramePtr = std::unique_ptr<AVFrame, AvFrameFree>;
using AvPacketPtr = std::unique_ptr<AVPacket, AvPacketFree>;
using AvCodecContextPtr = std::unique_ptr<AVCodecContext, AvCodecContextFree>;

#pragma once
// A media file opened for FFmpeg's demuxers through a descriptor of our own: the path
// must name a regular file (a FIFO or a device named like a video would block or never
// end), probing is bounded so that opening never holds its caller long, and every read
// gives up as soon as the owner's stop request is set.

#include <QString>

#include <atomic>
#include <cstdint>

#include "model/common/unique_fd.h"

struct AVFormatContext;
struct AVIOContext;

class MediaInput {
 public:
  MediaInput() = default;
  ~MediaInput();
  MediaInput(const MediaInput&) = delete;
  MediaInput& operator=(const MediaInput&) = delete;

  // Opens the file at path and reads its stream information; reads fail with
  // AVERROR_EXIT once *stop is true (stop must outlive this object). false when it is
  // not a regular file or FFmpeg cannot read it as media.
  [[nodiscard]] bool Open(const QString& path, const std::atomic<bool>* stop);

  // The open container; null before a successful Open.
  AVFormatContext* Format() const { return format_; }

 private:
  static int Read(void* opaque, unsigned char* buffer, int size);
  static std::int64_t Seek(void* opaque, std::int64_t offset, int whence);
  static int Interrupted(void* opaque);

  UniqueFd file_;
  std::int64_t size_ = 0;
  const std::atomic<bool>* stop_ = nullptr;
  AVIOContext* io_ = nullptr;
  AVFormatContext* format_ = nullptr;
};

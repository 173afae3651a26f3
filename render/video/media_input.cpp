#include "render/video/media_input.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

#include "model/common/regular_file.h"
#include "render/video/av_handles.h"
#include "render/video/video_limits.h"

namespace {

// How much of a file FFmpeg may read, and how much of its play time it may decode,
// to learn its streams: enough for common containers, and a bound on the time the
// caller waits for a file that does not say what it holds.
constexpr std::int64_t kProbeBytes = 2 * 1024 * 1024;
constexpr std::int64_t kAnalyzeMicroseconds = 2 * AV_TIME_BASE;
constexpr int kIoBufferBytes = 64 * 1024;

}  // namespace

MediaInput::~MediaInput() {
  avformat_close_input(&format_);  // leaves our own I/O context alone
  if (io_ != nullptr) {
    av_freep(&io_->buffer);
    avio_context_free(&io_);
  }
}

bool MediaInput::Open(const QString& path, const std::atomic<bool>* stop) {
  stop_ = stop;
  if (format_ != nullptr || OpenRegularFile(path, &file_, &size_) != 0) return false;
  auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferBytes));
  if (buffer == nullptr) return false;
  io_ = avio_alloc_context(buffer, kIoBufferBytes, 0, this, &Read, nullptr, &Seek);
  if (io_ == nullptr) {
    av_free(buffer);
    return false;
  }
  AVFormatContext* format = avformat_alloc_context();
  if (format == nullptr) return false;
  format->pb = io_;
  format->flags |= AVFMT_FLAG_CUSTOM_IO;
  format->interrupt_callback = {&Interrupted, this};
  format->probesize = kProbeBytes;
  format->max_analyze_duration = kAnalyzeMicroseconds;
  // The name only helps the probe by its extension; the data come through io_.
  if (avformat_open_input(&format, path.toUtf8().constData(), nullptr, nullptr) < 0) {
    return false;  // format is freed by the failed open
  }
  format_ = format;
  // The decoders that look into the streams refuse pictures past the bound too.
  std::vector<AVDictionary*> options(format_->nb_streams, nullptr);
  bool found = true;
  for (AVDictionary*& option : options) {
    found = found && av_dict_set_int(&option, "max_pixels", kMaxVideoPixels, 0) >= 0;
  }
  found = found && avformat_find_stream_info(format_, options.data()) >= 0;
  for (AVDictionary*& option : options) av_dict_free(&option);
  return found;
}

int MediaInput::Read(void* opaque, unsigned char* buffer, int size) {
  auto* input = static_cast<MediaInput*>(opaque);
  if (Interrupted(opaque)) return AVERROR_EXIT;
  for (;;) {
    const ssize_t got = ::read(input->file_.Get(), buffer, static_cast<size_t>(size));
    if (got > 0) return static_cast<int>(got);
    if (got == 0) return AVERROR_EOF;
    if (errno != EINTR) return AVERROR(errno);
  }
}

std::int64_t MediaInput::Seek(void* opaque, std::int64_t offset, int whence) {
  auto* input = static_cast<MediaInput*>(opaque);
  if (whence & AVSEEK_SIZE) return input->size_;
  const off_t at = ::lseek(input->file_.Get(), offset, whence & ~AVSEEK_FORCE);
  return at < 0 ? AVERROR(errno) : at;
}

int MediaInput::Interrupted(void* opaque) {
  const auto* stop = static_cast<MediaInput*>(opaque)->stop_;
  return stop != nullptr && stop->load() ? 1 : 0;
}

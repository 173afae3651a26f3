#include "render/frame/pak_frame_reader.h"

#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "model/common/regular_file.h"

PakCheck ReadPakHeader(const UniqueFd& file, PakFileHeader* header) {
  struct stat info {};
  PakHeaderBytes bytes{};
  if (::fstat(file.Get(), &info) != 0 || file.ReadAll(bytes.data(), kPakHeaderSize, 0) != 0) {
    return PakCheck::Truncated;
  }
  *header = DecodePakHeader(bytes);
  return CheckPakHeader(*header, info.st_size);
}

namespace {

// The calling thread's buffer for band reads, reused across readers and files. Its
// stamp changes whenever its content does, so a reader knows whether the bytes it
// read ahead are still there.
struct BandBuffer {
  std::unique_ptr<std::uint8_t[]> bytes;  // never zero-filled: only bytes read are used
  std::int64_t capacity = 0;
  std::uint64_t stamp = 0;

  std::uint8_t* Take(std::int64_t size) {
    if (capacity < size) {
      bytes.reset(new std::uint8_t[static_cast<std::size_t>(size)]);
      capacity = size;
    }
    ++stamp;
    return bytes.get();
  }
};

BandBuffer& ThreadBandBuffer() {
  thread_local BandBuffer buffer;
  return buffer;
}

}  // namespace

bool PakFrameReader::Open(const QString& path) {
  fd_.Reset();
  frame_ = Dib24();
  headerOk_ = false;
  framesRead_ = 0;
  readAheadStamp_ = 0;
  return OpenRegularFile(path, &fd_, &openedSize_) == 0;
}

PakCheck PakFrameReader::ReadHeader(bool firstBand) {
  frame_ = Dib24();
  framesRead_ = 0;
  headerOk_ = false;
  readAheadStamp_ = 0;
  // Right after Open the size it found is the size now; later the file may have
  // changed.
  std::int64_t size = openedSize_;
  openedSize_ = -1;
  struct stat info {};
  if (size < 0) {
    if (::fstat(fd_.Get(), &info) != 0) return PakCheck::Truncated;
    size = info.st_size;
  }
  if (size < kPakHeaderSize) return PakCheck::Truncated;
  const std::int64_t ahead =
      firstBand ? std::min<std::int64_t>(size, kPakHeaderSize + kBandBytes) : kPakHeaderSize;
  BandBuffer& buffer = ThreadBandBuffer();
  std::uint8_t* bytes = buffer.Take(ahead);
  if (fd_.ReadAll(bytes, static_cast<std::size_t>(ahead), 0) != 0) return PakCheck::Truncated;
  PakHeaderBytes head{};
  std::copy_n(bytes, kPakHeaderSize, head.begin());
  header_ = DecodePakHeader(head);
  const PakCheck check = CheckPakHeader(header_, size);
  headerOk_ = check == PakCheck::Ok;
  readAhead_ = ahead;
  readAheadStamp_ = buffer.stamp;
  return check;
}

bool PakFrameReader::ReadNextFrame() {
  if (!headerOk_ || framesRead_ >= header_.FrameCount) return false;
  if (frame_.IsNull()) frame_ = Dib24(header_.Width, header_.Height);
  const std::int64_t offset = kPakHeaderSize + framesRead_ * frame_.SizeInBytes();
  if (fd_.ReadAll(frame_.Bits(), static_cast<std::size_t>(frame_.SizeInBytes()), offset) != 0) {
    return false;
  }
  ++framesRead_;
  return true;
}

bool PakFrameReader::ReadNextFrameInBands(const Band& band) {
  if (!headerOk_ || framesRead_ >= header_.FrameCount) return false;
  const std::int64_t stride = Dib24::RowStride(header_.Width);
  const std::int64_t frameOffset = kPakHeaderSize + framesRead_ * stride * header_.Height;
  const int bandRows =
      static_cast<int>(std::clamp<std::int64_t>(kBandBytes / stride, 1, header_.Height));
  BandBuffer& buffer = ThreadBandBuffer();
  for (int row = 0; row < header_.Height; row += bandRows) {
    const int rows = std::min(bandRows, header_.Height - row);
    const std::int64_t offset = frameOffset + row * stride;
    const std::int64_t size = rows * stride;
    const std::uint8_t* bits = nullptr;
    if (readAheadStamp_ == buffer.stamp && offset + size <= readAhead_) {
      bits = buffer.bytes.get() + offset;  // read with the header
    } else {
      std::uint8_t* into = buffer.Take(size);
      if (fd_.ReadAll(into, static_cast<std::size_t>(size), offset) != 0) return false;
      bits = into;
    }
    if (!band(bits, row, rows)) return false;
  }
  ++framesRead_;
  return true;
}

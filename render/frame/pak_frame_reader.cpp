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

bool PakFrameReader::Open(const QString& path) {
  fd_.Reset();
  frame_ = Dib24();
  headerOk_ = false;
  framesRead_ = 0;
  return OpenRegularFile(path, &fd_) == 0;
}

PakCheck PakFrameReader::ReadHeader() {
  frame_ = Dib24();
  framesRead_ = 0;
  const PakCheck check = ReadPakHeader(fd_, &header_);
  headerOk_ = check == PakCheck::Ok;
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
  const std::int64_t frameBytes = stride * header_.Height;
  const int bandRows = static_cast<int>(std::clamp<std::int64_t>(kBandBytes / stride, 1, header_.Height));
  // Never zero-filled: every byte handed on has just been read.
  thread_local std::unique_ptr<std::uint8_t[]> buffer;
  thread_local std::int64_t capacity = 0;
  if (capacity < bandRows * stride) {
    buffer.reset(new std::uint8_t[static_cast<std::size_t>(bandRows * stride)]);
    capacity = bandRows * stride;
  }
  const std::int64_t frameOffset = kPakHeaderSize + framesRead_ * frameBytes;
  for (int row = 0; row < header_.Height; row += bandRows) {
    const int rows = std::min(bandRows, header_.Height - row);
    if (fd_.ReadAll(buffer.get(), static_cast<std::size_t>(rows * stride),
                    frameOffset + row * stride) != 0 ||
        !band(buffer.get(), row, rows)) {
      return false;
    }
  }
  ++framesRead_;
  return true;
}

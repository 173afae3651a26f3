#include "render/frame/pak_frame_reader.h"

#include <sys/stat.h>

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
  framesRead_ = 0;
  return OpenRegularFile(path, &fd_) == 0;
}

PakCheck PakFrameReader::ReadHeader() {
  frame_ = Dib24();
  framesRead_ = 0;
  const PakCheck check = ReadPakHeader(fd_, &header_);
  if (check == PakCheck::Ok) frame_ = Dib24(header_.Width, header_.Height);
  return check;
}

bool PakFrameReader::ReadNextFrame() {
  if (frame_.IsNull() || framesRead_ >= header_.FrameCount) return false;
  const std::int64_t offset = kPakHeaderSize + framesRead_ * frame_.SizeInBytes();
  if (fd_.ReadAll(frame_.Bits(), static_cast<std::size_t>(frame_.SizeInBytes()), offset) != 0) {
    return false;
  }
  ++framesRead_;
  return true;
}

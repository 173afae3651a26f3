#include "render/frame/pak_frame_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

PakCheck ReadPakHeader(QFile& file, PakFileHeader* header) {
  PakHeaderBytes bytes{};
  if (!file.seek(0) ||
      file.read(reinterpret_cast<char*>(bytes.data()), kPakHeaderSize) != kPakHeaderSize) {
    return PakCheck::Truncated;
  }
  *header = DecodePakHeader(bytes);
  return CheckPakHeader(*header, file.size());
}

PakFrameReader::~PakFrameReader() { Close(); }

void PakFrameReader::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool PakFrameReader::Open(const QString& path) {
  Close();
  frame_ = Dib24();
  framesRead_ = 0;
  fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return false;
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
    Close();
    return false;
  }
  return true;
}

bool PakFrameReader::ReadAt(void* buffer, std::int64_t size, std::int64_t offset) const {
  auto* out = static_cast<char*>(buffer);
  while (size > 0) {
    const ssize_t got = ::pread(fd_, out, static_cast<std::size_t>(size), offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    out += got;
    offset += got;
    size -= got;
  }
  return true;
}

PakCheck PakFrameReader::ReadHeader() {
  frame_ = Dib24();
  framesRead_ = 0;
  struct stat info {};
  PakHeaderBytes bytes{};
  if (fd_ < 0 || ::fstat(fd_, &info) != 0 || !ReadAt(bytes.data(), kPakHeaderSize, 0)) {
    return PakCheck::Truncated;
  }
  header_ = DecodePakHeader(bytes);
  const PakCheck check = CheckPakHeader(header_, info.st_size);
  if (check == PakCheck::Ok) frame_ = Dib24(header_.Width, header_.Height);
  return check;
}

bool PakFrameReader::ReadNextFrame() {
  if (frame_.IsNull() || framesRead_ >= header_.FrameCount) return false;
  const std::int64_t offset = kPakHeaderSize + framesRead_ * frame_.SizeInBytes();
  if (!ReadAt(frame_.Bits(), frame_.SizeInBytes(), offset)) return false;
  ++framesRead_;
  return true;
}

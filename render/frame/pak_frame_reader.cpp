#include "render/frame/pak_frame_reader.h"

PakCheck ReadPakHeader(QFile& file, PakFileHeader* header) {
  PakHeaderBytes bytes{};
  if (!file.seek(0) ||
      file.read(reinterpret_cast<char*>(bytes.data()), kPakHeaderSize) != kPakHeaderSize) {
    return PakCheck::Truncated;
  }
  *header = DecodePakHeader(bytes);
  return CheckPakHeader(*header, file.size());
}

bool PakFrameReader::Open(const QString& path) {
  file_.close();
  file_.setFileName(path);
  // Unbuffered: frames are read straight into the picture, never through a copy.
  return file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

PakCheck PakFrameReader::ReadHeader() {
  frame_ = Dib24();
  framesRead_ = 0;
  const PakCheck check = ReadPakHeader(file_, &header_);
  if (check == PakCheck::Ok) frame_ = Dib24(header_.Width, header_.Height);
  return check;
}

bool PakFrameReader::ReadNextFrame() {
  if (frame_.IsNull() || framesRead_ >= header_.FrameCount) return false;
  const std::int64_t offset = kPakHeaderSize + framesRead_ * frame_.SizeInBytes();
  if (!file_.seek(offset)) return false;
  if (file_.read(reinterpret_cast<char*>(frame_.Bits()), frame_.SizeInBytes()) !=
      frame_.SizeInBytes()) {
    return false;
  }
  ++framesRead_;
  return true;
}

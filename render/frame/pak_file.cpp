#include "render/frame/pak_file.h"

#include <QtEndian>

#include "model/common/app_paths.h"
#include "model/common/guid_text.h"
#include "render/raster/dib24.h"

namespace {

// Offsets of the header fields in the file.
constexpr int kMagicOffset = 0;
constexpr int kWidthOffset = 4;
constexpr int kHeightOffset = 8;
constexpr int kBackColorOffset = 12;
constexpr int kFrameCountOffset = 16;
constexpr int kLastExtentOffset = 20;

template <typename T>
void Put(PakHeaderBytes& bytes, int offset, T value) {
  qToLittleEndian(value, bytes.data() + offset);
}

template <typename T>
T Get(const PakHeaderBytes& bytes, int offset) {
  return qFromLittleEndian<T>(bytes.data() + offset);
}

}  // namespace

PakHeaderBytes EncodePakHeader(const PakFileHeader& header) {
  PakHeaderBytes bytes{};
  Put(bytes, kMagicOffset, header.Magic);
  Put(bytes, kWidthOffset, header.Width);
  Put(bytes, kHeightOffset, header.Height);
  Put(bytes, kBackColorOffset, header.BackColor);
  Put(bytes, kFrameCountOffset, header.FrameCount);
  Put(bytes, kLastExtentOffset, header.LastExtent);
  return bytes;
}

PakFileHeader DecodePakHeader(const PakHeaderBytes& bytes) {
  PakFileHeader header;
  header.Magic = Get<std::uint32_t>(bytes, kMagicOffset);
  header.Width = Get<std::int32_t>(bytes, kWidthOffset);
  header.Height = Get<std::int32_t>(bytes, kHeightOffset);
  header.BackColor = Get<std::uint32_t>(bytes, kBackColorOffset);
  header.FrameCount = Get<std::int32_t>(bytes, kFrameCountOffset);
  header.LastExtent = Get<std::int32_t>(bytes, kLastExtentOffset);
  return header;
}

std::int64_t PakFrameBytes(const PakFileHeader& header) {
  return Dib24::PictureBytes(header.Width, header.Height);
}

PakCheck CheckPakHeader(const PakFileHeader& header, std::int64_t fileSize) {
  if (header.Magic != kPakMagic) return PakCheck::BadMagic;
  if (!Dib24::IsValidSize(header.Width, header.Height)) return PakCheck::BadSize;
  if (header.FrameCount <= 0) return PakCheck::NoFrames;
  // At most 2^31 frames of at most Dib24::kMaxBytes each: no overflow in 64 bits.
  const std::int64_t needed = kPakHeaderSize + std::int64_t{header.FrameCount} * PakFrameBytes(header);
  return fileSize < needed ? PakCheck::Truncated : PakCheck::Ok;
}

QString PakFramePath(const QString& name) {
  if (!IsGuidText(name)) return {};
  return AppFilePath(AppFolder::Temp, QString(name + QStringLiteral(".pak")));
}

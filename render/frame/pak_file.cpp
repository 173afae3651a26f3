#include "render/frame/pak_file.h"

#include "model/common/app_paths.h"
#include "model/common/guid_text.h"
#include "model/common/little_endian.h"
#include "render/raster/dib24.h"

namespace {

// Offsets of the header fields in the file.
constexpr int kMagicOffset = 0;
constexpr int kWidthOffset = 4;
constexpr int kHeightOffset = 8;
constexpr int kBackColorOffset = 12;
constexpr int kFrameCountOffset = 16;
constexpr int kLastExtentOffset = 20;

}  // namespace

PakHeaderBytes EncodePakHeader(const PakFileHeader& header) {
  PakHeaderBytes bytes{};
  std::uint8_t* at = bytes.data();
  WriteLe32(at + kMagicOffset, header.Magic);
  WriteLe32(at + kWidthOffset, header.Width);
  WriteLe32(at + kHeightOffset, header.Height);
  WriteLe32(at + kBackColorOffset, header.BackColor);
  WriteLe32(at + kFrameCountOffset, header.FrameCount);
  WriteLe32(at + kLastExtentOffset, header.LastExtent);
  return bytes;
}

PakFileHeader DecodePakHeader(const PakHeaderBytes& bytes) {
  PakFileHeader header;
  const std::uint8_t* at = bytes.data();
  header.Magic = ReadLe32(at + kMagicOffset);
  header.Width = static_cast<std::int32_t>(ReadLe32(at + kWidthOffset));
  header.Height = static_cast<std::int32_t>(ReadLe32(at + kHeightOffset));
  header.BackColor = ReadLe32(at + kBackColorOffset);
  header.FrameCount = static_cast<std::int32_t>(ReadLe32(at + kFrameCountOffset));
  header.LastExtent = static_cast<std::int32_t>(ReadLe32(at + kLastExtentOffset));
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
  const std::int64_t needed =
      kPakHeaderSize + std::int64_t{header.FrameCount} * PakFrameBytes(header);
  return fileSize < needed ? PakCheck::Truncated : PakCheck::Ok;
}

QString PakFramePath(const QString& name) {
  if (!IsGuidText(name)) return {};
  return AppFilePath(AppFolder::Temp, QString(name + QStringLiteral(".pak")));
}

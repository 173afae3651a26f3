#include "sdk/generate/gif_delay.h"

#include <array>
#include <cstdint>

#include "model/common/little_endian.h"

namespace {

constexpr int kHeaderBytes = 13;  // "GIF87a" or "GIF89a", then the screen descriptor
constexpr int kScreenFlagsOffset = 10;
constexpr std::uint8_t kGlobalColorTable = 0x80;
constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr int kGraphicControlBytes = 4;  // flags, delay (16 bits), transparent index
constexpr int kDelayAt = 1;

[[nodiscard]] bool ReadByte(QIODevice& device, std::uint8_t& value) {
  char byte = 0;
  if (!device.getChar(&byte)) return false;
  value = static_cast<std::uint8_t>(byte);
  return true;
}

[[nodiscard]] bool Skip(QIODevice& device, qint64 bytes) { return device.skip(bytes) == bytes; }

// Skips the data sub-blocks of an extension up to and including their terminator.
[[nodiscard]] bool SkipSubBlocks(QIODevice& device) {
  std::uint8_t size = 0;
  while (ReadByte(device, size)) {
    if (size == 0) return true;
    if (!Skip(device, size)) return false;
  }
  return false;
}

int ReadGraphicControlDelay(QIODevice& device) {
  std::uint8_t size = 0;
  std::array<std::uint8_t, kGraphicControlBytes> bytes{};
  if (!ReadByte(device, size) || size < kGraphicControlBytes ||
      device.read(reinterpret_cast<char*>(bytes.data()), kGraphicControlBytes) !=
          kGraphicControlBytes) {
    return 0;
  }
  return ReadLe16(bytes.data() + kDelayAt);
}

}  // namespace

int FirstGifFrameDelay(QIODevice& device) {
  std::array<char, kHeaderBytes> header{};
  if (!device.seek(0) || device.read(header.data(), kHeaderBytes) != kHeaderBytes ||
      QByteArrayView(header.data(), 3) != "GIF") {
    return 0;
  }
  const auto flags = static_cast<std::uint8_t>(header[kScreenFlagsOffset]);
  if ((flags & kGlobalColorTable) && !Skip(device, qint64{3} << ((flags & 7) + 1))) return 0;
  // Every step consumes bytes, so the walk ends at the latest at the end of the file.
  std::uint8_t introducer = 0;
  std::uint8_t label = 0;
  while (ReadByte(device, introducer) && introducer == kExtensionIntroducer &&
         ReadByte(device, label)) {
    if (label == kGraphicControlLabel) return ReadGraphicControlDelay(device);
    if (!SkipSubBlocks(device)) return 0;
  }
  // An image descriptor, the trailer or anything else came first.
  return 0;
}

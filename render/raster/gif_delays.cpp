#include "render/raster/gif_delays.h"

#include <array>
#include <cstdint>

namespace {

constexpr int kHeaderBytes = 13;  // "GIF87a" or "GIF89a", then the screen descriptor
constexpr int kScreenFlagsOffset = 10;
constexpr std::uint8_t kColorTableFlag = 0x80;  // in the screen's and an image's flags
constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr int kGraphicControlBytes = 4;  // flags, delay (16 bits), transparent index
constexpr int kDelayAt = 1;
constexpr int kImageDescriptorBytes = 9;  // left, top, width, height, flags
constexpr int kImageFlagsAt = 8;

[[nodiscard]] bool ReadByte(QIODevice& device, std::uint8_t& value) {
  char byte = 0;
  if (!device.getChar(&byte)) return false;
  value = static_cast<std::uint8_t>(byte);
  return true;
}

[[nodiscard]] bool Skip(QIODevice& device, qint64 bytes) { return device.skip(bytes) == bytes; }

// Skips a colour table of the size flags give, when flags say there is one.
[[nodiscard]] bool SkipColorTable(QIODevice& device, std::uint8_t flags) {
  return !(flags & kColorTableFlag) || Skip(device, qint64{3} << ((flags & 7) + 1));
}

// Skips data sub-blocks up to and including their terminator.
[[nodiscard]] bool SkipSubBlocks(QIODevice& device) {
  std::uint8_t size = 0;
  while (ReadByte(device, size)) {
    if (size == 0) return true;
    if (!Skip(device, size)) return false;
  }
  return false;
}

// Reads a Graphic Control Extension's delay and skips the rest of the extension.
[[nodiscard]] bool ReadGraphicControl(QIODevice& device, int& delay) {
  std::uint8_t size = 0;
  std::array<std::uint8_t, kGraphicControlBytes> bytes{};
  if (!ReadByte(device, size) || size < kGraphicControlBytes ||
      device.read(reinterpret_cast<char*>(bytes.data()), kGraphicControlBytes) !=
          kGraphicControlBytes ||
      !Skip(device, size - kGraphicControlBytes)) {
    return false;
  }
  delay = bytes[kDelayAt] | bytes[kDelayAt + 1] << 8;  // little-endian
  return SkipSubBlocks(device);
}

// Skips an image after its separator: descriptor, colour table, code size, data.
[[nodiscard]] bool SkipImage(QIODevice& device) {
  std::array<char, kImageDescriptorBytes> descriptor{};
  std::uint8_t codeSize = 0;
  return device.read(descriptor.data(), kImageDescriptorBytes) == kImageDescriptorBytes &&
         SkipColorTable(device, static_cast<std::uint8_t>(descriptor[kImageFlagsAt])) &&
         ReadByte(device, codeSize) && SkipSubBlocks(device);
}

}  // namespace

std::vector<int> GifFrameDelays(QIODevice& device) {
  std::vector<int> delays;
  std::array<char, kHeaderBytes> header{};
  if (!device.seek(0) || device.read(header.data(), kHeaderBytes) != kHeaderBytes ||
      QByteArrayView(header.data(), 3) != "GIF" ||
      !SkipColorTable(device, static_cast<std::uint8_t>(header[kScreenFlagsOffset]))) {
    return delays;
  }
  // Every step consumes bytes, so the walk ends at the latest at the end of the file.
  int delay = 0;  // of the Graphic Control Extension since the last image
  std::uint8_t introducer = 0;
  while (ReadByte(device, introducer)) {
    if (introducer == kImageSeparator) {
      delays.push_back(delay);
      delay = 0;
      if (!SkipImage(device)) break;
      continue;
    }
    std::uint8_t label = 0;
    if (introducer != kExtensionIntroducer || !ReadByte(device, label)) break;
    const bool whole =
        label == kGraphicControlLabel ? ReadGraphicControl(device, delay) : SkipSubBlocks(device);
    if (!whole) break;
  }
  return delays;
}

#include "sdk/link/wire_frame.h"

#include <cstring>
#include <limits>

namespace wire {
namespace {

constexpr std::uint8_t kTrailer[kTrailerBytes] = {0x00, 0x00, 0x0D, 0x0A};

}  // namespace

void WriteLe16(std::uint8_t* bytes, std::uint16_t value) {
  bytes[0] = static_cast<std::uint8_t>(value);
  bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

void WriteLe32(std::uint8_t* bytes, std::uint32_t value) {
  WriteLe16(bytes, static_cast<std::uint16_t>(value));
  WriteLe16(bytes + 2, static_cast<std::uint16_t>(value >> 16));
}

std::uint16_t ReadLe16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t ReadLe32(const std::uint8_t* bytes) {
  return ReadLe16(bytes) | (static_cast<std::uint32_t>(ReadLe16(bytes + 2)) << 16);
}

std::size_t ChunkCount(std::size_t payloadBytes) {
  return (payloadBytes + kChunkBytes - 1) / kChunkBytes;
}

FrameBuilder::FrameBuilder(std::uint8_t cardAddress, std::uint16_t command) {
  std::memset(frame_, 0, sizeof frame_);
  WriteLe32(frame_, kMagic);
  frame_[4] = cardAddress;
  frame_[5] = 0x01;
  WriteLe16(frame_ + 6, command);
}

std::size_t FrameBuilder::Build(std::uint32_t index, const std::uint8_t* payload,
                                std::uint32_t length) {
  const std::size_t offset = static_cast<std::size_t>(index) * kChunkBytes;
  const std::size_t left = length - offset;
  const std::size_t chunk = left < kChunkBytes ? left : kChunkBytes;
  WriteLe32(frame_ + 10, index);
  WriteLe32(frame_ + 14, length);
  WriteLe16(frame_ + 18, static_cast<std::uint16_t>(chunk));
  std::memcpy(frame_ + kHeadBytes, payload + offset, chunk);
  std::memcpy(frame_ + kHeadBytes + chunk, kTrailer, kTrailerBytes);
  return kHeadBytes + chunk + kTrailerBytes;
}

int ReplyDataLength(const std::uint8_t* head) {
  if (ReadLe32(head) != kMagic) return -1;
  return ReadLe16(head + 18);
}

int CardResultCode(std::uint32_t result) {
  if (result <= 1) return KQ_OK;
  constexpr auto kLargestCode = static_cast<std::uint32_t>(std::numeric_limits<int>::max());
  return result > kLargestCode ? KQ_ERR_BAD_REPLY : static_cast<int>(result);
}

int CheckReply(const std::uint8_t* reply, std::size_t length, bool checkResult) {
  if (length < kMinReplyBytes || ReadLe32(reply) != kMagic) return KQ_ERR_BAD_REPLY;
  if (!checkResult) return KQ_OK;
  return CardResultCode(ReadLe32(reply + kHeadBytes));
}

}  // namespace wire

#include "sdk/link/wire_frame.h"

#include <cstring>
#include <limits>

namespace wire {
namespace {

constexpr std::uint8_t kTrailer[kTrailerBytes] = {0x00, 0x00, 0x0D, 0x0A};

}  // namespace

std::size_t ChunkCount(std::size_t payloadBytes) {
  return (payloadBytes + kChunkBytes - 1) / kChunkBytes;
}

FrameBuilder::FrameBuilder(std::uint8_t cardAddress, std::uint16_t command) {
  std::memset(frame_, 0, sizeof frame_);
  WriteLe32(frame_ + kMagicAt, kMagic);
  frame_[kAddressAt] = cardAddress;
  frame_[kOneAt] = 0x01;
  WriteLe16(frame_ + kCommandAt, command);
}

std::size_t FrameBuilder::Build(std::uint32_t index, const std::uint8_t* payload,
                                std::uint32_t length) {
  const std::size_t offset = static_cast<std::size_t>(index) * kChunkBytes;
  const std::size_t left = length - offset;
  const std::size_t chunk = left < kChunkBytes ? left : kChunkBytes;
  WriteLe32(frame_ + kChunkIndexAt, index);
  WriteLe32(frame_ + kTotalLengthAt, length);
  WriteLe16(frame_ + kChunkLengthAt, static_cast<std::uint16_t>(chunk));
  std::memcpy(frame_ + kHeadBytes, payload + offset, chunk);
  std::memcpy(frame_ + kHeadBytes + chunk, kTrailer, kTrailerBytes);
  return kHeadBytes + chunk + kTrailerBytes;
}

int ReplyDataLength(const std::uint8_t* head) {
  if (ReadLe32(head + kMagicAt) != kMagic) return -1;
  return ReadLe16(head + kChunkLengthAt);
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

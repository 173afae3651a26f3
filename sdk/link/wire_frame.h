#pragma once
// The cards' frame: a 20-byte head, a chunk of at most 512 payload bytes and the
// trailer 00 00 0D 0A, all values little-endian. Replies use the same head, then d
// data bytes (the card's 32-bit result first) and the trailer.

#include <cstddef>
#include <cstdint>

#include "model/common/little_endian.h"
#include "sdk/Corvanix.h"

namespace wire {

constexpr std::uint32_t kMagic = 0x0000AA55;  // first word of every frame and reply
// The head, 20 bytes: the magic word (4), the card's address (1), 01 (1), the command
// word (2), 2 zero bytes, the chunk's index (4), the payload's total length (4) and the
// chunk's length (2; in a reply the length of its data).
constexpr std::size_t kMagicAt = 0;
constexpr std::size_t kAddressAt = 4;
constexpr std::size_t kOneAt = 5;
constexpr std::size_t kCommandAt = 6;
constexpr std::size_t kChunkIndexAt = 10;
constexpr std::size_t kTotalLengthAt = 14;
constexpr std::size_t kChunkLengthAt = 18;
constexpr std::size_t kHeadBytes = 20;
constexpr std::size_t kTrailerBytes = 4;
constexpr std::size_t kChunkBytes = 512;
constexpr std::size_t kFrameBytes = kHeadBytes + kChunkBytes + kTrailerBytes;  // 536
constexpr std::size_t kMinReplyBytes = 28;  // head, 4-byte result, trailer
constexpr std::size_t kAckBytes = 32;       // buffer for an acknowledgement

// The frame's fields are the shared little-endian ones, also reachable as wire::.
using ::ReadLe16;
using ::ReadLe32;
using ::WriteLe16;
using ::WriteLe32;

// Number of chunks of a payload: 0 for an empty one.
std::size_t ChunkCount(std::size_t payloadBytes);

// One frame buffer, reused for every chunk of a command.
class FrameBuilder {
 public:
  FrameBuilder(std::uint8_t cardAddress, std::uint16_t command);
  // Fills chunk `index` of the payload into the buffer; returns the frame size.
  std::size_t Build(std::uint32_t index, const std::uint8_t* payload, std::uint32_t length);
  const std::uint8_t* Data() const { return frame_; }

 private:
  std::uint8_t frame_[kFrameBytes];
};

// The data length d of a reply head, or -1 when the head's first word is wrong.
int ReplyDataLength(const std::uint8_t* head);

// The card's result word as a return value: 0 for 0 and 1 (success), the word itself
// for a card error that fits a positive int, else -6. A word of 0x80000000 or more is
// no valid acknowledgement: read as an int it would pose as one of the library's own
// codes (-6, -100, -1000, ...).
[[nodiscard]] int CardResultCode(std::uint32_t result);

// Checks a whole reply: -6 when it is shorter than 28 bytes or its first word is
// wrong; otherwise 0, or with checkResult CardResultCode of its result word.
[[nodiscard]] int CheckReply(const std::uint8_t* reply, std::size_t length, bool checkResult);

// One live link to a card, able to carry a frame and bring back one reply.
class FrameLink {
 public:
  virtual ~FrameLink() = default;
  // Sends a whole frame; 0 or the transport's code.
  [[nodiscard]] virtual int SendFrame(const std::uint8_t* frame, std::size_t length) = 0;
  // Reads one reply into buffer (capacity bytes) and sets *length; 0 or a code.
  // A reply announcing more than capacity is consumed and gives -6.
  [[nodiscard]] virtual int ReadReply(std::uint8_t* buffer, std::size_t capacity, std::size_t* length) = 0;
};

// Reads one framed reply from a byte stream: readHead reads exactly 20 bytes,
// readBody exactly n bytes (each returning 0 or a code). Excess data beyond the
// capacity is read and dropped, then -6.
template <class ReadHead, class ReadBody>
[[nodiscard]] int ReadFramedReply(ReadHead readHead, ReadBody readBody, std::uint8_t* buffer,
                    std::size_t capacity, std::size_t* length) {
  std::uint8_t head[kHeadBytes];
  if (int code = readHead(head)) return code;
  const int data = ReplyDataLength(head);
  if (data < 0) return KQ_ERR_BAD_REPLY;
  const std::size_t rest = static_cast<std::size_t>(data) + kTrailerBytes;
  if (kHeadBytes + rest > capacity) {
    std::uint8_t scratch[kChunkBytes];
    for (std::size_t left = rest; left > 0;) {
      const std::size_t piece = left < sizeof scratch ? left : sizeof scratch;
      if (int code = readBody(scratch, piece)) return code;
      left -= piece;
    }
    return KQ_ERR_BAD_REPLY;
  }
  for (std::size_t i = 0; i < kHeadBytes; ++i) buffer[i] = head[i];
  if (int code = readBody(buffer + kHeadBytes, rest)) return code;
  *length = kHeadBytes + rest;
  return KQ_OK;
}

}  // namespace wire

// Feeds arbitrary bytes to the acknowledgement reader as the byte stream of a link:
// a reply is either refused or read within its buffer, and what it yields is never
// one of the library's own codes other than -6.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "sdk/Corvanix.h"
#include "sdk/link/wire_frame.h"

namespace {

// A result of CheckReply: success, a bad reply, or a card error of 2 to INT32_MAX.
void ExpectAckCode(int code) {
  if (code != KQ_OK && code != KQ_ERR_BAD_REPLY && code <= 1) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ExpectAckCode(wire::CheckReply(data, size, true));
  if (size == 0) return 0;
  // The first byte picks the buffer: an acknowledgement's, or a want-reply caller's.
  const std::size_t capacity = (data[0] & 1) != 0 ? 512 : wire::kAckBytes;
  const std::uint8_t* stream = data + 1;
  std::size_t left = size - 1;
  auto read = [&](std::uint8_t* into, std::size_t n) {
    if (n > left) return KQ_ERR_NO_REPLY;
    std::memcpy(into, stream, n);
    stream += n;
    left -= n;
    return KQ_OK;
  };
  std::vector<std::uint8_t> buffer(capacity);  // exact size, so an overrun is caught
  std::size_t length = 0;
  const int code =
      wire::ReadFramedReply([&read](std::uint8_t* head) { return read(head, wire::kHeadBytes); },
                            read, buffer.data(), capacity, &length);
  if (code != KQ_OK) return 0;
  if (length > capacity) std::abort();
  ExpectAckCode(wire::CheckReply(buffer.data(), length, true));
  return 0;
}

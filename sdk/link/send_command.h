#pragma once
// SendCommand: moves one command and its payload to a card over the transport its
// CommInfo names, chunk by chunk, each chunk acknowledged before the next.

#include <cstddef>
#include <cstdint>

#include "sdk/Corvanix.h"
#include "sdk/link/wire_frame.h"

// Command words.
enum : std::uint16_t {
  kCommandRead = 0xA300,
  kCommandSettings = 0xC100,
  kCommandCommSettings = 0xCA00,
  kCommandFirmware = 0xD500,
  kCommandDisplayData = 0xDA00,
};

// One command as a transport sees it. `info` is the caller's record, copied when
// the job starts, so handlers that run while the caller pumps cannot change it.
struct CommandRequest {
  CommInfo info;
  std::uint16_t command;
  const std::uint8_t* payload;
  std::uint32_t length;
  bool wantReply;
  std::uint8_t* reply;       // want-reply mode: the caller's buffer
  std::size_t* replyLength;  // want-reply mode: capacity in, received length out
};

// Sends every chunk over the link and checks each reply; posts progress after each
// acknowledged chunk. 0, the link's code, -6, or the card's result (greater than 1).
[[nodiscard]] int RunChunkLoop(wire::FrameLink& link, const CommandRequest& request);

[[nodiscard]] int SendFrameTcp(const CommandRequest& request);
[[nodiscard]] int SendFrameUdp(const CommandRequest& request);
[[nodiscard]] int SendFrameSerial(const CommandRequest& request);
[[nodiscard]] int WriteUsbCommandFiles(const CommandRequest& request);

// Sends command with payload to the card of info. In want-reply mode the last reply
// lands in reply (capacity *replyLength, received length back in *replyLength) and
// only its length and first word are checked. With `threaded` the live transports
// run on a worker while the calling thread's messages are dispatched.
// Returns 0, -6, -12 (payload of 4 GiB or more, no thread), -15 (unknown send type
// or no info), a transport code, or the card's result.
[[nodiscard]] int SendCommand(std::uint8_t* reply, std::size_t* replyLength, const CommInfo* info,
                std::uint16_t command, const std::uint8_t* payload, std::size_t length,
                bool wantReply, bool threaded);

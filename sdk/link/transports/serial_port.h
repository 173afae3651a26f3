#pragma once
// CCommport: one serial line to a card, raw 8N1, held exclusively while open.

#include <cstddef>
#include <cstdint>

#include "model/common/unique_fd.h"

class CCommport {
 public:
  CCommport() = default;
  ~CCommport();
  CCommport(const CCommport&) = delete;
  CCommport& operator=(const CCommport&) = delete;

  // Opens COM portNumber at baudRate (a rate outside the supported list opens at
  // 9600). Never creates a file; the device must be a tty not held by anyone else.
  // 0, -30 (cannot open, not a tty, or busy) or -35 (line settings).
  [[nodiscard]] int Open(int baudRate, int portNumber);

  // Drops whatever is queued in either direction.
  void Purge();

  // Writes a whole frame within the write time-out; 0 or -33.
  [[nodiscard]] int Write(const std::uint8_t* data, std::size_t length);

  // Reads one reply in two stages, each limited to stageMs from its own start:
  // first the head (once 28 bytes are queued), then the d + 4 bytes it announces.
  // A reply larger than capacity is drained and gives -6. 0, -6, -34 or -36.
  [[nodiscard]] int ReadReply(std::uint8_t* buffer, std::size_t capacity, std::size_t* length, int stageMs);

  void Close();

 private:
  [[nodiscard]] int WaitQueued(std::size_t count, int stageMs);
  [[nodiscard]] int ReadExact(std::uint8_t* buffer, std::size_t count);

  UniqueFd fd_;  // closing it also releases the lock
};

// The speed a port opens at for a requested baud rate.
int SerialOpenRate(int baudRate);

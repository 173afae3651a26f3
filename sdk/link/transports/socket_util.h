#pragma once
// Small POSIX socket helpers shared by the TCP and UDP transports.

#include <netinet/in.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>

using SteadyClock = std::chrono::steady_clock;

SteadyClock::time_point DeadlineAfter(int timeoutMs);

// Waits until fd is ready for `events` (poll flags) or the deadline passes; retries
// on EINTR. True when ready.
[[nodiscard]] bool WaitReady(int fd, short events, SteadyClock::time_point deadline);

// Receives at least 1 and at most n bytes from a stream socket: what has arrived is
// taken at once, and the call waits only when nothing has. With blockFirst the first
// receive blocks (one call instead of a poll and a receive; the socket must be in
// blocking mode, with a receive time-out no longer than the time to the deadline);
// otherwise the wait is a poll until the deadline. The byte count; 0 on time-out,
// error or end of stream.
std::size_t ReceiveSome(int fd, std::uint8_t* buffer, std::size_t n,
                        SteadyClock::time_point deadline, bool blockFirst);

// Sends all n bytes without raising SIGPIPE before the deadline; waits for room only
// when the socket has none.
[[nodiscard]] bool SendAll(int fd, const std::uint8_t* data, std::size_t n,
             SteadyClock::time_point deadline);

// Sets send and receive time-outs; false on failure.
[[nodiscard]] bool SetSocketTimeouts(int fd, int timeoutMs);

// Parses a dotted IPv4 text of a fixed-capacity field (read within its capacity;
// strictly four decimal parts of 0-255).
std::optional<in_addr> ParseIpv4Field(const char16_t* field, std::size_t capacity);

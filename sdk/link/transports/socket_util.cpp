#include "sdk/link/transports/socket_util.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

SteadyClock::time_point DeadlineAfter(int timeoutMs) {
  return SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
}

bool WaitReady(int fd, short events, SteadyClock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - SteadyClock::now());
    if (left.count() < 0) return false;
    pollfd entry{fd, events, 0};
    // Waited in slices of at most a second, so a far deadline cannot overflow the int.
    const int sliceMs = static_cast<int>(std::min<std::int64_t>(left.count(), 1000)) + 1;
    const int ready = ::poll(&entry, 1, sliceMs);
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) return false;
    if (ready == 0 && SteadyClock::now() >= deadline) return false;
  }
}

std::size_t ReceiveSome(int fd, std::uint8_t* buffer, std::size_t n,
                        SteadyClock::time_point deadline, bool blockFirst) {
  int flags = blockFirst ? 0 : MSG_DONTWAIT;
  for (;;) {
    const ssize_t got = ::recv(fd, buffer, n, flags);
    if (got >= 0) return static_cast<std::size_t>(got);  // 0: end of stream
    const bool blocked = flags == 0;
    flags = MSG_DONTWAIT;  // any further wait is a poll under the deadline
    if (errno == EINTR) continue;
    // A blocking receive that timed out has reached the deadline.
    if (blocked || (errno != EAGAIN && errno != EWOULDBLOCK)) return 0;
    if (!WaitReady(fd, POLLIN, deadline)) return 0;
  }
}

bool SendAll(int fd, const std::uint8_t* data, std::size_t n,
             SteadyClock::time_point deadline) {
  std::size_t sent = 0;
  while (sent < n) {
    const ssize_t part = ::send(fd, data + sent, n - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (part >= 0) {
      sent += static_cast<std::size_t>(part);
      continue;
    }
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return false;
    if (!WaitReady(fd, POLLOUT, deadline)) return false;
  }
  return true;
}

bool SetSocketTimeouts(int fd, int timeoutMs) {
  timeval time{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  return ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &time, sizeof time) == 0 &&
         ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &time, sizeof time) == 0;
}

std::optional<in_addr> ParseIpv4Field(const char16_t* field, std::size_t capacity) {
  char text[32] = {};
  std::size_t i = 0;
  for (; i < capacity && i + 1 < sizeof text && field[i] != 0; ++i) {
    if (field[i] > 0x7F) return std::nullopt;
    text[i] = static_cast<char>(field[i]);
  }
  in_addr address{};
  if (::inet_pton(AF_INET, text, &address) != 1) return std::nullopt;
  return address;
}

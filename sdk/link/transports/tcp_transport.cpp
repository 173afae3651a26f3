// TCP transport: one connection to the card's port per command, stop-and-wait.

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "model/common/unique_fd.h"
#include "sdk/link/send_command.h"
#include "sdk/link/transports/socket_util.h"
#include "sdk/link/transport_settings.h"

namespace {

class TcpLink : public wire::FrameLink {
 public:
  // fd is connected and in blocking mode, with send and receive time-outs of
  // timeoutMs.
  TcpLink(int fd, int timeoutMs) : fd_(fd), timeoutMs_(timeoutMs) {}

  int SendFrame(const std::uint8_t* frame, std::size_t length) override {
    return SendAll(fd_, frame, length, DeadlineAfter(timeoutMs_)) ? KQ_OK : KQ_ERR_SEND;
  }

  // A reply is read by its own length fields under one deadline, so a reply split
  // across segments is whole and one coalesced with the next stays for the next
  // read. The bytes come through a small buffer: a reply that has arrived whole
  // costs one receive, which blocks (bounded by the socket's receive time-out).
  int ReadReply(std::uint8_t* buffer, std::size_t capacity, std::size_t* length) override {
    const auto deadline = DeadlineAfter(timeoutMs_);
    bool first = true;
    auto read = [this, deadline, &first](std::uint8_t* into, std::size_t n) {
      return Take(into, n, deadline, first) ? KQ_OK : KQ_ERR_NO_REPLY;
    };
    return wire::ReadFramedReply(
        [&read](std::uint8_t* head) { return read(head, wire::kHeadBytes); }, read, buffer,
        capacity, length);
  }

 private:
  // Copies the next n bytes of the stream into `into`, receiving when the buffer
  // runs dry; only the first receive of a reply blocks.
  bool Take(std::uint8_t* into, std::size_t n, SteadyClock::time_point deadline, bool& first) {
    while (n > 0) {
      if (begin_ == end_) {
        begin_ = 0;
        end_ = ReceiveSome(fd_, received_, sizeof received_, deadline, first);
        first = false;
        if (end_ == 0) return false;
      }
      const std::size_t piece = std::min(n, end_ - begin_);
      std::memcpy(into, received_ + begin_, piece);
      begin_ += piece;
      into += piece;
      n -= piece;
    }
    return true;
  }

  int fd_;
  int timeoutMs_;
  std::uint8_t received_[4096];
  std::size_t begin_ = 0;  // the bytes not yet taken: received_[begin_, end_)
  std::size_t end_ = 0;
};

// Non-blocking connect, then the socket's own error: a refused connection is
// reported as writable with an error, and must not count as connected.
[[nodiscard]] int SocketConnect(int fd, const in_addr& address, const TransportSettings& settings) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) return KQ_ERR_CONNECT;
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = htons(settings.tcpPort);
  target.sin_addr = address;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0) {
    return KQ_OK;
  }
  if (errno != EINPROGRESS) return KQ_ERR_CONNECT;
  if (!WaitReady(fd, POLLOUT, DeadlineAfter(settings.tcpTimeoutMs))) return KQ_ERR_CONNECT;
  int error = 0;
  socklen_t size = sizeof error;
  if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
    return KQ_ERR_CONNECT;
  }
  return KQ_OK;
}

}  // namespace

int SendFrameTcp(const CommandRequest& request) {
  const TransportSettings settings = CurrentTransportSettings();
  UniqueFd socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP));
  if (!socket.Valid() || !SetSocketTimeouts(socket.Get(), settings.tcpTimeoutMs)) {
    return KQ_ERR_SOCKET;
  }
  const int noDelay = 1;  // each frame leaves at once; the card answers each one
  ::setsockopt(socket.Get(), IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
  const auto address = ParseIpv4Field(request.info.IpAddress, std::size(request.info.IpAddress));
  if (!address) return KQ_ERR_CONNECT;
  if (int code = SocketConnect(socket.Get(), *address, settings)) return code;
  // Blocking from here on, bounded by the socket's time-outs: a reply is then
  // awaited inside its receive instead of in a poll before it.
  const int flags = ::fcntl(socket.Get(), F_GETFL);
  if (flags < 0 || ::fcntl(socket.Get(), F_SETFL, flags & ~O_NONBLOCK) < 0) return KQ_ERR_SOCKET;
  TcpLink link(socket.Get(), settings.tcpTimeoutMs);
  return RunChunkLoop(link, request);
}

// TCP transport: one connection to the card's port per command, stop-and-wait.

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

#include "model/common/unique_fd.h"
#include "sdk/link/send_command.h"
#include "sdk/link/transports/socket_util.h"
#include "sdk/link/transport_settings.h"

namespace {

class TcpLink : public wire::FrameLink {
 public:
  TcpLink(int fd, int timeoutMs) : fd_(fd), timeoutMs_(timeoutMs) {}

  int SendFrame(const std::uint8_t* frame, std::size_t length) override {
    return SendAll(fd_, frame, length, DeadlineAfter(timeoutMs_)) ? KQ_OK : KQ_ERR_SEND;
  }

  // A reply is read by its own length fields under one deadline, so a reply split
  // across segments is whole and one coalesced with the next stays in the stream.
  int ReadReply(std::uint8_t* buffer, std::size_t capacity, std::size_t* length) override {
    const auto deadline = DeadlineAfter(timeoutMs_);
    auto read = [this, deadline](std::uint8_t* into, std::size_t n) {
      return ReceiveExact(fd_, into, n, deadline) ? KQ_OK : KQ_ERR_NO_REPLY;
    };
    return wire::ReadFramedReply(
        [&read](std::uint8_t* head) { return read(head, wire::kHeadBytes); }, read, buffer,
        capacity, length);
  }

 private:
  int fd_;
  int timeoutMs_;
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
  TcpLink link(socket.Get(), settings.tcpTimeoutMs);
  return RunChunkLoop(link, request);
}

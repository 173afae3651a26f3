// UDP broadcast transport: the frames are broadcast out of one local interface at a
// time; a link failure starts the whole transfer again on the next interface.

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <vector>

#include "sdk/link/send_command.h"
#include "sdk/link/transport_settings.h"
#include "sdk/link/transports/socket_util.h"
#include "sdk/link/transports/udp_socket.h"

namespace {

class UdpLink : public wire::FrameLink {
 public:
  UdpLink(int fd, const LocalInterface& local, const TransportSettings& settings)
      : fd_(fd),
        local_(local),
        target_(BroadcastTarget(settings)),
        timeoutMs_(settings.udpTimeoutMs) {}

  int SendFrame(const std::uint8_t* frame, std::size_t length) override {
    DropQueuedDatagrams();
    const ssize_t sent = SendDatagramVia(fd_, local_, target_, frame, length);
    return sent == static_cast<ssize_t>(length) ? KQ_OK : KQ_ERR_SEND;
  }

  // One datagram is one reply; a datagram larger than the buffer is not valid.
  int ReadReply(std::uint8_t* buffer, std::size_t capacity, std::size_t* length) override {
    const auto deadline = DeadlineAfter(timeoutMs_);
    for (;;) {
      if (!WaitReady(fd_, POLLIN, deadline)) return KQ_ERR_NO_REPLY;
      const ssize_t got = ::recv(fd_, buffer, capacity, MSG_TRUNC | MSG_DONTWAIT);
      if (got < 0) {
        if (errno == EAGAIN || errno == EINTR) continue;
        return KQ_ERR_NO_REPLY;
      }
      if (static_cast<std::size_t>(got) > capacity) return KQ_ERR_BAD_REPLY;
      *length = static_cast<std::size_t>(got);
      return KQ_OK;
    }
  }

 private:
  // A late or duplicate reply to an earlier frame must not pass for the next one.
  void DropQueuedDatagrams() {
    std::uint8_t scratch[wire::kAckBytes];
    while (::recv(fd_, scratch, sizeof scratch, MSG_DONTWAIT) >= 0) {
    }
  }

  int fd_;
  LocalInterface local_;
  sockaddr_in target_;
  int timeoutMs_;
};

bool IsLinkFailure(int code) {
  return code == KQ_ERR_SOCKET || code == KQ_ERR_BIND || code == KQ_ERR_SEND ||
         code == KQ_ERR_NO_REPLY;
}

}  // namespace

int SendFrameUdp(const CommandRequest& request) {
  const TransportSettings settings = CurrentTransportSettings();
  const std::vector<LocalInterface> interfaces = LocalIpv4Interfaces();
  if (interfaces.empty()) return KQ_ERR_NO_LOCAL_ADDRESS;
  int code = KQ_OK;
  for (const LocalInterface& local : interfaces) {
    UniqueFd socket;
    code = OpenBroadcastSocket(socket, settings);
    if (code == KQ_OK) {
      UdpLink link(socket.Get(), local, settings);
      code = RunChunkLoop(link, request);
    }
    if (!IsLinkFailure(code)) return code;
  }
  return code;
}

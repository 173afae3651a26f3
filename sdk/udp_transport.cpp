// UDP broadcast transport: the frames are broadcast out of one local interface at a
// time; a link failure starts the whole transfer again on the next interface.
//
// The socket is bound to the wildcard address and each datagram names its outgoing
// interface (IP_PKTINFO): a socket bound to a unicast address would not receive the
// broadcast replies of a card outside the computer's subnet.

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "sdk/send_command.h"
#include "sdk/socket_util.h"
#include "sdk/transport_settings.h"

namespace {

struct LocalInterface {
  unsigned index;
  in_addr address;
};

// IPv4 interfaces that are up and can broadcast, loopback excepted, in listing order.
std::vector<LocalInterface> LocalIpv4Interfaces() {
  std::vector<LocalInterface> found;
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) return found;
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
    const unsigned flags = entry->ifa_flags;
    if (!(flags & IFF_UP) || !(flags & IFF_BROADCAST) || (flags & IFF_LOOPBACK)) continue;
    const unsigned index = ::if_nametoindex(entry->ifa_name);
    if (index == 0) continue;
    found.push_back({index, reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr});
  }
  ::freeifaddrs(list);
  return found;
}

class UdpLink : public wire::FrameLink {
 public:
  UdpLink(int fd, const LocalInterface& local, const TransportSettings& settings)
      : fd_(fd), local_(local), timeoutMs_(settings.udpTimeoutMs) {
    target_.sin_family = AF_INET;
    target_.sin_port = htons(settings.udpPort);
    target_.sin_addr.s_addr = htonl(settings.broadcastTarget);
  }

  int SendFrame(const std::uint8_t* frame, std::size_t length) override {
    DropQueuedDatagrams();
    iovec data{const_cast<std::uint8_t*>(frame), length};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    msghdr message{};
    message.msg_name = &target_;
    message.msg_namelen = sizeof target_;
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    cmsghdr* header = CMSG_FIRSTHDR(&message);
    header->cmsg_level = IPPROTO_IP;
    header->cmsg_type = IP_PKTINFO;
    header->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
    in_pktinfo info{};
    info.ipi_ifindex = static_cast<int>(local_.index);
    info.ipi_spec_dst = local_.address;
    std::memcpy(CMSG_DATA(header), &info, sizeof info);
    const ssize_t sent = ::sendmsg(fd_, &message, MSG_NOSIGNAL);
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
  sockaddr_in target_{};
  int timeoutMs_;
};

// Opens the broadcast socket: -5 when it cannot be made or set up, -103 on bind.
int OpenBroadcastSocket(UniqueFd& socket, const TransportSettings& settings) {
  socket = UniqueFd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP));
  const int on = 1;
  if (!socket.valid() ||
      ::setsockopt(socket.get(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0 ||
      !SetSocketTimeouts(socket.get(), settings.udpTimeoutMs)) {
    return KQ_ERR_SOCKET;
  }
  sockaddr_in any{};
  any.sin_family = AF_INET;
  any.sin_addr.s_addr = htonl(INADDR_ANY);
  if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) {
    return KQ_ERR_BIND;
  }
  return KQ_OK;
}

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
      UdpLink link(socket.get(), local, settings);
      code = RunChunkLoop(link, request);
    }
    if (!IsLinkFailure(code)) return code;
  }
  return code;
}

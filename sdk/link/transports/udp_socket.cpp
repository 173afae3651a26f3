#include "sdk/link/transports/udp_socket.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>

#include <cstring>

#include "sdk/Corvanix.h"

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

int OpenBroadcastSocket(UniqueFd& socket, const TransportSettings& settings) {
  socket = UniqueFd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP));
  const int on = 1;
  if (!socket.Valid() ||
      ::setsockopt(socket.Get(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0 ||
      !SetSocketTimeouts(socket.Get(), settings.udpTimeoutMs)) {
    return KQ_ERR_SOCKET;
  }
  sockaddr_in any{};
  any.sin_family = AF_INET;
  any.sin_addr.s_addr = htonl(INADDR_ANY);
  if (::bind(socket.Get(), reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) {
    return KQ_ERR_BIND;
  }
  return KQ_OK;
}

sockaddr_in BroadcastTarget(const TransportSettings& settings) {
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = htons(settings.udpPort);
  target.sin_addr.s_addr = htonl(settings.broadcastTarget);
  return target;
}

ssize_t SendDatagramVia(int fd, const LocalInterface& local, const sockaddr_in& target,
                        const std::uint8_t* data, std::size_t length) {
  iovec part{const_cast<std::uint8_t*>(data), length};
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
  msghdr message{};
  message.msg_name = const_cast<sockaddr_in*>(&target);
  message.msg_namelen = sizeof target;
  message.msg_iov = &part;
  message.msg_iovlen = 1;
  message.msg_control = control;
  message.msg_controllen = sizeof control;
  cmsghdr* header = CMSG_FIRSTHDR(&message);
  header->cmsg_level = IPPROTO_IP;
  header->cmsg_type = IP_PKTINFO;
  header->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
  in_pktinfo info{};
  info.ipi_ifindex = static_cast<int>(local.index);
  info.ipi_spec_dst = local.address;
  std::memcpy(CMSG_DATA(header), &info, sizeof info);
  return ::sendmsg(fd, &message, MSG_NOSIGNAL);
}

#pragma once
// The broadcast socket shared by the UDP transport and the card search: bound to the
// wildcard address, each datagram naming its outgoing interface (IP_PKTINFO), since a
// socket bound to a unicast address would not receive the broadcast replies of a
// card outside the computer's subnet.

#include <netinet/in.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/common/unique_fd.h"
#include "sdk/link/transports/socket_util.h"
#include "sdk/link/transport_settings.h"

struct LocalInterface {
  unsigned index;
  in_addr address;
};

// IPv4 interfaces that are up and can broadcast, loopback excepted, in listing order.
std::vector<LocalInterface> LocalIpv4Interfaces();

// Opens the broadcast socket with the UDP time-outs of settings: -5 when it cannot be
// made or set up, -103 on bind.
[[nodiscard]] int OpenBroadcastSocket(UniqueFd& socket, const TransportSettings& settings);

// The broadcast target of settings on the UDP port.
sockaddr_in BroadcastTarget(const TransportSettings& settings);

// Sends one datagram to target out of local's interface; what sendmsg returns.
[[nodiscard]] ssize_t SendDatagramVia(int fd, const LocalInterface& local, const sockaddr_in& target,
                        const std::uint8_t* data, std::size_t length);

#pragma once
// This computer's IPv4 addresses, one entry per address of every interface but the
// loopback ones, with the interface's default gateway and hardware address.

#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "device/common/ipv4_edit.h"  // Ipv4Text

struct LocalAddress {
  int number = 0;  // from 0, in list order
  QString ip;
  QString mask;
  QString gateway;  // "0.0.0.0" without a default route
  QString adapterName;
  QString description;
  unsigned index = 0;
  int hardwareLength = 0;  // bytes of hardware that the interface has, at most 6
  std::array<std::uint8_t, 6> hardware{};
};

// The default gateway of each interface in a route table text as the kernel writes it
// (net/route of procfs): the gateway of the up default route with the lowest metric,
// host order. Lines that are not such a route are ignored.
std::map<QString, std::uint32_t> DefaultGateways(const QString& routeTable);

// The addresses by interface index, then in the order the system lists them; the
// loopback interfaces and the addresses 127.x.x.x, 0.0.0.0 and 255.255.255.255 are
// left out. Gateways are those of the calling thread's network namespace.
std::vector<LocalAddress> ListLocalAddresses();

// "%02X-%02X-%02X-%02X-%02X-%02X" of the entry's hardware address.
QString HardwareText(const LocalAddress& address);

#include "device/search/local_addresses.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <memory>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <net/route.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace {

// The columns of a route line: Iface Destination Gateway Flags RefCnt Use Metric Mask.
constexpr int kRouteColumns = 8;

bool ParseHex(const QString& text, std::uint32_t& value) {
  bool ok = false;
  value = text.toUInt(&ok, 16);
  return ok;
}

bool IsSkipped(std::uint32_t address) {
  return (address >> 24) == 127 || address == 0 || address == 0xFFFFFFFFu;
}

// The interface an address label such as "eth0:1" belongs to.
QString InterfaceOf(const char* name) { return QString::fromLocal8Bit(name).section(u':', 0, 0); }

std::uint32_t HostOrder(const sockaddr* address) {
  return ntohl(reinterpret_cast<const sockaddr_in*>(address)->sin_addr.s_addr);
}

struct Hardware {
  int length = 0;
  std::array<std::uint8_t, 6> bytes{};
};

std::map<QString, Hardware> HardwareAddresses(const ifaddrs* list) {
  std::map<QString, Hardware> hardware;
  for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
    if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_PACKET) continue;
    const auto* link = reinterpret_cast<const sockaddr_ll*>(entry->ifa_addr);
    Hardware& bytes = hardware[InterfaceOf(entry->ifa_name)];
    bytes.length = std::min<int>(link->sll_halen, 6);
    std::memcpy(bytes.bytes.data(), link->sll_addr, static_cast<std::size_t>(bytes.length));
  }
  return hardware;
}

QString ReadRouteTable() {
  // thread-self: a thread that entered another network namespace reads that one.
  QFile file(QStringLiteral("/proc/thread-self/net/route"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromLatin1(file.readAll());
}

}  // namespace

std::map<QString, std::uint32_t> DefaultGateways(const QString& routeTable) {
  std::map<QString, std::uint32_t> gateways;
  std::map<QString, std::uint32_t> metrics;
  for (const QString& line : routeTable.split(u'\n')) {
    const QStringList columns = line.simplified().split(u' ');
    if (columns.size() < kRouteColumns) continue;
    std::uint32_t destination = 0, gateway = 0, flags = 0, mask = 0;
    bool metricOk = false;
    const std::uint32_t metric = columns[6].toUInt(&metricOk);
    if (!ParseHex(columns[1], destination) || !ParseHex(columns[2], gateway) ||
        !ParseHex(columns[3], flags) || !ParseHex(columns[7], mask) || !metricOk) {
      continue;
    }
    if (destination != 0 || mask != 0 ||
        (flags & (RTF_UP | RTF_GATEWAY)) != (RTF_UP | RTF_GATEWAY)) {
      continue;
    }
    const auto known = metrics.find(columns[0]);
    if (known != metrics.end() && known->second <= metric) continue;
    metrics[columns[0]] = metric;
    gateways[columns[0]] = ntohl(gateway);  // written as the raw network-order word
  }
  return gateways;
}

std::vector<LocalAddress> ListLocalAddresses() {
  ifaddrs* raw = nullptr;
  if (getifaddrs(&raw) != 0) return {};
  const std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> list(raw, freeifaddrs);
  const std::map<QString, Hardware> hardware = HardwareAddresses(raw);
  const std::map<QString, std::uint32_t> gateways = DefaultGateways(ReadRouteTable());
  std::vector<LocalAddress> addresses;
  for (const ifaddrs* entry = raw; entry; entry = entry->ifa_next) {
    if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET) continue;
    if ((entry->ifa_flags & IFF_LOOPBACK) || !entry->ifa_netmask) continue;
    const std::uint32_t ip = HostOrder(entry->ifa_addr);
    if (IsSkipped(ip)) continue;
    LocalAddress address;
    address.adapterName = InterfaceOf(entry->ifa_name);
    address.description = address.adapterName;
    address.index = if_nametoindex(address.adapterName.toLocal8Bit().constData());
    address.ip = Ipv4Text(ip);
    address.mask = Ipv4Text(HostOrder(entry->ifa_netmask));
    const auto gateway = gateways.find(address.adapterName);
    address.gateway = Ipv4Text(gateway == gateways.end() ? 0 : gateway->second);
    if (const auto bytes = hardware.find(address.adapterName); bytes != hardware.end()) {
      address.hardwareLength = bytes->second.length;
      address.hardware = bytes->second.bytes;
    }
    addresses.push_back(std::move(address));
  }
  std::stable_sort(addresses.begin(), addresses.end(),
                   [](const LocalAddress& a, const LocalAddress& b) { return a.index < b.index; });
  for (std::size_t i = 0; i < addresses.size(); ++i) addresses[i].number = static_cast<int>(i);
  return addresses;
}

QString HardwareText(const LocalAddress& address) {
  const auto& b = address.hardware;
  return QString::asprintf("%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4], b[5]);
}

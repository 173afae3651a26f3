#include "tests/support/card_network.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace emu {

std::string CardNetwork::Unavailable() const {
  if (::geteuid() != 0) return "network namespaces for broadcast need root";
  if (!computer_.Valid() || !cards_[0].Valid() || !cards_[1].Valid()) {
    return "network namespaces cannot be created here";
  }
  return {};
}

bool CardNetwork::Build() {
  std::string computer = "ip link set lo up";
  for (int i = 0; i < kCards; ++i) {
    const std::string n = std::to_string(i + 1);
    computer += " && ip link add kqpc" + n + " type veth peer name kqcard" + n + " netns " +
                cards_[i].Path() + " && ip addr add 10.201." + n + ".1/24 broadcast + dev kqpc" +
                n + " && ip link set kqpc" + n + " up";
  }
  if (!computer_.Shell(computer + " 2>/dev/null")) return false;
  for (int i = 0; i < kCards; ++i) {
    const std::string n = std::to_string(i + 1);
    if (!cards_[i].Shell("ip link set lo up && ip addr add 10.201." + n +
                         ".2/24 broadcast + dev kqcard" + n + " && ip link set kqcard" + n +
                         " up && ip route add default dev kqcard" + n)) {
      return false;
    }
  }
  return true;
}

int CardNetwork::OpenCardSocket(int card) const {
  int fd = -1;
  cards_[card].RunInside([&fd] {
    fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_port = htons(kCardPort);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) {
      ::close(fd);
      fd = -1;
    }
  });
  return fd;
}

}  // namespace emu

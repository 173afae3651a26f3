#include "tests/support/network_namespace.h"

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

namespace emu {

NetworkNamespace::NetworkNamespace() {
  // Only the helper thread moves; the namespace lives on through the descriptor.
  std::thread([this] {
    if (::unshare(CLONE_NEWNET) == 0)
      fd_ = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
  }).join();
}

NetworkNamespace::~NetworkNamespace() {
  if (fd_ >= 0) ::close(fd_);
}

std::string NetworkNamespace::Path() const {
  return "/proc/" + std::to_string(::getpid()) + "/fd/" + std::to_string(fd_);
}

void NetworkNamespace::RunInside(const std::function<void()>& work) const {
  const int own = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
  if (own < 0 || ::setns(fd_, CLONE_NEWNET) != 0) {
    if (own >= 0) ::close(own);
    return;
  }
  work();
  ::setns(own, CLONE_NEWNET);
  ::close(own);
}

bool NetworkNamespace::Shell(const std::string& command) const {
  bool ok = false;
  RunInside([&] { ok = std::system(command.c_str()) == 0; });
  return ok;
}

}  // namespace emu

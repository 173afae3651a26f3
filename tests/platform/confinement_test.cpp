#include "platform/confinement.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

namespace {

// Runs body in a forked child and gives its wait status; the child ends with the
// body's result as its exit code.
int InChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  int status = 0;
  ::waitpid(pid, &status, 0);
  return status;
}

// A listener on loopback and its port.
struct Listener {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  Listener() {
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::listen(fd, 4);
  }
  ~Listener() { ::close(fd); }
};

// 0 when a connection to the listener fails, 1 when it succeeds.
int ConnectsTo(const Listener& listener) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return 0;
  const int result =
      ::connect(fd, reinterpret_cast<const sockaddr*>(&listener.address), sizeof listener.address);
  return result == 0 ? 1 : 0;
}

TEST(Confinement, CutChildReachesNoListenerWhileLocalSocketsStillWork) {
  Listener listener;
  ASSERT_EQ(InChild([&] { return ConnectsTo(listener); }), 1 << 8);  // the host can
  const int status = InChild([&] {
    if (confinement::CutNetwork() == confinement::NetworkCut::None) return 2;
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0) return 3;
    return ConnectsTo(listener);
  });
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(Confinement, FilterRefusesInternetSocketsAndIoUring) {
  const int status = InChild([] {
    if (!confinement::RefuseInternetSockets()) return 2;
    for (const int family : {AF_INET, AF_INET6, AF_PACKET}) {
      if (::socket(family, SOCK_DGRAM, 0) >= 0 || errno != EACCES) return 3;
    }
    if (::socket(AF_UNIX, SOCK_STREAM, 0) < 0) return 4;
    return ::syscall(__NR_io_uring_setup, 1, nullptr) == -1 && errno == ENOSYS ? 0 : 5;
  });
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(Confinement, ProcessorTimeLimitEndsASpinningChild) {
  const int status = InChild([] {
    if (!confinement::LimitResources(0, 1)) return 2;
    volatile bool spinning = true;
    while (spinning) {
    }
    return 3;
  });
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_TRUE(WTERMSIG(status) == SIGXCPU || WTERMSIG(status) == SIGKILL);
}

}  // namespace

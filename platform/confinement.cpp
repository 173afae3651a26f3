#include "platform/confinement.h"

#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define KQ_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KQ_ADDRESS_SANITIZER 1
#endif
#endif

namespace confinement {
namespace {

#if defined(__x86_64__)
constexpr std::uint32_t kNativeArch = AUDIT_ARCH_X86_64;
// x32 system calls share the architecture and set this bit in the number.
constexpr std::uint32_t kX32Bit = 0x40000000;
#elif defined(__aarch64__)
constexpr std::uint32_t kNativeArch = AUDIT_ARCH_AARCH64;
constexpr std::uint32_t kX32Bit = 0;
#endif

// Writes text to a file under /proc; true when all of it went.
bool WriteProcFile(const char* path, const char* text, std::size_t length) {
  const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::write(fd, text, length) == static_cast<ssize_t>(length);
  ::close(fd);
  return ok;
}

// "<id> <id> 1": the one id mapped to itself. Formatted by hand: no allocation here.
bool MapOwnId(const char* path, unsigned id) {
  char digits[16];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + id % 10);
    id /= 10;
  } while (id != 0);
  char line[48];
  std::size_t length = 0;
  for (int copy = 0; copy < 2; ++copy) {
    for (std::size_t i = count; i > 0; --i) line[length++] = digits[i - 1];
    line[length++] = ' ';
  }
  line[length++] = '1';
  line[length++] = '\n';
  return WriteProcFile(path, line, length);
}

bool EnterUserAndNetwork() {
  const uid_t uid = ::getuid();
  const gid_t gid = ::getgid();
  if (::unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0) return false;
  // Files, sockets and the runtime folder keep looking like the user's own.
  return WriteProcFile("/proc/self/setgroups", "deny", 4) && MapOwnId("/proc/self/uid_map", uid) &&
         MapOwnId("/proc/self/gid_map", gid);
}

}  // namespace

bool EnterEmptyNetwork() noexcept {
  if (::unshare(CLONE_NEWNET) == 0) return true;
  return EnterUserAndNetwork();
}

bool RefuseInternetSockets() noexcept {
#if defined(__x86_64__) || defined(__aarch64__)
  constexpr std::uint32_t kRefuse = SECCOMP_RET_ERRNO | (EACCES & SECCOMP_RET_DATA);
  constexpr std::uint32_t kNoSuchCall = SECCOMP_RET_ERRNO | (ENOSYS & SECCOMP_RET_DATA);
  sock_filter program[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kNativeArch, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, kX32Bit, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_io_uring_setup, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, kNoSuchCall),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_socket, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
      // The family is the first argument, an int: its low 32 bits.
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[0])),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AF_INET, 3, 0),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AF_INET6, 2, 0),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AF_PACKET, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
      BPF_STMT(BPF_RET | BPF_K, kRefuse),
  };
  sock_fprog filter{static_cast<unsigned short>(sizeof program / sizeof program[0]), program};
  return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
         ::syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &filter) == 0;
#else
  return false;
#endif
}

NetworkCut CutNetwork() noexcept {
  if (EnterEmptyNetwork()) return NetworkCut::Namespace;
  if (RefuseInternetSockets()) return NetworkCut::SocketFilter;
  return NetworkCut::None;
}

bool LimitResources(std::uint64_t addressSpaceBytes, unsigned cpuSeconds) noexcept {
  const rlimit cpu{cpuSeconds, cpuSeconds + 1};
  bool ok = ::setrlimit(RLIMIT_CPU, &cpu) == 0;
#if !defined(KQ_ADDRESS_SANITIZER)
  if (addressSpaceBytes != 0) {
    const rlimit space{addressSpaceBytes, addressSpaceBytes};
    ok = ::setrlimit(RLIMIT_AS, &space) == 0 && ok;
  }
#else
  (void)addressSpaceBytes;
#endif
  return ok;
}

}  // namespace confinement

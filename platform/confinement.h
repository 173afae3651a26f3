#pragma once
// Confinement of a child process that runs code we did not write on a user's file or
// movie: no network and bounded resources. Each call is meant for the child between
// fork and exec (QProcess::setChildProcessModifier): it makes system calls only, no
// allocation and no locks, and what it sets is inherited by every process the child
// starts.

#include <cstdint>

namespace confinement {

// How the child was cut off from the network.
enum class NetworkCut {
  Namespace,     // a network namespace of its own, with no interface up
  SocketFilter,  // a seccomp filter refuses internet and packet sockets
  None,          // neither is possible on this system
};

// Moves the calling process into a new, empty network namespace: directly when it
// may (root), else inside a new user namespace that maps the caller's own user and
// group. False when the system allows neither.
bool EnterEmptyNetwork() noexcept;

// Installs a seccomp filter: socket() of the families AF_INET, AF_INET6 and AF_PACKET
// fails with EACCES, io_uring (which could open sockets past the filter) with ENOSYS,
// and system calls of a foreign architecture end the process. Sets no_new_privs.
bool RefuseInternetSockets() noexcept;

// EnterEmptyNetwork, else RefuseInternetSockets; tells which held.
NetworkCut CutNetwork() noexcept;

// Caps the address space at bytes (none when 0) and the processor time at seconds,
// after which the process gets SIGXCPU and, a second later, SIGKILL. A process under
// AddressSanitizer reserves terabytes of address space: there the address-space cap is
// left off, and the caller's own limits must bound it.
bool LimitResources(std::uint64_t addressSpaceBytes, unsigned cpuSeconds) noexcept;

}  // namespace confinement

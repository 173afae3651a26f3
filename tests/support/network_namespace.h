#pragma once
// A fresh network namespace for tests that broadcast: nothing sent inside it can
// leave the machine. Needs root (CAP_SYS_ADMIN); Valid() says whether it was made.

#include <functional>
#include <string>

namespace emu {

class NetworkNamespace {
 public:
  NetworkNamespace();
  ~NetworkNamespace();
  NetworkNamespace(const NetworkNamespace&) = delete;
  NetworkNamespace& operator=(const NetworkNamespace&) = delete;

  bool Valid() const { return fd_ >= 0; }
  // A path naming the namespace that `ip ... netns <path>` accepts.
  std::string Path() const;
  // Runs work on the calling thread inside the namespace, then returns to the
  // thread's own one. Sockets and threads created meanwhile stay inside.
  void RunInside(const std::function<void()>& work) const;
  // Runs a shell command inside; true when it exits with 0.
  bool Shell(const std::string& command) const;

 private:
  int fd_ = -1;
};

}  // namespace emu

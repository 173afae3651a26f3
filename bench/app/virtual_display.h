#pragma once
// A virtual X display of the benchmark's own (Xvfb on a free display number, ended
// with the benchmark, never the user's desktop), and the time a program started on it
// takes from its exec to its first mapped window.

#include <xcb/xcb.h>

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class VirtualDisplay {
 public:
  // Starts Xvfb and connects to it; Ready() is false when either fails (said on
  // stderr).
  VirtualDisplay();
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  bool Ready() const { return connection_ != nullptr; }

  struct Start {
    double seconds = -1;  // exec to the first map; negative when there was none
    int libraries = 0;    // shared objects the program had mapped by then
    int ffmpegLibraries = 0;
  };
  // Runs program with the benchmark's environment, overridden by env ("NAME=value")
  // and DISPLAY, until a top-level window of its own is mapped (within 20 s), then
  // kills it and waits for its end.
  Start StartToWindow(const std::string& program, const std::vector<std::string>& env);

 private:
  // When a top-level window whose _NET_WM_PID is pid was mapped; none when the program
  // ends or the limit passes first.
  std::optional<std::chrono::steady_clock::time_point> AwaitMapBy(pid_t pid);
  bool OwnedBy(xcb_window_t window, pid_t pid);

  pid_t server_ = -1;
  std::string name_;  // ":N"
  xcb_connection_t* connection_ = nullptr;
  xcb_atom_t pidAtom_ = XCB_ATOM_NONE;
};

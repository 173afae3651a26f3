#include "bench/app/virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kServerStartMs = 10'000;
constexpr int kMapLimitMs = 20'000;
constexpr int kPollMs = 20;  // between looks at whether the program has ended

// The benchmark's environment with env's variables put over it.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& env) {
  std::set<std::string> overridden;
  for (const std::string& entry : env) overridden.insert(entry.substr(0, entry.find('=')));
  std::vector<std::string> merged;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    if (overridden.count(text.substr(0, text.find('='))) == 0) merged.push_back(text);
  }
  merged.insert(merged.end(), env.begin(), env.end());
  return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Forks and execs args[0] (searched in PATH) with env, its output and errors sent to
// /dev/null; the child is killed when the benchmark ends. -1 when fork fails.
pid_t Spawn(std::vector<std::string> args, const std::vector<std::string>& env) {
  std::vector<std::string> environment = MergedEnvironment(env);
  const std::vector<char*> argv = Pointers(args);
  const std::vector<char*> envp = Pointers(environment);
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid != 0) return pid;
  // The child: only calls that are safe after a fork, then the exec.
  if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) _exit(127);
  const int null = open("/dev/null", O_WRONLY);
  if (null >= 0) {
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
  }
  execvpe(argv[0], argv.data(), envp.data());
  _exit(127);
}

// Reads the display number Xvfb writes when it is ready.
std::optional<int> ReadDisplayNumber(int fd) {
  std::string text;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kServerStartMs);
  while (text.find('\n') == std::string::npos) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd ready{fd, POLLIN, 0};
    if (left <= 0 || poll(&ready, 1, static_cast<int>(left)) <= 0) return std::nullopt;
    char buffer[16];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got <= 0) return std::nullopt;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return std::atoi(text.c_str());
}

bool IsFfmpeg(const std::string& path) {
  const std::string name = path.substr(path.rfind('/') + 1);
  for (const char* prefix : {"libavcodec", "libavformat", "libavutil", "libswscale",
                             "libswresample", "libavfilter", "libavdevice"}) {
    if (name.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

// The shared objects process pid has mapped.
std::set<std::string> MappedLibraries(pid_t pid) {
  std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
  std::set<std::string> libraries;
  std::string line;
  while (std::getline(maps, line)) {
    const std::size_t slash = line.find('/');
    if (slash == std::string::npos) continue;
    const std::string path = line.substr(slash);
    if (path.find(".so") != std::string::npos) libraries.insert(path);
  }
  return libraries;
}

bool HasEnded(pid_t pid) {
  siginfo_t info{};
  return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
         info.si_pid == pid;
}

}  // namespace

VirtualDisplay::VirtualDisplay() {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return;
  fcntl(pipeFds[0], F_SETFD, FD_CLOEXEC);
  server_ = Spawn({"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0", "1280x1024x24",
                   "-nolisten", "tcp"},
                  {});
  close(pipeFds[1]);
  const std::optional<int> number = server_ > 0 ? ReadDisplayNumber(pipeFds[0]) : std::nullopt;
  close(pipeFds[0]);
  if (!number) {
    std::fprintf(stderr, "Xvfb did not start (Debian xvfb)\n");
    return;
  }
  name_ = ':' + std::to_string(*number);
  xcb_connection_t* connection = xcb_connect(name_.c_str(), nullptr);
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "cannot connect to the virtual display %s\n", name_.c_str());
    xcb_disconnect(connection);
    return;
  }
  fcntl(xcb_get_file_descriptor(connection), F_SETFD, FD_CLOEXEC);
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
  const char kPidName[] = "_NET_WM_PID";
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
      xcb_intern_atom_reply(connection,
                            xcb_intern_atom(connection, 0, sizeof kPidName - 1, kPidName), nullptr),
      &std::free);
  if (atom == nullptr) {
    xcb_disconnect(connection);
    return;
  }
  pidAtom_ = atom->atom;
  connection_ = connection;
}

VirtualDisplay::~VirtualDisplay() {
  if (connection_ != nullptr) xcb_disconnect(connection_);
  if (server_ > 0) {
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
  }
}

VirtualDisplay::Start VirtualDisplay::StartToWindow(const std::string& program,
                                                    const std::vector<std::string>& env) {
  Start start;
  if (connection_ == nullptr) return start;
  std::vector<std::string> childEnv = env;
  childEnv.push_back("DISPLAY=" + name_);
  const auto begin = Clock::now();
  const pid_t pid = Spawn({program}, childEnv);
  if (pid < 0) return start;
  if (const std::optional<Clock::time_point> mapped = AwaitMapBy(pid)) {
    start.seconds = std::chrono::duration<double>(*mapped - begin).count();
    const std::set<std::string> libraries = MappedLibraries(pid);
    start.libraries = static_cast<int>(libraries.size());
    for (const std::string& library : libraries) start.ffmpegLibraries += IsFfmpeg(library);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return start;
}

std::optional<std::chrono::steady_clock::time_point> VirtualDisplay::AwaitMapBy(pid_t pid) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(kMapLimitMs);
  const int fd = xcb_get_file_descriptor(connection_);
  while (Clock::now() < deadline && !xcb_connection_has_error(connection_)) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
      const auto at = Clock::now();
      const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
      if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
      const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
      // Pop-ups are not windows of their own; a window of an earlier start is not this one's.
      if (!map->override_redirect && OwnedBy(map->window, pid)) return at;
    }
    if (HasEnded(pid)) return std::nullopt;
    pollfd ready{fd, POLLIN, 0};
    poll(&ready, 1, kPollMs);
  }
  return std::nullopt;
}

bool VirtualDisplay::OwnedBy(xcb_window_t window, pid_t pid) {
  const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
      xcb_get_property_reply(
          connection_, xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1),
          nullptr),
      &std::free);
  if (reply == nullptr || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4) {
    return false;
  }
  std::uint32_t owner = 0;
  std::memcpy(&owner, xcb_get_property_value(reply.get()), sizeof owner);
  return owner == static_cast<std::uint32_t>(pid);
}

#include "updater/core/setup_script.h"

#include <QFile>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/blocking_call.h"

extern char** environ;

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);

struct SpawnSetup {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
};

pid_t Start(const QString& folder, const QString& script) {
  SpawnSetup setup;
  const QByteArray dir = QFile::encodeName(folder);
  sigset_t none;
  sigemptyset(&none);
  if (posix_spawn_file_actions_addchdir_np(&setup.actions, dir.constData()) != 0 ||
      posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY,
                                       0) != 0 ||
      posix_spawnattr_setsigmask(&setup.attributes, &none) != 0 ||
      posix_spawnattr_setflags(&setup.attributes,
                               POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK) != 0) {
    return -1;
  }
  QByteArray name = QFile::encodeName(script);
  char shell[] = "sh";
  char* argv[] = {shell, name.data(), nullptr};
  pid_t pid = -1;
  if (posix_spawn(&pid, "/bin/sh", &setup.actions, &setup.attributes, argv, environ) != 0) {
    return -1;
  }
  return pid;
}

// Waits for the child; past the deadline kills its session's process group.
ScriptResult Wait(pid_t pid, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) return ScriptResult::Failed;
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(-pid, SIGKILL);
      while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
      return ScriptResult::TimedOut;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ScriptResult::Succeeded
                                                       : ScriptResult::Failed;
}

}  // namespace

ScriptResult RunSetupScript(const QString& folder, const QString& script, int timeoutMs) {
  const pid_t pid = Start(folder, script);
  if (pid < 0) return ScriptResult::NotStarted;
  ScriptResult result = ScriptResult::Failed;
  if (!RunWhileDispatching([&] { result = Wait(pid, timeoutMs); })) {
    // No worker: wait here, so the child is never left behind.
    result = Wait(pid, timeoutMs);
  }
  return result;
}

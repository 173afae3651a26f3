#include "editors/spreadsheet/reader_child.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "editors/spreadsheet/worksheet_answer.h"
#include "editors/spreadsheet/worksheet_grid.h"
#include "model/common/unique_fd.h"
#include "platform/confinement.h"

namespace {

// A reader holds at most one 64 MiB workbook stream or package part, 64 MiB decoded
// from it and the answer (32 MiB, twice while it grows); with Qt and the libraries
// (some 60 MiB mapped) 384 MiB reads every workbook within those bounds and bounds what
// a crafted file can make the reader allocate.
constexpr std::uint64_t kReaderAddressSpaceBytes = std::uint64_t{384} << 20;
constexpr unsigned kReaderCpuSeconds = 10;
// Twice the processor limit: a busy machine still lets a working reader finish, and a
// reader that waits instead of working ends all the same.
constexpr int kReaderDeadlineMs = 2 * static_cast<int>(kReaderCpuSeconds) * 1000;
// The child's exit status when it cannot be confined or started.
constexpr int kStartFailed = 127;

// The child, between fork and exec: system calls only. Never returns.
[[noreturn]] void StartReader(int file, int answer, const char* const* arguments) {
  // Each descriptor moves above the standard ones first, so that no dup2 below
  // overwrites another or leaves its close-on-exec flag in place.
  const int nothing = ::fcntl(::open("/dev/null", O_WRONLY | O_CLOEXEC), F_DUPFD, 3);
  file = ::fcntl(file, F_DUPFD, 3);
  answer = ::fcntl(answer, F_DUPFD, 3);
  if (nothing < 0 || file < 0 || answer < 0 || ::dup2(file, STDIN_FILENO) < 0 ||
      ::dup2(answer, STDOUT_FILENO) < 0 || ::dup2(nothing, STDERR_FILENO) < 0 ||
      ::close_range(3, ~0U, 0) != 0) {
    ::_exit(kStartFailed);
  }
  if (confinement::CutNetwork() == confinement::NetworkCut::None ||
      !confinement::LimitResources(kReaderAddressSpaceBytes, kReaderCpuSeconds)) {
    ::_exit(kStartFailed);
  }
  char* const environment[] = {nullptr};
  ::execve(arguments[0], const_cast<char* const*>(arguments), environment);
  ::_exit(kStartFailed);
}

// Waits until fd is readable or closed; false at the deadline or on a failure.
bool WaitReadable(int fd, const QDeadlineTimer& deadline) {
  pollfd entry{fd, POLLIN, 0};
  for (;;) {
    const int ready = ::poll(&entry, 1, static_cast<int>(deadline.remainingTime()));
    if (ready > 0) return true;
    if (ready == 0 || errno != EINTR) return false;
  }
}

// Reads fd to its end into *answer; false at the deadline, on a failed read, or when
// the answer grows past kMaxAnswerBytes. Reads go straight into the answer's room,
// which doubles as it fills.
bool ReadAnswer(int fd, const QDeadlineTimer& deadline, QByteArray* answer) {
  constexpr qsizetype kFirstRoom = 64 * 1024;
  qsizetype size = 0;
  answer->resize(kFirstRoom);
  for (;;) {
    if (size == answer->size()) {
      if (size > kMaxAnswerBytes) return false;
      answer->resize(std::min<qsizetype>(2 * size, kMaxAnswerBytes + 1));
    }
    if (!WaitReadable(fd, deadline)) return false;
    const ssize_t count =
        ::read(fd, answer->data() + size, static_cast<size_t>(answer->size() - size));
    if (count == 0) break;
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    size += count;
  }
  answer->truncate(size);
  return size <= kMaxAnswerBytes;
}

// Takes the child's answer and its end, both before the deadline, and reaps it; a child
// that misses the deadline or answers too much is killed. True when it answered in full
// and exited by itself with status 0.
bool AwaitChild(pid_t pid, int answerFd, const QDeadlineTimer& deadline, QByteArray* answer) {
  // A descriptor that polls readable once the child has ended (Linux 5.3); glibc 2.36
  // declares pidfd_open without C linkage, hence the system call.
  const UniqueFd process(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
  const bool ended = process.Valid() && ReadAnswer(answerFd, deadline, answer) &&
                     WaitReadable(process.Get(), deadline);
  if (!ended) ::kill(pid, SIGKILL);
  int status = 0;
  pid_t reaped = 0;
  while ((reaped = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
  }
  return ended && reaped == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

ReaderChild InstalledReaderChild() {
  return {QCoreApplication::applicationDirPath() + QStringLiteral("/spreadsheet-reader"),
          kReaderDeadlineMs};
}

WorksheetTexts ReadInChild(const ReaderChild& child, int file, WorkbookKind kind) {
  if (!QFileInfo(child.program).isExecutable()) return FailedRead(SpreadsheetError::Unreadable);
  const QByteArray program = QFile::encodeName(child.program);
  const char* const arguments[] = {program.constData(), kind == WorkbookKind::Xls ? "xls" : "xlsx",
                                   nullptr};
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return FailedRead(SpreadsheetError::Unreadable);
  const UniqueFd answerIn(ends[0]);
  UniqueFd answerOut(ends[1]);
  const QDeadlineTimer deadline(child.deadlineMs);
  const pid_t pid = ::fork();
  if (pid < 0) return FailedRead(SpreadsheetError::Unreadable);
  if (pid == 0) StartReader(file, answerOut.Get(), arguments);
  answerOut.Reset();  // the answer ends when the child's copy closes
  QByteArray answer;
  if (!AwaitChild(pid, answerIn.Get(), deadline, &answer)) {
    return FailedRead(SpreadsheetError::Damaged);
  }
  return DecodeWorksheetAnswer(answer);
}

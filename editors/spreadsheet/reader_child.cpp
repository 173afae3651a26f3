#include "editors/spreadsheet/reader_child.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
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
// The service's exit status when it cannot be confined or started.
constexpr int kStartFailed = 127;

// The service, between fork and exec: system calls only. Never returns.
[[noreturn]] void StartService(int control, const char* const* arguments) {
  // Each descriptor moves above the standard ones first, so that no dup2 below
  // overwrites another or leaves its close-on-exec flag in place.
  const int nothing = ::fcntl(::open("/dev/null", O_RDWR | O_CLOEXEC), F_DUPFD, 3);
  control = ::fcntl(control, F_DUPFD, 3);
  if (nothing < 0 || control < 0 || ::dup2(control, STDIN_FILENO) < 0 ||
      ::dup2(nothing, STDOUT_FILENO) < 0 || ::dup2(nothing, STDERR_FILENO) < 0 ||
      ::close_range(3, ~0U, 0) != 0 || ::setpgid(0, 0) != 0) {
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

}  // namespace

ReaderService::ReaderService(QString program, int deadlineMs)
    : program_(std::move(program)), deadlineMs_(deadlineMs) {}

ReaderService::~ReaderService() { Stop(); }

bool ReaderService::Start() {
  if (!QFileInfo(program_).isExecutable()) return false;
  const QByteArray program = QFile::encodeName(program_);
  const char* const arguments[] = {program.constData(), "serve", nullptr};
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0) return false;
  UniqueFd ours(ends[0]);
  const UniqueFd theirs(ends[1]);
  const pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) StartService(theirs.Get(), arguments);
  // The child makes its own group too; whichever comes first, the group exists before
  // anything may need to end it.
  ::setpgid(pid, pid);
  pid_ = pid;
  control_ = std::move(ours);
  return true;
}

void ReaderService::Stop() {
  if (pid_ < 0) return;
  control_.Reset();
  ::kill(-pid_, SIGKILL);
  ::kill(pid_, SIGKILL);
  while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
}

bool ReaderService::Request(WorkbookKind kind, int file, int answer) {
  if (pid_ >= 0 && SendReaderRequest(control_.Get(), kind, file, answer)) return true;
  Stop();
  return Start() && SendReaderRequest(control_.Get(), kind, file, answer);
}

WorksheetTexts ReaderService::Read(int file, WorkbookKind kind) {
  const std::lock_guard lock(reading_);
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return FailedRead(SpreadsheetError::Unreadable);
  const UniqueFd answerIn(ends[0]);
  UniqueFd answerOut(ends[1]);
  const QDeadlineTimer deadline(deadlineMs_);
  if (!Request(kind, file, answerOut.Get())) {
    Stop();
    return FailedRead(SpreadsheetError::Unreadable);
  }
  answerOut.Reset();  // the answer ends when the reader's copy closes
  QByteArray answer;
  int status = 0;
  if (!ReadAnswer(answerIn.Get(), deadline, &answer) || !WaitReadable(control_.Get(), deadline) ||
      !ReceiveReaderStatus(control_.Get(), &status)) {
    Stop();  // the reader with it
    return FailedRead(SpreadsheetError::Damaged);
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return FailedRead(SpreadsheetError::Damaged);
  return DecodeWorksheetAnswer(answer);
}

ReaderService& InstalledReaderService() {
  static ReaderService service(
      QCoreApplication::applicationDirPath() + QStringLiteral("/spreadsheet-reader"),
      kReaderDeadlineMs);
  return service;
}

#include "editors/spreadsheet/reader_service.h"

#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "model/common/unique_fd.h"

namespace {

constexpr int kDescriptors = 2;  // the workbook file and the answer pipe
// A reader's exit status when its descriptors cannot be set up.
constexpr int kStartFailed = 127;

// Room for one message's descriptors, aligned as the control headers need.
union DescriptorRoom {
  char bytes[CMSG_SPACE(kDescriptors * sizeof(int))];
  cmsghdr alignment;
};

// A message of one byte, *code, with room for the descriptors.
msghdr Message(unsigned char* code, iovec* data, DescriptorRoom* room) {
  *data = {code, 1};
  msghdr message{};
  message.msg_iov = data;
  message.msg_iovlen = 1;
  message.msg_control = room->bytes;
  message.msg_controllen = sizeof room->bytes;
  return message;
}

// Every descriptor a received message carries, each owned, so that none stays open
// whatever the message holds.
std::vector<UniqueFd> TakeDescriptors(msghdr* message) {
  std::vector<UniqueFd> taken;
  for (cmsghdr* header = CMSG_FIRSTHDR(message); header; header = CMSG_NXTHDR(message, header)) {
    if (header->cmsg_level != SOL_SOCKET || header->cmsg_type != SCM_RIGHTS) continue;
    const std::size_t count = (header->cmsg_len - CMSG_LEN(0)) / sizeof(int);
    for (std::size_t i = 0; i < count; ++i) {
      int fd = -1;
      std::memcpy(&fd, CMSG_DATA(header) + i * sizeof(int), sizeof fd);
      taken.emplace_back(fd);
    }
  }
  return taken;
}

// Receives one request: 1 with its kind and descriptors, 0 at the socket's end, -1 on a
// failure or a malformed request.
int ReceiveRequest(int control, WorkbookKind* kind, std::vector<UniqueFd>* descriptors) {
  unsigned char code = 0;
  iovec data{};
  DescriptorRoom room{};
  msghdr message = Message(&code, &data, &room);
  ssize_t received = 0;
  while ((received = ::recvmsg(control, &message, MSG_CMSG_CLOEXEC)) < 0 && errno == EINTR) {
  }
  if (received <= 0) return received == 0 ? 0 : -1;
  *descriptors = TakeDescriptors(&message);
  if ((message.msg_flags & (MSG_TRUNC | MSG_CTRUNC)) || descriptors->size() != kDescriptors ||
      code > 1) {
    return -1;
  }
  *kind = code == 0 ? WorkbookKind::Xls : WorkbookKind::Xlsx;
  return 1;
}

// Forks a reader on the request's descriptors and waits for it: its wait status, or -1.
int RunReader(WorkbookKind kind, std::vector<UniqueFd> descriptors,
              int (*answer)(WorkbookKind kind)) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    // The control socket (standard input until now) and every other descriptor close.
    if (::dup2(descriptors[0].Get(), STDIN_FILENO) < 0 ||
        ::dup2(descriptors[1].Get(), STDOUT_FILENO) < 0 || ::close_range(3, ~0U, 0) != 0) {
      ::_exit(kStartFailed);
    }
    ::_exit(answer(kind));
  }
  // The answer ends when the reader's copy of the pipe closes, not the service's.
  descriptors.clear();
  if (pid < 0) return -1;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

}  // namespace

bool SendReaderRequest(int control, WorkbookKind kind, int file, int answer) {
  unsigned char code = kind == WorkbookKind::Xls ? 0 : 1;
  iovec data{};
  DescriptorRoom room{};
  msghdr message = Message(&code, &data, &room);
  cmsghdr* header = CMSG_FIRSTHDR(&message);
  header->cmsg_level = SOL_SOCKET;
  header->cmsg_type = SCM_RIGHTS;
  header->cmsg_len = CMSG_LEN(kDescriptors * sizeof(int));
  const int descriptors[kDescriptors] = {file, answer};
  std::memcpy(CMSG_DATA(header), descriptors, sizeof descriptors);
  ssize_t sent = 0;
  while ((sent = ::sendmsg(control, &message, MSG_NOSIGNAL)) < 0 && errno == EINTR) {
  }
  return sent == 1;
}

bool ReceiveReaderStatus(int control, int* status) {
  ssize_t received = 0;
  while ((received = ::recv(control, status, sizeof *status, 0)) < 0 && errno == EINTR) {
  }
  return received == sizeof *status;
}

int ServeReaders(int control, int (*answer)(WorkbookKind kind)) {
  // No other process of the user may trace the service or read its memory: a reader
  // taken over by a crafted workbook must not reach the readers after it.
  if (::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) != 0) return 1;
  for (;;) {
    WorkbookKind kind = WorkbookKind::Xls;
    std::vector<UniqueFd> descriptors;
    const int received = ReceiveRequest(control, &kind, &descriptors);
    if (received <= 0) return received == 0 ? 0 : 1;
    const int status = RunReader(kind, std::move(descriptors), answer);
    if (::send(control, &status, sizeof status, MSG_NOSIGNAL) != sizeof status) return 1;
  }
}

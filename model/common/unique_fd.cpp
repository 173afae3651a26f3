#include "model/common/unique_fd.h"

#include <unistd.h>

#include <cerrno>

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) Reset(other.Release());
  return *this;
}

int UniqueFd::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

void UniqueFd::Reset(int fd) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
}

int UniqueFd::Close() {
  if (fd_ < 0) return 0;
  // Linux releases the descriptor even when close fails: never close it twice.
  return ::close(Release()) == 0 ? 0 : errno;
}

int UniqueFd::ReadAll(void* buffer, std::size_t size, std::int64_t offset) const {
  auto* next = static_cast<char*>(buffer);
  while (size > 0) {
    const ssize_t got = offset < 0 ? ::read(fd_, next, size) : ::pread(fd_, next, size, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return EIO;
    next += got;
    size -= static_cast<std::size_t>(got);
    if (offset >= 0) offset += got;
  }
  return 0;
}

int UniqueFd::WriteAll(const void* data, std::size_t size) const {
  const auto* next = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = ::write(fd_, next, size);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    if (written == 0) return EIO;
    next += written;
    size -= static_cast<std::size_t>(written);
  }
  return 0;
}

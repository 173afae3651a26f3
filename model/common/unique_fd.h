#pragma once
// The one owner of a POSIX file descriptor: files, sockets and serial lines alike.
// It closes the descriptor when it goes, moves but never copies, and reads or writes
// whole buffers.

#include <cstddef>
#include <cstdint>

class UniqueFd {
 public:
  // ReadAll's offset for "from the current position".
  static constexpr std::int64_t kCurrentPosition = -1;

  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() { Reset(); }
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // Hands the descriptor over without closing it; the owner is empty afterwards.
  int Release();
  // Closes the descriptor held, if any, and takes fd.
  void Reset(int fd = -1);
  // Closes now. 0, or close's errno value (data written may then not have reached
  // the disk); the owner is empty either way.
  [[nodiscard]] int Close();

  // Reads exactly size bytes from the current position, or from offset (without
  // moving the position) when it is 0 or more, retrying after EINTR and short reads.
  // 0, or the errno value of the failing read (EIO when the file ends first).
  [[nodiscard]] int ReadAll(void* buffer, std::size_t size, std::int64_t offset = kCurrentPosition) const;
  // Writes all size bytes, retrying after EINTR and short writes. 0, or the errno
  // value of the failing write.
  [[nodiscard]] int WriteAll(const void* data, std::size_t size) const;

 private:
  int fd_ = -1;
};

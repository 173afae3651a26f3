#include "tests/support/card_emulator.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace emu {
namespace {

// The frame as the cards define it: head of 20 bytes, chunk, trailer 00 00 0D 0A.
constexpr std::size_t kHead = 20;
constexpr std::size_t kTrailer = 4;
constexpr std::size_t kMaxChunk = 512;
constexpr std::uint16_t kCommands[] = {0xA300, 0xC100, 0xCA00, 0xD500, 0xDA00};
constexpr int kPollMs = 20;

std::uint32_t Le(const std::uint8_t* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
  return value;
}

void PutLe(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Reads exactly n bytes, giving up at end of stream, on error or when stopped.
bool ReadFull(int fd, std::uint8_t* into, std::size_t n, const std::atomic<bool>& stop) {
  std::size_t got = 0;
  while (got < n) {
    if (stop.load()) return false;
    pollfd entry{fd, POLLIN, 0};
    const int ready = ::poll(&entry, 1, kPollMs);
    if (ready <= 0) continue;
    const ssize_t part = ::read(fd, into + got, n - got);
    if (part == 0) return false;
    if (part < 0) {
      if (errno == EAGAIN || errno == EINTR) continue;
      return false;
    }
    got += static_cast<std::size_t>(part);
  }
  return true;
}

// Reads one frame from a byte stream by its own length field.
bool ReadStreamFrame(int fd, std::vector<std::uint8_t>& frame, const std::atomic<bool>& stop) {
  frame.assign(kHead, 0);
  if (!ReadFull(fd, frame.data(), kHead, stop)) return false;
  const std::size_t rest = Le(frame.data() + 18, 2) + kTrailer;
  frame.resize(kHead + rest);
  return ReadFull(fd, frame.data() + kHead, rest, stop);
}

void WriteAll(int fd, const std::uint8_t* data, std::size_t n) {
  while (n > 0) {
    const ssize_t part = ::write(fd, data, n);
    if (part <= 0) {
      if (part < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      return;
    }
    data += part;
    n -= static_cast<std::size_t>(part);
  }
}

// Sends a reply on a stream as the reaction says. False when the link should close.
bool AnswerOnStream(int fd, const std::vector<std::uint8_t>& reply, const Reaction& reaction) {
  if (reaction.kind == Reaction::kClose) return false;
  if (reply.empty()) return true;
  if (reaction.kind == Reaction::kSplit) {
    WriteAll(fd, reply.data(), 10);
    Sleep(reaction.delayMs);
    WriteAll(fd, reply.data() + 10, reply.size() - 10);
    return true;
  }
  Sleep(reaction.delayMs);
  WriteAll(fd, reply.data(), reply.size());
  return true;
}

}  // namespace

std::vector<std::uint8_t> ReplyBytes(std::uint32_t result, std::uint16_t dataLength) {
  std::vector<std::uint8_t> reply(kHead + dataLength + kTrailer, 0);
  reply[0] = 0x55;
  reply[1] = 0xAA;
  PutLe(reply, 18, dataLength, 2);
  if (dataLength >= 4) PutLe(reply, kHead, result, 4);
  reply[reply.size() - 2] = 0x0D;
  reply[reply.size() - 1] = 0x0A;
  return reply;
}

void Card::ReactAt(std::uint32_t index, Reaction reaction) {
  std::lock_guard lock(mutex_);
  reactions_[index] = reaction;
}

void Card::ReactAlways(Reaction reaction) {
  std::lock_guard lock(mutex_);
  always_ = reaction;
}

void Card::RespondWith(Responder responder) {
  std::lock_guard lock(mutex_);
  responder_ = std::move(responder);
}

void Card::Fail(std::string text) { errors_.push_back(std::move(text)); }

std::vector<std::uint8_t> Card::Receive(const std::uint8_t* data, std::size_t length,
                                        Reaction* reaction) {
  std::lock_guard lock(mutex_);
  if (length < kHead + kTrailer) {
    Fail("frame of " + std::to_string(length) + " bytes");
    return {};
  }
  Frame frame{data[4],          static_cast<std::uint16_t>(Le(data + 6, 2)),  Le(data + 10, 4),
              Le(data + 14, 4), static_cast<std::uint16_t>(Le(data + 18, 2)), length};
  frames_.push_back(frame);
  const std::string at = " at chunk " + std::to_string(frame.index);
  if (Le(data, 4) != 0x0000AA55) Fail("magic" + at);
  if (frame.card != address_) Fail("card address" + at);
  if (data[5] != 0x01) Fail("byte 5" + at);
  if (data[8] != 0 || data[9] != 0) Fail("bytes 8-9" + at);
  bool known = false;
  for (std::uint16_t command : kCommands) known = known || command == frame.command;
  if (!known) Fail("command word" + at);
  if (length != frame.chunkLength + kHead + kTrailer) Fail("frame length" + at);
  const std::uint8_t* trailer = data + length - kTrailer;
  if (trailer[0] != 0 || trailer[1] != 0 || trailer[2] != 0x0D || trailer[3] != 0x0A) {
    Fail("trailer" + at);
  }
  // A transfer starts at chunk 0 (also again, after a failed attempt elsewhere).
  if (frame.index == 0) {
    assembling_.clear();
    expectedIndex_ = 0;
    total_ = frame.total;
  }
  if (frame.index != expectedIndex_) Fail("chunk order" + at);
  if (frame.total != total_) Fail("total length" + at);
  const std::uint64_t offset = std::uint64_t{frame.index} * kMaxChunk;
  const std::uint64_t left = total_ > offset ? total_ - offset : 0;
  const std::uint64_t expected = left < kMaxChunk ? left : kMaxChunk;
  if (frame.chunkLength != expected) Fail("chunk length" + at);
  if (length == frame.chunkLength + kHead + kTrailer) {
    assembling_.insert(assembling_.end(), data + kHead, data + kHead + frame.chunkLength);
  }
  expectedIndex_ = frame.index + 1;
  std::vector<std::uint8_t> answer;
  if (offset + expected >= total_ && assembling_.size() == total_) {
    payloads_.push_back(assembling_);
    if (responder_) answer = responder_(frame.command, assembling_);
  }

  const auto found = reactions_.find(frame.index);
  *reaction = found != reactions_.end() ? found->second : always_;
  switch (reaction->kind) {
    case Reaction::kShort: return ReplyBytes(0, 0);
    case Reaction::kOversized: return ReplyBytes(reaction->result, 100);
    case Reaction::kGarbage: return std::vector<std::uint8_t>(28, 0x5A);
    case Reaction::kSilence:
    case Reaction::kClose: return {};
    default: {
      std::vector<std::uint8_t> reply =
          ReplyBytes(reaction->result, static_cast<std::uint16_t>(4 + answer.size()));
      std::copy(answer.begin(), answer.end(), reply.begin() + kHead + 4);
      reply[4] = address_;
      reply[5] = 0x01;
      PutLe(reply, 6, frame.command, 2);
      PutLe(reply, 10, frame.index, 4);
      return reply;
    }
  }
}

std::vector<Frame> Card::Frames() const {
  std::lock_guard lock(mutex_);
  return frames_;
}

std::vector<std::vector<std::uint8_t>> Card::Payloads() const {
  std::lock_guard lock(mutex_);
  return payloads_;
}

std::vector<std::string> Card::Errors() const {
  std::lock_guard lock(mutex_);
  return errors_;
}

TcpCard::TcpCard(Card& card, std::uint16_t port) : card_(card) {
  for (int host = 2; host < 255 && fd_ < 0; ++host) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(0x7F000000u | static_cast<unsigned>(host));
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::listen(fd, 8) == 0) {
      fd_ = fd;
      address_ = "127.0.0." + std::to_string(host);
    } else {
      ::close(fd);
    }
  }
  if (fd_ >= 0) thread_ = std::thread([this] { Serve(); });
}

TcpCard::~TcpCard() {
  stop_.store(true);
  if (thread_.joinable()) thread_.join();
  if (fd_ >= 0) ::close(fd_);
}

void TcpCard::Serve() {
  while (!stop_.load()) {
    pollfd entry{fd_, POLLIN, 0};
    if (::poll(&entry, 1, kPollMs) <= 0) continue;
    const int connection = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    ServeConnection(connection);
    ::close(connection);
  }
}

void TcpCard::ServeConnection(int connection) {
  std::vector<std::uint8_t> frame;
  while (ReadStreamFrame(connection, frame, stop_)) {
    Reaction reaction;
    const std::vector<std::uint8_t> reply = card_.Receive(frame.data(), frame.size(), &reaction);
    if (!AnswerOnStream(connection, reply, reaction)) return;
  }
}

UdpCard::UdpCard(Card& card, int socket) : card_(card), fd_(socket) {
  thread_ = std::thread([this] { Serve(); });
}

UdpCard::~UdpCard() {
  stop_.store(true);
  thread_.join();
  ::close(fd_);
}

void UdpCard::Serve() {
  std::vector<std::uint8_t> datagram(70000);
  while (!stop_.load()) {
    pollfd entry{fd_, POLLIN, 0};
    if (::poll(&entry, 1, kPollMs) <= 0) continue;
    sockaddr_in sender{};
    socklen_t size = sizeof sender;
    const ssize_t got = ::recvfrom(fd_, datagram.data(), datagram.size(), 0,
                                   reinterpret_cast<sockaddr*>(&sender), &size);
    if (got <= 0) continue;
    Reaction reaction;
    const std::vector<std::uint8_t> reply =
        card_.Receive(datagram.data(), static_cast<std::size_t>(got), &reaction);
    if (reply.empty()) continue;
    Sleep(reaction.delayMs);
    ::sendto(fd_, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&sender), size);
  }
}

SerialCard::SerialCard(Card& card, int comNumber) : card_(card), comNumber_(comNumber) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
  slavePath_ = ::ptsname(master_);
  slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios line{};
  ::tcgetattr(slave_, &line);
  ::cfmakeraw(&line);  // nothing echoed before the host sets the line up
  ::tcsetattr(slave_, TCSANOW, &line);
  const std::string name = "CORVANIX_COM" + std::to_string(comNumber_);
  ::setenv(name.c_str(), slavePath_.c_str(), 1);
  thread_ = std::thread([this] { Serve(); });
}

SerialCard::~SerialCard() {
  stop_.store(true);
  if (thread_.joinable()) thread_.join();
  const std::string name = "CORVANIX_COM" + std::to_string(comNumber_);
  ::unsetenv(name.c_str());
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
}

bool SerialCard::LineIsRaw8N1() const {
  termios line{};
  if (::tcgetattr(master_, &line) != 0) return false;
  const bool eightN1 = (line.c_cflag & CSIZE) == CS8 && !(line.c_cflag & (PARENB | CSTOPB));
  const bool raw = !(line.c_iflag & (ICRNL | IXON | IXOFF | INLCR | IGNCR)) &&
                   !(line.c_oflag & OPOST) && !(line.c_lflag & (ICANON | ECHO | ISIG));
  return eightN1 && raw;
}

unsigned SerialCard::LineSpeed() const {
  termios line{};
  if (::tcgetattr(master_, &line) != 0) return 0;
  return static_cast<unsigned>(::cfgetospeed(&line));
}

void SerialCard::Inject(const std::vector<std::uint8_t>& bytes) {
  WriteAll(master_, bytes.data(), bytes.size());
}

void SerialCard::Serve() {
  std::vector<std::uint8_t> frame;
  while (!stop_.load()) {
    if (!ReadStreamFrame(master_, frame, stop_)) continue;
    Reaction reaction;
    const std::vector<std::uint8_t> reply = card_.Receive(frame.data(), frame.size(), &reaction);
    AnswerOnStream(master_, reply, reaction);
  }
}

}  // namespace emu

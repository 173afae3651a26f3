#include "tests/support/search_card.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "tests/support/card_emulator.h"

namespace emu {
namespace {

// The search frame byte for byte: head with card 1, read command, chunk 0 of 8
// bytes, the read request of the search mask, trailer.
constexpr std::uint8_t kSearchFrame[32] = {
    0x55, 0xAA, 0x00, 0x00, 0x01, 0x01, 0x00, 0xA3, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00,
    0x00, 0x00, 0x08, 0x00, 0xBF, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0D, 0x0A};
constexpr int kPollMs = 20;

}  // namespace

std::vector<std::uint8_t> SearchReply(const CardState& state, std::uint32_t result) {
  const std::vector<std::uint8_t> sections = ReadReplySections(state, kSearchMask);
  std::vector<std::uint8_t> reply =
      ReplyBytes(result, static_cast<std::uint16_t>(4 + sections.size()));
  std::copy(sections.begin(), sections.end(), reply.begin() + 24);
  return reply;
}

SearchCard::SearchCard(int socket, std::vector<SearchAnswer> answers)
    : fd_(socket), answers_(std::move(answers)) {
  thread_ = std::thread([this] { Serve(); });
}

SearchCard::~SearchCard() {
  stop_.store(true);
  thread_.join();
  ::close(fd_);
}

std::vector<std::string> SearchCard::Errors() const {
  std::lock_guard lock(mutex_);
  return errors_;
}

void SearchCard::Check(const std::uint8_t* data, long length) {
  const bool exact =
      length == sizeof kSearchFrame && std::equal(data, data + length, std::begin(kSearchFrame));
  if (exact) return;
  std::lock_guard lock(mutex_);
  errors_.push_back("not the search frame: " + std::to_string(length) + " bytes");
}

void SearchCard::Serve() {
  std::uint8_t datagram[2048];
  while (!stop_.load()) {
    pollfd entry{fd_, POLLIN, 0};
    if (::poll(&entry, 1, kPollMs) <= 0) continue;
    sockaddr_in sender{};
    socklen_t size = sizeof sender;
    const ssize_t got =
        ::recvfrom(fd_, datagram, sizeof datagram, 0, reinterpret_cast<sockaddr*>(&sender), &size);
    if (got <= 0) continue;
    Check(datagram, got);
    answering_.store(true);
    ++searches_;
    sockaddr_in broadcast = sender;
    broadcast.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    for (const SearchAnswer& answer : answers_) {
      const sockaddr_in& to = answer.broadcast ? broadcast : sender;
      for (int copy = 0; copy < answer.copies && !stop_.load(); ++copy) {
        std::this_thread::sleep_for(std::chrono::milliseconds(answer.pauseMs));
        ::sendto(fd_, answer.bytes.data(), answer.bytes.size(), 0,
                 reinterpret_cast<const sockaddr*>(&to), sizeof to);
      }
    }
    answering_.store(false);
  }
}

}  // namespace emu

#pragma once
// A card that answers the search broadcast: on every search frame it receives it
// sends its scripted datagrams, each to the searching computer or by broadcast, so
// tests can mix real replies with junk, truncated replies and floods.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/card_settings_codec.h"

namespace emu {

// The read mask of the search: bit 0x001 and every read section.
constexpr std::uint16_t kSearchMask = 0x03BF;

// A whole search reply: head, the result word, the sections of the search mask from
// state, trailer.
std::vector<std::uint8_t> SearchReply(const CardState& state, std::uint32_t result = 1);

struct SearchAnswer {
  std::vector<std::uint8_t> bytes;
  bool broadcast = false;  // to 255.255.255.255 at the searcher's port, else to it
  int copies = 1;
  int pauseMs = 0;  // before each copy
};

class SearchCard {
 public:
  // Serves an open, bound datagram socket (taken over and closed).
  SearchCard(int socket, std::vector<SearchAnswer> answers);
  ~SearchCard();
  SearchCard(const SearchCard&) = delete;
  SearchCard& operator=(const SearchCard&) = delete;

  int Searches() const { return searches_.load(); }
  // True while the answers to a search are still going out.
  bool Answering() const { return answering_.load(); }
  std::vector<std::string> Errors() const;

 private:
  void Serve();
  void Check(const std::uint8_t* data, long length);

  int fd_;
  std::vector<SearchAnswer> answers_;
  std::atomic<int> searches_{0};
  std::atomic<bool> answering_{false};
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> errors_;
  std::thread thread_;
};

}  // namespace emu

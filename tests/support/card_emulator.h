#pragma once
// A controller card for the tests: it decodes every frame with its own codec, checks
// each field and the order of the chunks, reassembles payloads, and answers as it is
// told (acknowledgement, card error, short, garbage, oversized or split reply, delay,
// silence, closed connection). Transports: TCP on a loopback address, UDP on a socket
// the test opens (inside a network namespace), a pseudo-terminal, and a folder.

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace emu {

// One decoded frame as it arrived.
struct Frame {
  std::uint8_t card = 0;
  std::uint16_t command = 0;
  std::uint32_t index = 0;
  std::uint32_t total = 0;
  std::uint16_t chunkLength = 0;
  std::size_t frameBytes = 0;
};

// How the card answers one chunk.
struct Reaction {
  enum Kind { kAck, kShort, kGarbage, kOversized, kSplit, kSilence, kClose };
  Kind kind = kAck;
  std::uint32_t result = 0;  // the result word of an acknowledgement
  int delayMs = 0;           // wait before answering (split: between the two parts)
};

// The card's codec and memory, shared by every transport.
class Card {
 public:
  explicit Card(std::uint8_t address = 1) : address_(address) {}

  // Answers chunk `index` (of every command) this way; others get kAck, result 0.
  void ReactAt(std::uint32_t index, Reaction reaction);
  // Answers every chunk this way unless ReactAt says otherwise.
  void ReactAlways(Reaction reaction);
  // Bytes the acknowledgement of a completed payload carries after its result word.
  using Responder = std::function<std::vector<std::uint8_t>(
      std::uint16_t command, const std::vector<std::uint8_t>& payload)>;
  void RespondWith(Responder responder);

  // Checks and records a frame; returns the reply to send (empty for none).
  std::vector<std::uint8_t> Receive(const std::uint8_t* data, std::size_t length,
                                    Reaction* reaction);

  std::vector<Frame> Frames() const;
  std::vector<std::vector<std::uint8_t>> Payloads() const;  // completed, in order
  std::vector<std::string> Errors() const;                  // field checks that failed

 private:
  void Fail(std::string text);

  const std::uint8_t address_;
  mutable std::mutex mutex_;
  std::map<std::uint32_t, Reaction> reactions_;
  Reaction always_;
  Responder responder_;
  std::vector<Frame> frames_;
  std::vector<std::vector<std::uint8_t>> payloads_;
  std::vector<std::uint8_t> assembling_;
  std::uint32_t expectedIndex_ = 0;
  std::uint32_t total_ = 0;
  std::vector<std::string> errors_;
};

// Serves a card over TCP on 127.0.0.x (the first x from 2 on that is free here).
class TcpCard {
 public:
  explicit TcpCard(Card& card, std::uint16_t port = 10000);
  ~TcpCard();
  std::string Address() const { return address_; }
  bool Listening() const { return fd_ >= 0; }

 private:
  void Serve();
  void ServeConnection(int connection);

  Card& card_;
  int fd_ = -1;
  std::string address_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Serves a card over UDP on an open, bound datagram socket (taken over and closed).
// Replies go back to the sender.
class UdpCard {
 public:
  UdpCard(Card& card, int socket);
  ~UdpCard();

 private:
  void Serve();
  Card& card_;
  int fd_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Serves a card on a pseudo-terminal whose other end is COM comNumber (through
// CORVANIX_COM<n> for the life of the object).
class SerialCard {
 public:
  SerialCard(Card& card, int comNumber);
  ~SerialCard();
  bool Ready() const { return master_ >= 0; }
  std::string DevicePath() const { return slavePath_; }
  // The line settings the other end put on the terminal (speed, raw 8N1).
  bool LineIsRaw8N1() const;
  unsigned LineSpeed() const;
  // Writes bytes towards the host now (garbage before a frame, for instance).
  void Inject(const std::vector<std::uint8_t>& bytes);

 private:
  void Serve();
  Card& card_;
  int master_ = -1;
  int slave_ = -1;  // kept open so the terminal lives between the host's opens
  int comNumber_;
  std::string slavePath_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Builds a reply head with d data bytes: magic, then zeros, d at 18-19.
std::vector<std::uint8_t> ReplyBytes(std::uint32_t result, std::uint16_t dataLength);

}  // namespace emu

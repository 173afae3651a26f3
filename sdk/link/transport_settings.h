#pragma once
// Ports, time-outs and the broadcast target of the transports. The defaults are the
// cards' fixed values; tests change them through ScopedTransportSettings (an internal
// hook, not exported by the library).

#include <cstdint>

struct TransportSettings {
  std::uint16_t tcpPort = 10000;
  int tcpTimeoutMs = 2000;  // connect, and each send and reply
  std::uint16_t udpPort = 9999;
  std::uint32_t broadcastTarget = 0xFFFFFFFFu;  // IPv4, host byte order
  int udpTimeoutMs = 2000;                      // each reply
  int serialStageMs = 1000;                     // each stage of a serial reply
  int searchQuietMs = 2000;                     // a search leaves an interface after this silence
  int searchLimitMs = 10000;                    // and after this long in any case
  int searchMaxReplies = 1024;                  // the most replies one search takes
};

// The settings in force; read once when a call starts.
TransportSettings CurrentTransportSettings();

// Puts other settings in force for its lifetime (tests only).
class ScopedTransportSettings {
 public:
  explicit ScopedTransportSettings(const TransportSettings& settings);
  ~ScopedTransportSettings();
  ScopedTransportSettings(const ScopedTransportSettings&) = delete;
  ScopedTransportSettings& operator=(const ScopedTransportSettings&) = delete;

 private:
  TransportSettings previous_;
};

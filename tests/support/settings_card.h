#pragma once
// A card that keeps its settings: every settings (0xC100) and communication (0xCA00)
// payload is decoded and applied to its state, a read (0xA300) is answered from that
// state, and the decoded commands are kept in order. It answers through the Card it
// is given (with the result word 1, success, unless the test says otherwise).

#include <mutex>
#include <vector>

#include "tests/support/card_emulator.h"
#include "tests/support/card_settings_codec.h"

namespace emu {

class SettingsCard {
 public:
  SettingsCard(Card& card, const CardState& state);

  CardState State() const;
  // The last scan table the card received; empty before any.
  std::vector<std::uint8_t> ScanTable() const;
  std::vector<SettingsCommand> SettingsCommands() const;
  std::vector<CommunicationCommand> CommunicationCommands() const;
  // Masks of the reads, in order.
  std::vector<std::uint16_t> ReadMasks() const;
  // Payloads the codec refused, with what was wrong.
  std::vector<std::string> Errors() const;

 private:
  std::vector<std::uint8_t> Respond(std::uint16_t command,
                                    const std::vector<std::uint8_t>& payload);
  void Apply(const SettingsCommand& settings);
  void Apply(const CommunicationCommand& communication);

  mutable std::mutex mutex_;
  CardState state_;
  std::vector<std::uint8_t> scanTable_;
  std::vector<SettingsCommand> settings_;
  std::vector<CommunicationCommand> communications_;
  std::vector<std::uint16_t> reads_;
  std::vector<std::string> errors_;
};

}  // namespace emu

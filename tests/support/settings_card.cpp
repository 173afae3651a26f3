#include "tests/support/settings_card.h"

#include <string>

namespace emu {
namespace {

constexpr std::uint16_t kSettingsCommand = 0xC100;
constexpr std::uint16_t kReadCommand = 0xA300;
constexpr std::uint16_t kCommunicationCommand = 0xCA00;
constexpr std::uint32_t kSuccess = 1;

// The parts of a dotted text ("192.168.1.2", or hexadecimal "00-1A-...") into bytes.
void PutDotted(const std::string& text, std::uint8_t* bytes, int parts, bool hex) {
  std::size_t at = 0;
  for (int i = 0; i < parts && at <= text.size(); ++i) {
    const std::size_t end = text.find(hex ? '-' : '.', at);
    const std::string part =
        text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    bytes[i] = static_cast<std::uint8_t>(std::stoi(part, nullptr, hex ? 16 : 10));
    if (end == std::string::npos) break;
    at = end + 1;
  }
}

}  // namespace

SettingsCard::SettingsCard(Card& card, const CardState& state) : state_(state) {
  card.ReactAlways({Reaction::kAck, kSuccess});
  card.RespondWith([this](std::uint16_t command, const std::vector<std::uint8_t>& payload) {
    return Respond(command, payload);
  });
}

std::vector<std::uint8_t> SettingsCard::Respond(std::uint16_t command,
                                                const std::vector<std::uint8_t>& payload) {
  const std::lock_guard<std::mutex> lock(mutex_);
  std::string problem;
  if (command == kReadCommand) {
    std::uint16_t mask = 0;
    problem = DecodeReadRequest(payload, mask);
    if (problem.empty()) {
      reads_.push_back(mask);
      return ReadReplySections(state_, mask);
    }
  } else if (command == kSettingsCommand) {
    SettingsCommand settings;
    problem = DecodeSettingsCommand(payload, settings);
    if (problem.empty()) Apply(settings);
  } else if (command == kCommunicationCommand) {
    CommunicationCommand communication;
    problem = DecodeCommunicationCommand(payload, communication);
    if (problem.empty()) Apply(communication);
  }
  if (!problem.empty()) errors_.push_back(problem);
  return {};
}

void SettingsCard::Apply(const SettingsCommand& c) {
  settings_.push_back(c);
  if (c.mask & 0x001) {
    state_.width = c.width;
    state_.height = c.height;
    state_.colorType = c.colorType;
  }
  if (c.mask & 0x002) {
    for (int i = 0; i < 4; ++i) state_.oeDa[i] = static_cast<std::uint8_t>(c.oeDa[i]);
  }
  if (c.mask & 0x004) {
    const int places[5] = {0, 1, 2, 6, 7};
    for (int i = 0; i < 5; ++i) state_.scan[places[i]] = static_cast<std::uint8_t>(c.scan[i]);
  }
  if (c.mask & 0x008) scanTable_ = c.scanTable;
}

void SettingsCard::Apply(const CommunicationCommand& c) {
  communications_.push_back(c);
  if (c.mask & 0x01) {
    PutDotted(c.newIp, state_.ip, 4, false);
    PutDotted(c.newSubnet, state_.subnet, 4, false);
    PutDotted(c.newGateway, state_.gateway, 4, false);
    PutDotted(c.newMac, state_.mac, 6, true);
  }
  if (c.mask & 0x02) {
    state_.netValue1 = c.netValue1;
    state_.netValue2 = c.netValue2;
  }
  if (c.mask & 0x04) {
    PutDotted(c.serverIp, state_.serverIp, 4, false);
    state_.serverPort = c.serverPort;
    state_.serverByte6 = c.serverByte6;
    state_.serverByte8 = c.serverByte8;
    state_.serverByte9 = c.serverByte9;
  }
  if (c.mask & 0x08) {
    state_.baudCode = c.baudCode;
    state_.serialByte1 = c.serialByte1;
    state_.serialByte2 = c.serialByte2;
  }
}

CardState SettingsCard::State() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return state_;
}

std::vector<std::uint8_t> SettingsCard::ScanTable() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return scanTable_;
}

std::vector<SettingsCommand> SettingsCard::SettingsCommands() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return settings_;
}

std::vector<CommunicationCommand> SettingsCard::CommunicationCommands() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return communications_;
}

std::vector<std::uint16_t> SettingsCard::ReadMasks() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return reads_;
}

std::vector<std::string> SettingsCard::Errors() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return errors_;
}

}  // namespace emu

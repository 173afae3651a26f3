#pragma once
// The card's side of the settings (0xC100), read (0xA300) and communication (0xCA00)
// commands: decodes their payloads section by section with its own tables, and
// builds read replies from a card state.

#include <cstdint>
#include <string>
#include <vector>

namespace emu {

struct CardTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  bool operator==(const CardTime&) const = default;
};

// A settings payload as the card reads it; fields of absent sections stay zero.
struct SettingsCommand {
  std::uint16_t mask = 0;
  int width = 0, height = 0, colorType = 0;
  int oeDa[4] = {};
  int scan[5] = {};  // scan bytes 0, 1, 2, 6, 7
  std::vector<std::uint8_t> scanTable;
  CardTime time;
  int power = 0;
  int powerEnable = 0;
  CardTime powerOn[3], powerOff[3];
  bool brightnessSchedule = false;
  int brightness = 0;  // fixed level
  int brightnessEnable = 0;
  CardTime brightnessStart[3], brightnessEnd[3];
  int brightnessLevel[3] = {};
  int lockOn = 0;
  CardTime lockPresent, lockAt;
  int language = 0;
  int test = 0;
  int logo[2] = {};
};

// A communication payload as the card reads it; addresses as text.
struct CommunicationCommand {
  std::uint16_t mask = 0;
  std::string ip, gateway, subnet, mac, newIp, newGateway, newSubnet, newMac;
  int netValue1 = 0, netValue2 = 0;
  std::string serverIp;
  int serverPort = 0, serverByte6 = 0, serverByte8 = 0, serverByte9 = 0;
  int baudCode = 0, serialByte1 = 0, serialByte2 = 0;
};

// Each decoder returns an empty text, or what is wrong with the payload (length,
// bytes that must be zero).
std::string DecodeSettingsCommand(const std::vector<std::uint8_t>& payload, SettingsCommand& out);
std::string DecodeReadRequest(const std::vector<std::uint8_t>& payload, std::uint16_t& mask);
std::string DecodeCommunicationCommand(const std::vector<std::uint8_t>& payload,
                                       CommunicationCommand& out);

// What the card answers a read with.
struct CardState {
  std::uint8_t name[16] = {};  // in the card's code page
  int baudCode = 0, serialByte1 = 0, serialByte2 = 0;
  int width = 0, height = 0, colorType = 0;
  std::uint8_t oeDa[4] = {};
  std::uint8_t scan[8] = {};
  std::uint8_t ip[4] = {}, subnet[4] = {}, gateway[4] = {}, mac[6] = {};
  int netValue1 = 0, netValue2 = 0;
  std::uint8_t serverIp[4] = {};
  int serverPort = 0, serverByte6 = 0, serverByte8 = 0, serverByte9 = 0;
};

// The sections of a read reply for mask, in ascending bit order (after the result).
std::vector<std::uint8_t> ReadReplySections(const CardState& state, std::uint16_t mask);

}  // namespace emu

#include "tests/support/card_settings_codec.h"

#include <cstdio>

namespace emu {
namespace {

// Reads a payload front to back; a read past the end marks it short.
class Reader {
 public:
  explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
  int U8() {
    if (at_ >= bytes_.size()) {
      short_ = true;
      return 0;
    }
    return bytes_[at_++];
  }
  int U16() {
    const int low = U8();
    return low | U8() << 8;
  }
  CardTime Time() {
    CardTime t;
    t.year = U16();
    t.month = U8();
    t.day = U8();
    t.hour = U8();
    t.minute = U8();
    t.second = U8();
    return t;
  }
  // Skips count bytes that must be zero; notes the first that is not.
  void Zeros(std::size_t count, const char* where) {
    for (std::size_t i = 0; i < count; ++i) {
      if (U8() != 0 && problem_.empty()) problem_ = std::string("non-zero byte in ") + where;
    }
  }
  std::string Dotted(int parts, const char* format, char separator) {
    std::string text;
    for (int i = 0; i < parts; ++i) {
      char part[8];
      std::snprintf(part, sizeof part, format, U8());
      if (i > 0) text += separator;
      text += part;
    }
    return text;
  }
  std::uint16_t Head() {
    const auto mask = static_cast<std::uint16_t>(U16());
    Zeros(6, "head");
    return mask;
  }
  std::string Finish() {
    if (short_) return "payload shorter than its sections";
    if (at_ != bytes_.size()) return "payload longer than its sections";
    return problem_;
  }

 private:
  const std::vector<std::uint8_t>& bytes_;
  std::size_t at_ = 0;
  bool short_ = false;
  std::string problem_;
};

void ReadSettingsSection(Reader& in, int bit, SettingsCommand& c) {
  switch (bit) {
    case 0x001:
      c.width = in.U16();
      c.height = in.U16();
      c.colorType = in.U8();
      in.Zeros(2, "basic");
      break;
    case 0x002:
      for (int& value : c.oeDa) value = in.U8();
      in.Zeros(12, "OE/DA");
      break;
    case 0x004:
      for (int i = 0; i < 3; ++i) c.scan[i] = in.U8();
      in.Zeros(3, "scan");
      c.scan[3] = in.U8();
      c.scan[4] = in.U8();
      break;
    case 0x008:
      for (int i = 0; i < 256; ++i) c.scanTable.push_back(static_cast<std::uint8_t>(in.U8()));
      break;
    case 0x010: c.time = in.Time(); break;
    case 0x020:
      c.power = in.U8();
      in.Zeros(2, "power");
      break;
    case 0x040:
      c.powerEnable = in.U8();
      for (int i = 0; i < 3; ++i) {
        c.powerOn[i] = in.Time();
        c.powerOff[i] = in.Time();
      }
      break;
    case 0x080: {
      const int first = in.U8();
      if (first != 0xAA) {
        c.brightness = first;
        in.Zeros(47, "brightness");
        break;
      }
      c.brightnessSchedule = true;
      in.Zeros(1, "brightness schedule");
      c.brightnessEnable = in.U8();
      for (int i = 0; i < 3; ++i) {
        c.brightnessStart[i] = in.Time();
        c.brightnessEnd[i] = in.Time();
        c.brightnessLevel[i] = in.U8();
      }
      break;
    }
    case 0x100:
      c.lockOn = in.U8();
      c.lockPresent = in.Time();
      c.lockAt = in.Time();
      break;
    case 0x200:
      c.language = in.U8();
      in.Zeros(3, "language");
      break;
    case 0x400: c.test = in.U8(); break;
    case 0x800:
      c.logo[0] = in.U8();
      c.logo[1] = in.U8();
      in.Zeros(2, "logo");
      break;
    default: break;
  }
}

void Put(std::vector<std::uint8_t>& out, std::initializer_list<int> bytes) {
  for (int b : bytes) out.push_back(static_cast<std::uint8_t>(b));
}

void Put(std::vector<std::uint8_t>& out, const std::uint8_t* bytes, std::size_t count) {
  out.insert(out.end(), bytes, bytes + count);
}

}  // namespace

std::string DecodeSettingsCommand(const std::vector<std::uint8_t>& payload, SettingsCommand& out) {
  Reader in(payload);
  out.mask = in.Head();
  if (out.mask & 0xF000) return "mask bits without a section";
  for (int bit = 0x001; bit <= 0x800; bit <<= 1) {
    if (out.mask & bit) ReadSettingsSection(in, bit, out);
  }
  return in.Finish();
}

std::string DecodeReadRequest(const std::vector<std::uint8_t>& payload, std::uint16_t& mask) {
  Reader in(payload);
  mask = in.Head();
  if (!(mask & 0x001)) return "read mask without bit 0x001";
  return in.Finish();
}

std::string DecodeCommunicationCommand(const std::vector<std::uint8_t>& payload,
                                       CommunicationCommand& c) {
  Reader in(payload);
  c.mask = in.Head();
  if (c.mask & 0xFFF0) return "mask bits without a section";
  if (c.mask & 0x01) {
    for (std::string* field :
         {&c.ip, &c.gateway, &c.subnet, &c.mac, &c.newIp, &c.newGateway, &c.newSubnet, &c.newMac}) {
      const bool mac = field == &c.mac || field == &c.newMac;
      *field = mac ? in.Dotted(6, "%02X", '-') : in.Dotted(4, "%d", '.');
    }
  }
  if (c.mask & 0x02) {
    c.netValue1 = in.U16();
    c.netValue2 = in.U16();
  }
  if (c.mask & 0x04) {
    c.serverIp = in.Dotted(4, "%d", '.');
    c.serverPort = in.U16();
    c.serverByte6 = in.U8();
    in.Zeros(1, "server");
    c.serverByte8 = in.U8();
    c.serverByte9 = in.U8();
  }
  if (c.mask & 0x08) {
    c.baudCode = in.U8();
    c.serialByte1 = in.U8();
    c.serialByte2 = in.U8();
    in.Zeros(1, "serial");
  }
  return in.Finish();
}

std::vector<std::uint8_t> ReadReplySections(const CardState& s, std::uint16_t mask) {
  std::vector<std::uint8_t> out;
  if (mask & 0x002) Put(out, s.name, 16);
  if (mask & 0x004) Put(out, {s.baudCode, s.serialByte1, s.serialByte2, 0x77});
  if (mask & 0x008) {
    Put(out,
        {s.width & 0xFF, s.width >> 8, s.height & 0xFF, s.height >> 8, s.colorType, 0x77, 0x77});
  }
  if (mask & 0x010) {
    Put(out, s.oeDa, 4);
    out.insert(out.end(), 12, 0x77);
  }
  if (mask & 0x020) Put(out, s.scan, 8);
  if (mask & 0x080) {
    for (const std::uint8_t* address : {s.ip, s.subnet, s.gateway}) Put(out, address, 4);
    Put(out, s.mac, 6);
  }
  if (mask & 0x100) {
    Put(out, {s.netValue1 & 0xFF, s.netValue1 >> 8, s.netValue2 & 0xFF, s.netValue2 >> 8});
  }
  if (mask & 0x200) {
    Put(out, s.serverIp, 4);
    Put(out, {s.serverPort & 0xFF, s.serverPort >> 8, s.serverByte6, 0x77, s.serverByte8,
              s.serverByte9});
  }
  return out;
}

}  // namespace emu

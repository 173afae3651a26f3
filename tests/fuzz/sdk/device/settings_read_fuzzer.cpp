// Feeds arbitrary bytes to the settings-read reply walk: the first two bytes are
// the record's section mask, the rest the reply. The walk either refuses the reply
// or fills the record without reading outside it.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sdk/device/settings_payload.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint16_t mask = ReadRequestMask(data[0] | (data[1] << 8));
  // A copy of exactly the reply's length, so a read past it is caught.
  const std::vector<std::uint8_t> reply(data + 2, data + size);
  LedSettingInfo record{};
  FillFromReadReply(reply.data(), reply.size(), mask, record);
  return 0;
}

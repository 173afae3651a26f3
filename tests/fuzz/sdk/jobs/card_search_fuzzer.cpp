// Feeds arbitrary datagrams to the card search's reply parser: each is either
// refused or turned into a record without reading outside it.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sdk/jobs/card_search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> reply(data, data + size);  // exact size
  LedSettingInfo record;
  ParseSearchReply(reply.data(), reply.size(), record);
  return 0;
}

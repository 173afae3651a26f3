#include "model/project/content_size.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

int Side(std::int64_t first, std::int64_t last, std::int64_t border) {
  return static_cast<int>(
      std::clamp<std::int64_t>(last - first - 2 * border, 1, std::numeric_limits<int>::max()));
}

}  // namespace

ContentSize AreaContentSize(const AreaRecord& area) {
  const std::int64_t border = area.IsUseBorder != 0 ? area.BorderWidth : 0;
  return {Side(area.AreaRect_Left, area.AreaRect_Right, border),
          Side(area.AreaRect_Top, area.AreaRect_Bottom, border)};
}

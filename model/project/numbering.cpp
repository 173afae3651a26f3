#include "model/project/numbering.h"

#include <algorithm>
#include <limits>
#include <set>

#include "model/project/project_globals.h"

namespace {

std::int32_t SmallestUnused(const std::vector<std::int32_t>& used) {
  const std::set<std::int32_t> taken(used.begin(), used.end());
  std::int32_t number = 1;
  while (taken.contains(number)) ++number;
  return number;
}

}  // namespace

std::int32_t NextFreeNumber(const std::vector<std::int32_t>& used, std::int32_t floor) {
  std::int32_t highest = floor;
  for (std::int32_t number : used) highest = std::max(highest, number);
  if (highest == std::numeric_limits<std::int32_t>::max()) return SmallestUnused(used);
  return highest + 1;
}

std::int32_t NextScreenNo() {
  std::vector<std::int32_t> used;
  for (const ScreenRecord& screen : ScreenList) used.push_back(screen.LedNo);
  return NextFreeNumber(used, 1);
}

std::int32_t NextProgramNo(const ScreenRecord& screen) {
  return static_cast<std::int32_t>(screen.Programs.size()) + 1;
}

std::int32_t NextAreaNo(const ProgramRecord& program) {
  std::vector<std::int32_t> used;
  for (const auto& area : program.Areas) used.push_back(area->AreaNo);
  return NextFreeNumber(used, 0);
}

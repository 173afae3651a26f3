#include "app/builder/send_checks.h"

#include <algorithm>
#include <variant>
#include <vector>

namespace {

// Whether the rectangles share a pixel; an empty or inverted rectangle shares none.
bool Overlap(const AreaRecord& a, const AreaRecord& b) {
  return std::max(a.AreaRect_Left, b.AreaRect_Left) <
             std::min(a.AreaRect_Right, b.AreaRect_Right) &&
         std::max(a.AreaRect_Top, b.AreaRect_Top) < std::min(a.AreaRect_Bottom, b.AreaRect_Bottom);
}

template <typename Item>
bool NoItems(const AreaKindRecord& kind) {
  const auto* items = std::get_if<std::vector<Item>>(&kind);
  return !items || items->empty();
}

// An image-text, flash-word or files area without pages, words or files.
bool LacksItems(const AreaRecord& area) {
  switch (area.AreaType) {
    case kImageTextArea: {
      const auto* pages = ImageTextPages(area.Kind);
      return !pages || pages->empty();
    }
    case kFlashWordArea: return NoItems<FlashWordItem>(area.Kind);
    case kFilesArea: return NoItems<FileAreaItem>(area.Kind);
    default: return false;
  }
}

std::int32_t CheckProgram(const ProgramSendItem& item) {
  const std::vector<AreaRecord*>& areas = item.Areas;
  if (areas.empty()) return kSendCheckEmptyProgram;
  for (auto a = areas.begin(); a != areas.end(); ++a) {
    if (std::any_of(a + 1, areas.end(), [&](const AreaRecord* b) { return Overlap(**a, *b); })) {
      return kSendCheckOverlap;
    }
    if (LacksItems(**a)) return kSendCheckNoItems;
  }
  return kSendCheckOk;
}

}  // namespace

std::int32_t CheckProgramsBeforeSend(const ScreenSendJob& job) {
  if (job.Programs.empty()) return kSendCheckNoProgram;
  for (const ProgramSendItem& item : job.Programs) {
    if (const std::int32_t result = CheckProgram(item); result != kSendCheckOk) return result;
  }
  return kSendCheckOk;
}

int SendCheckTextKey(std::int32_t check) {
  switch (check) {
    case kSendCheckOverlap: return 1063;
    case kSendCheckNoItems: return 1064;
    case kSendCheckNoProgram: return 1065;
    default: return 1066;
  }
}

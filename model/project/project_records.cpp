#include "model/project/project_records.h"

AreaKindRecord MakeKindRecord(std::int32_t areaType) {
  switch (areaType) {
    case kSingleLineArea: return SingleLineAreaInfo{};
    case kImageTextArea: return std::vector<FileItem>{};
    case kFlashWordArea: return std::vector<FlashWordItem>{};
    case kDigitalClockArea: return DigitalClockAreaInfo{};
    case kAnalogClockArea: return ClockAreaInfo{};
    case kCountdownArea: return TimeAreaInfo{};
    case kFilesArea: return std::vector<FileAreaItem>{};
    default: return std::monostate{};
  }
}

std::vector<FileItem>* ImageTextPages(AreaKindRecord& kind) {
  if (auto* pages = std::get_if<std::vector<FileItem>>(&kind)) return pages;
  if (auto* borrowed = std::get_if<BorrowedPages>(&kind)) return borrowed->pages;
  return nullptr;
}

const std::vector<FileItem>* ImageTextPages(const AreaKindRecord& kind) {
  if (const auto* pages = std::get_if<std::vector<FileItem>>(&kind)) return pages;
  if (const auto* borrowed = std::get_if<BorrowedPages>(&kind)) return borrowed->pages;
  return nullptr;
}

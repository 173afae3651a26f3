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

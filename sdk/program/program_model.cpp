// The program-model exports: program sets, their programs, areas and pages.
// None throws; running out of memory gives KQ_ERR_FILE (or a null handle) and
// leaves the set as it was.

#include <cstdint>
#include <memory>
#include <new>
#include <utility>

#include "model/common/file_system.h"
#include "render/raster/pixel_rect.h"
#include "sdk/Corvanix.h"
#include "sdk/api/guarded_call.h"
#include "sdk/program/page_file_kind.h"
#include "sdk/program/program_handles.h"
#include "sdk/program/program_set.h"

namespace {

// Runs change on the live set of handle under the set's lock.
template <class Change>
[[nodiscard]] int WithSet(ProgramHandle handle, Change&& change) {
  const std::shared_ptr<ProgramSet> set = FindProgramSet(handle);
  if (!set) return KQ_ERR_BAD_HANDLE;
  std::lock_guard guard(set->Lock);
  return Guarded([&] { return std::forward<Change>(change)(*set); });
}

ProgramEntry* FindProgram(ProgramSet& set, int32_t number) {
  for (ProgramEntry& program : set.Programs) {
    if (program.Number == number) return &program;
  }
  return nullptr;
}

// Two stored rectangles meet when they intersect with right and bottom taken as
// exclusive edges, so areas that share only their last column or row pass.
bool Meet(const CardRect& a, const CardRect& b) {
  const auto edges = [](const CardRect& r) {
    return PixelRect{r.left, r.top, r.right, r.bottom};
  };
  return !edges(a).Intersected(edges(b)).IsEmpty();
}

// The first area in insertion order that refuses the new one decides: a number
// in use (-14) or, when overlapLayer is given, a non-border area of that layer
// that meets the rectangle (-11).
[[nodiscard]] int CheckPlacement(const ProgramEntry& program, int32_t number, const CardRect& rect,
                   const int* overlapLayer) {
  for (const AreaEntry& area : program.Areas) {
    if (area.Number == number) return KQ_ERR_AREA_EXISTS;
    if (overlapLayer && area.Layer == *overlapLayer && area.Kind != AreaKind::WaterBorder &&
        Meet(area.Rect, rect)) {
      return KQ_ERR_AREA_OVERLAP;
    }
  }
  return KQ_OK;
}

// Appends an area of kind on layer with its settings copy; overlap tested on
// layer unless the area is a water border.
[[nodiscard]] int AddArea(ProgramHandle handle, int32_t program, int32_t area, const AreaRect* rect,
            AreaKind kind, int layer, AreaParams params) {
  return WithSet(handle, [&](ProgramSet& set) -> int {
    if (!rect) return KQ_ERR_MISSING_RECORD;
    CardRect bounds;
    if (!ToCardRect(*rect, bounds)) return KQ_ERR_BAD_SIZE;
    ProgramEntry* entry = FindProgram(set, program);
    if (!entry) return KQ_ERR_NO_PROGRAM;
    const bool testsOverlap = kind != AreaKind::WaterBorder;
    const int placement = CheckPlacement(*entry, area, bounds, testsOverlap ? &layer : nullptr);
    if (placement != KQ_OK) return placement;
    AreaEntry added;
    added.Number = area;
    added.Kind = kind;
    added.Layer = layer;
    added.Rect = bounds;
    added.Params = std::move(params);
    entry->Areas.push_back(std::move(added));
    set.Dirty = true;
    return KQ_OK;
  });
}

// Adds a clock-like area after refusing a null settings record.
template <class Info>
[[nodiscard]] int AddSettingsArea(ProgramHandle handle, int32_t program, int32_t area, const AreaRect* rect,
                    const Info* info, AreaKind kind) {
  if (!FindProgramSet(handle)) return KQ_ERR_BAD_HANDLE;
  if (!info) return KQ_ERR_MISSING_RECORD;
  Info copy = *info;
  if constexpr (requires { copy.Reserved1; }) {
    copy.Reserved1 = 0;
    copy.Reserved2 = 0;
  }
  return AddArea(handle, program, area, rect, kind, 1, copy);
}

}  // namespace

KQ_API ProgramHandle KQ_CreateProgram(int32_t width, int32_t height, int32_t colorType,
                                      int32_t headerMode) {
  if (width < 1 || height < 1 || width > kMaxCardValue || height > kMaxCardValue) return nullptr;
  if (colorType < 1 || colorType > 3) return nullptr;
  try {
    auto set = std::make_shared<ProgramSet>();
    set->Width = width;
    set->Height = height;
    set->ColorType = colorType;
    set->HeaderMode = headerMode;
    return RegisterProgramSet(std::move(set));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

KQ_API int32_t KQ_AddProgram(ProgramHandle handle, int32_t number, int32_t playTime,
                             int32_t loopCount) {
  return WithSet(handle, [&](ProgramSet& set) -> int {
    if (FindProgram(set, number)) return KQ_ERR_PROGRAM_EXISTS;
    ProgramEntry program;
    program.Number = number;
    program.PlayTime = playTime;
    program.LoopCount = loopCount;
    set.Programs.push_back(std::move(program));
    set.Dirty = true;
    return KQ_OK;
  });
}

KQ_API int32_t KQ_SetProgramTime(ProgramHandle handle, int32_t number,
                                 const ProgramTimeInfo* time) {
  return WithSet(handle, [&](ProgramSet& set) -> int {
    if (!time) return KQ_ERR_MISSING_RECORD;
    ProgramEntry* program = FindProgram(set, number);
    if (!program) return KQ_ERR_NO_PROGRAM;
    program->Time = *time;
    set.Dirty = true;  // the next generation must carry the new schedule
    return KQ_OK;
  });
}

KQ_API int32_t KQ_AddImageTextArea(ProgramHandle handle, int32_t program, int32_t area,
                                   const AreaRect* rect, int32_t layer) {
  return AddArea(handle, program, area, rect, AreaKind::ImageText, layer, {});
}

KQ_API int32_t KQ_AddDigitalClockArea(ProgramHandle handle, int32_t program, int32_t area,
                                      const AreaRect* rect, const DigitalClockAreaInfo* info) {
  return AddSettingsArea(handle, program, area, rect, info, AreaKind::DigitalClock);
}

KQ_API int32_t KQ_AddClockArea(ProgramHandle handle, int32_t program, int32_t area,
                               const AreaRect* rect, const ClockAreaInfo* info) {
  return AddSettingsArea(handle, program, area, rect, info, AreaKind::AnalogClock);
}

KQ_API int32_t KQ_AddTimeArea(ProgramHandle handle, int32_t program, int32_t area,
                              const AreaRect* rect, const TimeAreaInfo* info) {
  return AddSettingsArea(handle, program, area, rect, info, AreaKind::Time);
}

KQ_API int32_t KQ_AddWaterBorder(ProgramHandle handle, int32_t program, int32_t area,
                                 const AreaRect* rect, const WaterBorderInfo* info) {
  return AddSettingsArea(handle, program, area, rect, info, AreaKind::WaterBorder);
}

KQ_API int32_t KQ_AddImageTextAreaDataFromFile(ProgramHandle handle, int32_t program, int32_t area,
                                               const char16_t* path, const PageInfo* page) {
  return WithSet(handle, [&](ProgramSet& set) -> int {
    if (!path || !page) return KQ_ERR_MISSING_RECORD;
    ProgramEntry* entry = FindProgram(set, program);
    if (!entry) return KQ_ERR_NO_PROGRAM;
    AreaEntry* target = nullptr;
    for (AreaEntry& candidate : entry->Areas) {
      if (candidate.Number == area && candidate.Kind == AreaKind::ImageText) target = &candidate;
    }
    if (!target) return KQ_ERR_NO_AREA;
    const QString filePath = QString::fromUtf16(path);
    const PageFileKind kind = GetPageFileKind(filePath);
    if (kind == kPageUnknown) return KQ_ERR_PAGE_KIND;
    if (!FileExists(filePath)) return KQ_ERR_PAGE_NOT_FOUND;
    PageEntry added;
    added.FileKind = kind;
    added.FilePath = filePath;
    added.Effect = page->Effect;
    added.EffectParam = page->EffectParam;
    added.Speed = page->Speed;
    added.StayTime = page->StayTime;
    target->Pages.push_back(std::move(added));
    set.Dirty = true;
    return KQ_OK;
  });
}

KQ_API int32_t KQ_DeleteProgram(ProgramHandle handle) {
  return ReleaseProgramHandle(handle) ? 1 : KQ_ERR_BAD_HANDLE;
}

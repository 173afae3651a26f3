#include "model/project/project_editing.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>

#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/project/numbering.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

// The records one operation is about to free.
class FreedRecords {
 public:
  void Add(const AreaRecord& area) { records_.insert(&area); }
  void Add(const ProgramRecord& program) {
    records_.insert(&program);
    for (const auto& area : program.Areas) Add(*area);
  }
  void Add(const ScreenRecord& screen) {
    records_.insert(&screen);
    for (const auto& program : screen.Programs) Add(*program);
  }
  bool Contains(const void* record) const { return records_.contains(record); }

 private:
  std::unordered_set<const void*> records_;
};

// Clears every global that points at a record about to be freed.
void DropReferences(const FreedRecords& freed) {
  if (CurrentSelection && freed.Contains(CurrentSelection->Record)) {
    CurrentSelection = nullptr;
  }
  auto isFreed = [&freed](const void* record) { return freed.Contains(record); };
  std::erase_if(CanvasAreaList, isFreed);
  std::erase_if(PlayList, [&](const ProgramSendItem& item) { return isFreed(item.Program); });
  for (ProgramSendItem& item : PlayList) std::erase_if(item.Areas, isFreed);
}

template <typename Record>
FreedRecords FreedOf(const Record& record) {
  FreedRecords freed;
  freed.Add(record);
  return freed;
}

// Frees the element of `list` that holds `record`, after dropping references to it.
template <typename List, typename Record>
[[nodiscard]] bool FreeOwned(List& list, Record& record) {
  const auto it = std::find_if(list.begin(), list.end(),
                               [&record](const auto& owned) { return owned.get() == &record; });
  if (it == list.end()) return false;
  DropReferences(FreedOf(record));
  list.erase(it);
  return true;
}

// Swaps the element of `list` that holds `record` with its neighbour.
template <typename List, typename Record>
[[nodiscard]] bool SwapWithNeighbour(List& list, const Record& record, bool up) {
  const auto it = std::find_if(list.begin(), list.end(),
                               [&record](const auto& owned) { return owned.get() == &record; });
  if (it == list.end()) return false;
  if (up ? it == list.begin() : std::next(it) == list.end()) return false;
  std::iter_swap(it, up ? std::prev(it) : std::next(it));
  return true;
}

}  // namespace

ProgramRecord& AddProgram(ScreenRecord& screen) {
  auto program = std::make_unique<ProgramRecord>();
  program->ProgramNo = NextProgramNo(screen);
  const QString baseName = ReadLangText(lang_section::IDD_MAIN_DIALOG, 1009);
  CopyBoundedText(program->ProgramName, baseName + QString::number(program->ProgramNo));
  program->OwnerScreen = &screen;
  return *screen.Programs.emplace_back(std::move(program));
}

AreaRecord* AddArea(ProgramRecord& program, std::int32_t areaType) {
  if (areaType < kSingleLineArea || areaType > kFilesArea) return nullptr;
  auto area = std::make_unique<AreaRecord>();
  area->AreaNo = NextAreaNo(program);
  area->AreaType = areaType;
  CopyBoundedText(area->guid, NewGuidText());
  area->Kind = MakeKindRecord(areaType);
  if (auto* singleLine = std::get_if<SingleLineAreaInfo>(&area->Kind)) {
    CopyBoundedText(singleLine->guid, NewGuidText());
  }
  area->OwnerProgram = &program;
  area->OwnerScreen = program.OwnerScreen;
  return program.Areas.emplace_back(std::move(area)).get();
}

bool RemoveArea(AreaRecord& area) {
  return area.OwnerProgram && FreeOwned(area.OwnerProgram->Areas, area);
}

bool RemoveProgram(ProgramRecord& program) {
  return program.OwnerScreen && FreeOwned(program.OwnerScreen->Programs, program);
}

bool MoveProgram(ProgramRecord& program, bool up) {
  return program.OwnerScreen && SwapWithNeighbour(program.OwnerScreen->Programs, program, up);
}

bool MoveArea(AreaRecord& area, bool up) {
  return area.OwnerProgram && SwapWithNeighbour(area.OwnerProgram->Areas, area, up);
}

void ClearScreenPrograms(ScreenRecord& screen) {
  FreedRecords freed;
  for (const auto& program : screen.Programs) freed.Add(*program);
  DropReferences(freed);
  screen.Programs.clear();
}

bool RemoveScreen(ScreenRecord& screen) {
  const auto it = std::find_if(ScreenList.begin(), ScreenList.end(),
                               [&screen](const ScreenRecord& s) { return &s == &screen; });
  if (it == ScreenList.end()) return false;
  DropReferences(FreedOf(screen));
  ScreenList.erase(it);
  return true;
}

void ClearProjectModel() {
  FreedRecords freed;
  for (const ScreenRecord& screen : ScreenList) freed.Add(screen);
  DropReferences(freed);
  ScreenList.clear();
  ScreenGroupList.clear();
}

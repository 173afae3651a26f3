#include "render/borders/preview_borders.h"

#include "model/project/project_globals.h"
#include "model/project/project_records.h"
#include "render/common/preview_colors.h"
#include "render/common/preview_picture.h"

namespace {

// A border set up from a record's border fields (an area's or a program's).
template <typename Record>
std::unique_ptr<CBorderRenderer> MakeBorder(const Record& record, LiveRect rect) {
  auto border = std::make_unique<CBorderRenderer>();
  border->Init(rect, PreviewPicture, record.BorderType, record.BorderValue, record.BorderStyle,
               record.BorderColor, record.BorderSpeed, PreviewColors(record.OwnerScreen));
  return border;
}

void AddProgramBorder(PreviewBorderList& list, const ProgramRecord* program) {
  if (program == nullptr || program->IsUseBorder == 0 || program->OwnerScreen == nullptr) return;
  const ScreenRecord& screen = *program->OwnerScreen;
  list.ProgramRect = PixelRectOfSize(screen.LedWidth, screen.LedHeight);
  list.Borders.push_back(MakeBorder(*program, LiveRect::Of(list.ProgramRect)));
}

}  // namespace

int BuildPreviewBorders(PreviewBorderList& list) {
  FreePreviewBorders(list);
  if (PreviewPicture == nullptr || CurrentSelection == nullptr) return 1;
  if (const ProgramRecord* program = CurrentSelection->Program()) {
    for (const AreaRecord* area : CanvasAreaList) {
      if (area == nullptr || area->IsUseBorder == 0) continue;
      const LiveRect rect{&area->AreaRect_Left, &area->AreaRect_Top, &area->AreaRect_Right,
                          &area->AreaRect_Bottom};
      list.Borders.push_back(MakeBorder(*area, rect));
    }
    AddProgramBorder(list, program);
  } else if (const AreaRecord* area = CurrentSelection->Area()) {
    AddProgramBorder(list, area->OwnerProgram);
  }
  return 1;
}

int DrawPreviewBorders(PreviewBorderList& list) {
  for (const auto& border : list.Borders) border->Draw();
  return 1;
}

void FreePreviewBorders(PreviewBorderList& list) { list.Borders.clear(); }

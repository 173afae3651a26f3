#include "render/rerender/content_rerender.h"

#include <QString>

#include <variant>
#include <vector>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/project/content_size.h"
#include "model/project/project_globals.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_freshness.h"
#include "render/table/table_render.h"
#include "render/text/rtf_render.h"

namespace {

// The display effect that scrolls a single line continuously.
constexpr int kContinuousEffect = 6;

// Page kinds of an image-text page (FileItem::AddType).
enum PageKind : int {
  kTextPages = 1,
  kSingleLinePages = 2,
  kTablePage = 3,
  kTextPageNoEffect = 4,
};

// Table frame files are rendered on black whatever the item's colour, so their
// freshness is tested against black.
constexpr ColorRef kTableBackColor = 0;

QString RtfPath(const QString& name) {
  return AppFilePath(AppFolder::UserData, QString(name + QStringLiteral(".rtf")));
}

RtfRenderInput TextInput(const ContentSize& size, ColorRef backColor, int effect, int zoom,
                         int offset) {
  RtfRenderInput input;
  input.width = size.width;
  input.height = size.height;
  input.backColor = backColor;
  input.effect = effect;
  input.zoom = zoom;
  input.offset = offset;
  return input;
}

RtfRenderInput SingleLineInput(const ContentSize& size, ColorRef backColor, int inStyle,
                               int isLeftMove, int zoom, int offset) {
  RtfRenderInput input = TextInput(size, backColor, inStyle, zoom, offset);
  input.continuous = inStyle == kContinuousEffect;
  input.noGap = isLeftMove != 0;
  return input;
}

}  // namespace

bool RerenderPage(FileItem& page, const ContentSize& size, RerenderWhen when) {
  const QString name = ReadBoundedText(page.guid);
  if (!IsGuidText(name) || page.AddType < kTextPages || page.AddType > kTextPageNoEffect) {
    return false;
  }
  const ColorRef backColor = page.AddType == kTablePage ? kTableBackColor : page.BackColor;
  if (when == RerenderWhen::kOutdated &&
      IsPakOutdated(name, size.width, size.height, backColor) == 0) {
    return false;
  }
  const QString rtf = RtfPath(name);
  const QString pak = PakFramePath(name);
  RtfRenderInput input =
      TextInput(size, page.BackColor, page.InStyle, page.ZoomValue, page.OffsetValue);
  input.verticalCentre = page.IsVertical != 0;
  switch (page.AddType) {
    case kTextPages: page.PageCount = RenderRtfPages(rtf, pak, RenderRichEdit, input); break;
    case kSingleLinePages:
      page.PageCount =
          RenderRtfSingleLine(rtf, pak, RenderRichEdit,
                              SingleLineInput(size, page.BackColor, page.InStyle, page.IsLeftMove,
                                              page.ZoomValue, page.OffsetValue));
      break;
    case kTablePage: page.PageCount = RenderTablePak(page, size.width, size.height); break;
    case kTextPageNoEffect:
      page.PageCount = RenderRtfPagesNoEffect(rtf, pak, RenderRichEdit, input);
      break;
  }
  return true;
}

void RerenderSingleLine(SingleLineAreaInfo& info, const ContentSize& size, RerenderWhen when,
                        const SingleLineRenderer& render) {
  const QString name = ReadBoundedText(info.guid);
  if (!IsGuidText(name)) return;
  if (when == RerenderWhen::kOutdated &&
      IsPakOutdated(name, size.width, size.height, info.BackColor) == 0) {
    return;
  }
  const RtfRenderInput input = SingleLineInput(size, info.BackColor, info.InStyle, info.IsLeftMove,
                                               info.ZoomValue, info.OffsetValue);
  info.PageCount =
      render ? render(RtfPath(name), PakFramePath(name), input)
             : RenderRtfSingleLine(RtfPath(name), PakFramePath(name), RenderRichEdit, input);
}

void RerenderAreaContent(AreaRecord& area) {
  const ContentSize size = AreaContentSize(area);
  if (auto* info = std::get_if<SingleLineAreaInfo>(&area.Kind)) {
    RerenderSingleLine(*info, size, RerenderWhen::kOutdated);
  } else if (auto* pages = ImageTextPages(area.Kind)) {
    for (FileItem& page : *pages) RerenderPage(page, size, RerenderWhen::kOutdated);
  }
}

void RerenderProgramContent(const ProgramSendItem& item) {
  for (AreaRecord* area : item.Areas) {
    if (area != nullptr) RerenderAreaContent(*area);
  }
}

void RerenderScreenContent(const ScreenSendJob& job) {
  for (const ProgramSendItem& item : job.Programs) RerenderProgramContent(item);
}

void RerenderPreviewContent() {
  for (const ProgramSendItem& item : PlayList) RerenderProgramContent(item);
}

#include "app/builder/send_checks.h"

#include <QFileInfo>

#include <algorithm>
#include <variant>
#include <vector>

#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/media_kind.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "render/flash/flash_background.h"
#include "render/raster/picture_check.h"

namespace {

constexpr int kFirstFileCheckKey = 4101;  // -5 to -8 in this order
constexpr int kWhereKey = 4105;           // screen, program and area names

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

template <std::size_t N>
QString StoredPath(const char16_t (&field)[N]) {
  return FromStoredPath(ReadBoundedText(field));
}

// A failed page file; its program and area are filled in by the caller.
SendCheckResult FileFailure(std::int32_t code, const QString& path) {
  return {code, nullptr, nullptr, path};
}

// The code of a picture or GIF page's file, with the file.
SendCheckResult PictureResult(const QString& path) {
  switch (CheckPictureFile(path)) {
    case PictureCheck::Ok: return {};
    case PictureCheck::UnsupportedKind: return FileFailure(kSendCheckUnsupportedKind, path);
    case PictureCheck::Unreadable: return FileFailure(kSendCheckFileUnreadable, path);
    case PictureCheck::WrongContent: return FileFailure(kSendCheckWrongContent, path);
  }
  return {};
}

bool IsReadableFile(const QString& path) {
  const QFileInfo info(path);
  return info.isFile() && info.isReadable();
}

SendCheckResult BackgroundResult(const BackgroundItem& item) {
  switch (item.FileType) {
    case kMediaGif:
    case kMediaPicture: return PictureResult(StoredPath(item.FilePath));
    case kFlashBackground: {
      const QString movie = FlashBackgroundSourcePath(item.BackVaule);
      if (item.BackVaule < 0 || !IsReadableFile(movie))
        return FileFailure(kSendCheckNoMovie, movie);
      // The parameters the movie reads are made from this template.
      const QString parameters = FlashBackgroundTemplatePath();
      if (!IsReadableFile(parameters)) return FileFailure(kSendCheckNoMovie, parameters);
      return {};
    }
    default: return FileFailure(kSendCheckUnsupportedKind, StoredPath(item.FilePath));
  }
}

// The first page file of the area that the card's generators would refuse.
SendCheckResult CheckAreaFiles(const AreaRecord& area) {
  if (const auto* pages = area.AreaType == kImageTextArea ? ImageTextPages(area.Kind) : nullptr) {
    for (const FileItem& page : *pages) {
      if (page.FileType != kMediaPicture) continue;  // the others are rendered frame files
      if (SendCheckResult r = PictureResult(StoredPath(page.FileName)); r.code != 0) return r;
    }
  }
  const auto* files = std::get_if<std::vector<FileAreaItem>>(&area.Kind);
  if (files && area.AreaType == kFilesArea) {
    for (const FileAreaItem& file : *files) {
      if (SendCheckResult r = PictureResult(StoredPath(file.FilePath)); r.code != 0) return r;
    }
  }
  if (area.IsUseBack) {
    for (const BackgroundItem& item : area.Backgrounds) {
      if (SendCheckResult r = BackgroundResult(item); r.code != 0) return r;
    }
  }
  return {};
}

SendCheckResult CheckProgram(const ProgramSendItem& item, bool filesOnly) {
  const std::vector<AreaRecord*>& areas = item.Areas;
  if (areas.empty() && !filesOnly) return {kSendCheckEmptyProgram, item.Program, nullptr, {}};
  for (auto a = areas.begin(); a != areas.end(); ++a) {
    SendCheckResult result;
    if (!filesOnly &&
        std::any_of(a + 1, areas.end(), [&](const AreaRecord* b) { return Overlap(**a, *b); })) {
      result.code = kSendCheckOverlap;
    } else if (!filesOnly && LacksItems(**a)) {
      result.code = kSendCheckNoItems;
    } else {
      result = CheckAreaFiles(**a);
    }
    if (result.code != kSendCheckOk) {
      result.program = item.Program;
      result.area = *a;
      return result;
    }
  }
  return {};
}

SendCheckResult CheckJob(const ScreenSendJob& job, bool filesOnly) {
  if (job.Programs.empty() && !filesOnly) return {kSendCheckNoProgram, nullptr, nullptr, {}};
  for (const ProgramSendItem& item : job.Programs) {
    if (SendCheckResult result = CheckProgram(item, filesOnly); result.code != kSendCheckOk) {
      return result;
    }
  }
  return {};
}

int CheckTextKey(std::int32_t check) {
  switch (check) {
    case kSendCheckOverlap: return 1063;
    case kSendCheckNoItems: return 1064;
    case kSendCheckNoProgram: return 1065;
    case kSendCheckEmptyProgram: return 1066;
    default: return kFirstFileCheckKey + (kSendCheckFileUnreadable - check);
  }
}

// The file as the message names it, short enough for the message box: the path under
// the program folder for the program's own files, else the file's name (its folder
// is shown in the page's list).
QString ShownFileName(const QString& path) {
  const QString folder = GetAppDir();
  if (path.startsWith(folder)) return path.mid(folder.size());
  return QFileInfo(path).fileName();
}

}  // namespace

SendCheckResult CheckJobBeforeSend(const ScreenSendJob& job) { return CheckJob(job, false); }

std::int32_t CheckProgramsBeforeSend(const ScreenSendJob& job) {
  return CheckJobBeforeSend(job).code;
}

SendCheckResult CheckPageFiles(const ScreenSendJob& job) { return CheckJob(job, true); }

QString SendCheckMessage(const ScreenSendJob& job, const SendCheckResult& result) {
  QString text = ReadLangText(lang_section::IDD_QUENDRA_DIALOG, CheckTextKey(result.code));
  if (result.code > kSendCheckFileUnreadable) return text;  // not about a page file
  const QString screen = job.Screen ? ReadBoundedText(job.Screen->LedName) : QString();
  const QString program = result.program ? ReadBoundedText(result.program->ProgramName) : QString();
  const QString area = result.area ? ReadBoundedText(result.area->AreaName) : QString();
  const QString where = ReadLangText(lang_section::IDD_QUENDRA_DIALOG, kWhereKey);
  return text + u'\n' + FormatLangText(where, {screen, program, area}) + u'\n' +
         ShownFileName(result.file);
}

#include "app/tree/new_area.h"

#include <algorithm>

#include "model/common/app_paths.h"
#include "model/common/atomic_file.h"
#include "model/common/bounded_text.h"
#include "model/common/file_system.h"
#include "model/project/project_editing.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "render/text/rtf_writer.h"

namespace {

constexpr std::int32_t kNewAreaWidth = 64;
constexpr std::int32_t kNewAreaHeight = 32;
constexpr std::int32_t kNewClockHeight = 64;
constexpr std::uint32_t kRed = 255;  // 0x00BBGGRR
constexpr std::int32_t kFontPoints = 12;
constexpr std::uint8_t kGb2312CharSet = 134;
const QString kFontName = QStringLiteral(u"宋体");

void SetDigitalClockDefaults(DigitalClockAreaInfo& clock) {
  CopyBoundedText(clock.ShowStrFont_FontName, kFontName);
  clock.ShowStrFont_FontSize = kFontPoints;
  clock.ShowStrFont_FontColor = kRed;
  clock.DateColor = kRed;
  clock.WeekColor = kRed;
  clock.TimeFormat = 2;
  clock.TimeColor = kRed;
  clock.IsShowHour = clock.IsShowMinite = clock.IsShowSecond = 1;
}

void SetAnalogClockDefaults(ClockAreaInfo& clock) {
  CopyBoundedText(clock.ShowStrFont_FontName, kFontName);
  clock.ShowStrFont_FontSize = kFontPoints;
  clock.ShowStrFont_FontColor = kRed;
  clock.HourMarkColor = kRed;
  clock.HourMarkWidth = 4;
  clock.MiniteMarkColor = kRed;
  clock.MiniteMarkWidth = 2;
  clock.HourPointerColor = clock.MinitePointerColor = clock.SecondPointerColor = kRed;
  clock.HourPointerWidth = 3;
  clock.MinutePointerWidth = 2;
  clock.SecondPointerWidth = 1;
}

void SetCountdownDefaults(TimeAreaInfo& countdown, const QDateTime& now) {
  const QDateTime target = now.addDays(1);
  countdown.nYear = target.date().year();
  countdown.nMonth = target.date().month();
  countdown.nDay = target.date().day();
  countdown.nHour = target.time().hour();
  countdown.nMinute = target.time().minute();
  countdown.nSecond = target.time().second();
  countdown.IsShowDay = 1;
  countdown.TimeStrColor = kRed;
  CopyBoundedText(countdown.ShowStrFont_FontName, kFontName);
  countdown.ShowStrFont_FontSize = kFontPoints;
  countdown.ShowStrFont_FontColor = kRed;
}

void SetKindDefaults(AreaRecord& area, const QDateTime& now) {
  if (auto* line = std::get_if<SingleLineAreaInfo>(&area.Kind)) {
    line->InStyle = 6;
    line->IsLeftMove = 1;
    line->InSpeed = 3;
    line->DelayTime = 1;
  } else if (auto* digital = std::get_if<DigitalClockAreaInfo>(&area.Kind)) {
    SetDigitalClockDefaults(*digital);
  } else if (auto* analog = std::get_if<ClockAreaInfo>(&area.Kind)) {
    SetAnalogClockDefaults(*analog);
  } else if (auto* countdown = std::get_if<TimeAreaInfo>(&area.Kind)) {
    SetCountdownDefaults(*countdown, now);
  }
}

}  // namespace

NewAreaRect PlaceNewArea(int width, int height, int borderWidth, int leftmost, int kind) {
  const int bw = borderWidth;
  NewAreaRect rect{};
  rect.top = bw;
  if (leftmost >= bw + kNewAreaWidth) {
    rect.left = leftmost - kNewAreaWidth;
    rect.right = leftmost;
  } else if (width - bw >= bw + kNewAreaWidth) {
    rect.left = width - bw - kNewAreaWidth;
    rect.right = width - bw;
  } else {
    rect.left = bw;
    rect.right = std::max(width - bw, bw + 1);
  }
  const int high = kind == kAnalogClockArea ? kNewClockHeight : kNewAreaHeight;
  rect.bottom = std::max(std::min(bw + high, height - bw), rect.top + 1);
  return rect;
}

AreaRecord* AddNewArea(ProgramRecord& program, int kind, const QDateTime& now) {
  const ScreenRecord* screen = program.OwnerScreen;
  if (!screen || kind < kSingleLineArea || kind > kFilesArea) return nullptr;
  const int bw = program.BorderWidth;
  int sameKind = 0;
  int leftmost = screen->LedWidth - bw;
  for (const auto& area : program.Areas) {
    if (area->AreaType == kind) ++sameKind;
    leftmost = std::min(leftmost, area->AreaRect_Left);
  }
  AreaRecord* area = AddArea(program, kind);
  if (!area) return nullptr;
  const QString kindName =
      ReadLangText(lang_section::IDD_MAIN_DIALOG, kAreaKindTextNumbers[kind - 1]);
  CopyBoundedText(area->AreaName, kindName + QString::number(sameKind + 1));
  area->ZOrder = sameKind + 1;
  area->BorderColor = kRed;
  area->BorderStyle = 1;
  const NewAreaRect rect = PlaceNewArea(screen->LedWidth, screen->LedHeight, bw, leftmost, kind);
  area->AreaRect_Left = rect.left;
  area->AreaRect_Top = rect.top;
  area->AreaRect_Right = rect.right;
  area->AreaRect_Bottom = rect.bottom;
  SetKindDefaults(*area, now);
  if (const auto* line = std::get_if<SingleLineAreaInfo>(&area->Kind)) {
    // Without its file the area still works: its page and its renderer show no text.
    static_cast<void>(WriteSingleLineText(*line, ReadBoundedText(area->AreaName)));
  }
  return area;
}

bool WriteSingleLineText(const SingleLineAreaInfo& info, const QString& text) {
  if (!CreateDirTree(AppFolderPath(AppFolder::UserData))) return false;
  RichCharFormat format;
  format.face = kFontName;
  format.charSet = kGb2312CharSet;
  format.twips = kFontPoints * 20;
  format.color = kRed;
  format.autoColor = false;
  RichParagraph paragraph;
  paragraph.runs.push_back({text, format});
  paragraph.mark = format;
  const QString path =
      AppFilePath(AppFolder::UserData, ReadBoundedText(info.guid) + QStringLiteral(".rtf"));
  return WriteFileAtomically(path, WriteRtf({paragraph}));
}

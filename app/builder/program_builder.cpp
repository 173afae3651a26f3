#include "app/builder/program_builder.h"

#include <QString>

#include <algorithm>
#include <array>
#include <limits>
#include <variant>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/media_kind.h"
#include "render/effects/transition_codes.h"
#include "render/frame/pak_file.h"
#include "render/text/rtf_render.h"

namespace {

// The library's speed value of each setting of the speed lists (0 the fastest).
constexpr std::array<std::int32_t, 32> kSdkSpeedValues = {
    1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,  15,  16,
    18, 20, 22, 24, 28, 32, 36, 40, 45, 50, 60, 70, 90, 120, 160, 200};

// The AddType of an image-text page drawn from a table; every other one is rich text.
constexpr std::int32_t kTablePage = 3;

// The effect list: the preview's effects with their card codes, then one entry that
// the card knows as code 0.
constexpr std::size_t kEffectEntries = 40;
static_assert(kEffectControllerCodes.size() == kEffectEntries - 1);

template <std::size_t N>
std::int32_t ClampedEntry(const std::array<std::int32_t, N>& table, std::int32_t index) {
  return table[static_cast<std::size_t>(std::clamp<std::int32_t>(index, 0, N - 1))];
}

constexpr std::array<std::int32_t, kEffectEntries> kSdkEffectCodes = [] {
  std::array<std::int32_t, kEffectEntries> codes{};
  std::copy(kEffectControllerCodes.begin(), kEffectControllerCodes.end(), codes.begin());
  return codes;
}();

// Sums and differences of values read from project files, kept within 32 bits; the
// library refuses rectangles and sizes far outside the card's range anyway.
std::int32_t Clamp32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

const char16_t* Utf16(const QString& text) {
  return reinterpret_cast<const char16_t*>(text.utf16());
}

template <std::size_t N>
QString StoredPath(const char16_t (&field)[N]) {
  return FromStoredPath(ReadBoundedText(field));
}

template <std::size_t N>
QString FramePath(const char16_t (&guid)[N]) {
  return PakFramePath(ReadBoundedText(guid));
}

PageInfo Page(std::int32_t effect, std::int32_t speedSetting, std::int32_t stay) {
  return {effect, 0, SdkSpeedValue(speedSetting), stay};
}

// One screen's program set as the calls are made.
class SetBuilder {
 public:
  SetBuilder(const SdkProgramCalls& calls, ProgramHandle handle, const ScreenRecord& screen)
      : calls_(calls), handle_(handle), screen_(screen) {}

  void AddProgram(const ProgramSendItem& item, std::int32_t number);
  std::int32_t FirstRefusal() const { return refusal_; }

 private:
  void Note(std::int32_t result) {
    if (refusal_ == 0) refusal_ = result;
  }
  void AddBorder(std::int32_t area, const AreaRect& rect, std::int32_t type, std::int32_t value,
                 std::uint32_t color, std::int32_t style, std::int32_t speed);
  // Adds the area's border, content and background from number on; returns the
  // last number used.
  std::int32_t AddArea(const AreaRecord& area, std::int32_t number);
  void AddContent(const AreaRecord& area, std::int32_t number, const AreaRect& rect);
  void AddBackground(const AreaRecord& area, std::int32_t number, const AreaRect& rect);
  void AddImageText(std::int32_t area, const AreaRect& rect, std::int32_t layer) {
    Note(calls_.AddImageTextArea(handle_, program_, area, &rect, layer));
  }
  void AddPage(std::int32_t area, const QString& path, const PageInfo& page);
  // A page rendered from rich text: noted when it reaches the page limit.
  void AddTextPage(std::int32_t area, const QString& path, const PageInfo& page);

  const SdkProgramCalls& calls_;
  ProgramHandle handle_;
  const ScreenRecord& screen_;
  std::int32_t program_ = 0;
  std::int32_t refusal_ = 0;
};

ProgramTimeInfo TimeInfo(const ProgramRecord& p) {
  const std::int32_t flags = (p.IsDate ? 1 : 0) | (p.IsTime ? 2 : 0) | (p.IsWeek ? 4 : 0);
  return {flags,       p.WeekVaule,   p.StartYear,   p.StartMonth, p.StartDay,
          p.StartHour, p.StartMinute, p.StartSecond, p.EndYear,    p.EndMonth,
          p.EndDay,    p.EndHour,     p.EndMinute,   p.EndSecond};
}

void SetBuilder::AddProgram(const ProgramSendItem& item, std::int32_t number) {
  const ProgramRecord& program = *item.Program;
  program_ = number;
  const std::int32_t playTime = program.StopType >= 1 ? program.PlayTime : 0;
  Note(calls_.AddProgram(handle_, number, playTime, program.LoopCount));
  if (program.IsProgramTiming) {
    const ProgramTimeInfo time = TimeInfo(program);
    Note(calls_.SetProgramTime(handle_, number, &time));
  }
  // Area number 1 is the program border's whether or not there is one.
  if (program.IsUseBorder) {
    AddBorder(1, {0, 0, screen_.LedWidth, screen_.LedHeight}, program.BorderType,
              program.BorderValue, program.BorderColor, program.BorderStyle, program.BorderSpeed);
  }
  std::int32_t area = 2;
  for (const AreaRecord* record : item.Areas) area = AddArea(*record, area) + 1;
}

void SetBuilder::AddBorder(std::int32_t area, const AreaRect& rect, std::int32_t type,
                           std::int32_t value, std::uint32_t color, std::int32_t style,
                           std::int32_t speed) {
  const WaterBorderInfo border{0, type, value, color, style, SdkSpeedValue(speed), {}};
  Note(calls_.AddWaterBorder(handle_, program_, area, &rect, &border));
}

std::int32_t SetBuilder::AddArea(const AreaRecord& area, std::int32_t number) {
  const std::int64_t left = area.AreaRect_Left, top = area.AreaRect_Top;
  AreaRect rect{area.AreaRect_Left, area.AreaRect_Top, Clamp32(area.AreaRect_Right - left),
                Clamp32(area.AreaRect_Bottom - top)};
  if (area.IsUseBorder) {
    AddBorder(number++, rect, area.BorderType, area.BorderValue, area.BorderColor, area.BorderStyle,
              area.BorderSpeed);
    // A border too wide for its area leaves no content; the library refuses that
    // rectangle and the refusal is reported.
    const std::int64_t w = area.BorderWidth;
    rect = {Clamp32(left + w), Clamp32(top + w), Clamp32(rect.Width - 2 * w),
            Clamp32(rect.Height - 2 * w)};
  }
  AddContent(area, number, rect);
  if (area.IsUseBack && !area.Backgrounds.empty()) AddBackground(area, ++number, rect);
  return number;
}

void SetBuilder::AddPage(std::int32_t area, const QString& path, const PageInfo& page) {
  if (path.isEmpty()) return Note(KQ_ERR_PAGE_NOT_FOUND);  // no GUID text names a file
  Note(calls_.AddImageTextAreaDataFromFile(handle_, program_, area, Utf16(path), &page));
}

void SetBuilder::AddTextPage(std::int32_t area, const QString& path, const PageInfo& page) {
  AddPage(area, path, page);
  if (!path.isEmpty() && ReachesTextPageLimit(path)) Note(kRefusalTextPageLimit);
}

void SetBuilder::AddContent(const AreaRecord& area, std::int32_t number, const AreaRect& rect) {
  const AreaKindRecord& kind = area.Kind;
  switch (area.AreaType) {
    case kSingleLineArea:
      AddImageText(number, rect, 1);
      if (const auto* info = std::get_if<SingleLineAreaInfo>(&kind)) {
        AddTextPage(number, FramePath(info->guid),
                    Page(SdkEffectCode(info->InStyle), info->InSpeed, info->DelayTime));
      }
      break;
    case kImageTextArea:
      AddImageText(number, rect, 1);
      if (const auto* pages = ImageTextPages(kind)) {
        for (const FileItem& page : *pages) {
          const PageInfo info = Page(SdkEffectCode(page.InStyle), page.InSpeed, page.DelayTime);
          if (page.FileType == 4) {
            AddPage(number, StoredPath(page.FileName), info);  // names its file itself
          } else if (page.AddType == kTablePage) {
            AddPage(number, FramePath(page.guid), info);
          } else {
            AddTextPage(number, FramePath(page.guid), info);
          }
        }
      }
      break;
    case kFlashWordArea:
      AddImageText(number, rect, 1);
      if (const auto* words = std::get_if<std::vector<FlashWordItem>>(&kind)) {
        for (const FlashWordItem& word : *words) {
          AddPage(number, FramePath(word.guid), Page(kRecordedFramesEffect, word.Speed, 0));
        }
      }
      break;
    case kDigitalClockArea:
      if (const auto* info = std::get_if<DigitalClockAreaInfo>(&kind)) {
        Note(calls_.AddDigitalClockArea(handle_, program_, number, &rect, info));
      }
      break;
    case kAnalogClockArea:
      if (const auto* info = std::get_if<ClockAreaInfo>(&kind)) {
        Note(calls_.AddClockArea(handle_, program_, number, &rect, info));
      }
      break;
    case kCountdownArea:
      if (const auto* info = std::get_if<TimeAreaInfo>(&kind)) {
        Note(calls_.AddTimeArea(handle_, program_, number, &rect, info));
      }
      break;
    case kFilesArea:
      AddImageText(number, rect, 1);
      if (const auto* files = std::get_if<std::vector<FileAreaItem>>(&kind)) {
        for (const FileAreaItem& file : *files) {
          const std::int32_t effect =
              file.FileType == kMediaGif ? kRecordedFramesEffect : SdkEffectCode(file.InStyle);
          AddPage(number, StoredPath(file.FilePath), Page(effect, file.InSpeed, file.DelayTime));
        }
      }
      break;
    default: break;
  }
}

void SetBuilder::AddBackground(const AreaRecord& area, std::int32_t number, const AreaRect& rect) {
  AddImageText(number, rect, 0);
  for (const BackgroundItem& item : area.Backgrounds) {
    switch (item.FileType) {
      case kMediaGif:
        AddPage(number, StoredPath(item.FilePath), Page(kRecordedFramesEffect, item.Speed, 0));
        break;
      case kMediaPicture:
        AddPage(number, StoredPath(item.FilePath), Page(1, item.Speed, item.DelayTime));
        break;
      case kFlashBackground:
        AddPage(number, FramePath(item.guid),
                Page(kRecordedFramesEffect, item.Speed, item.DelayTime));
        break;
      default: break;  // the area stays, without a page for this entry
    }
  }
}

}  // namespace

std::int32_t SdkEffectCode(std::int32_t entry) { return ClampedEntry(kSdkEffectCodes, entry); }

std::int32_t SdkSpeedValue(std::int32_t setting) { return ClampedEntry(kSdkSpeedValues, setting); }

void CollectCheckedPrograms(ScreenRecord& screen, const ProjectTreeItems& /*tree*/,
                            ScreenSendJob& job, bool all) {
  job.Screen = &screen;
  job.Programs.clear();
  for (const auto& program : screen.Programs) {
    if (!all && !program->CheckState) continue;
    ProgramSendItem& item = job.Programs.emplace_back(ProgramSendItem{program.get(), {}});
    for (const auto& area : program->Areas) item.Areas.push_back(area.get());
  }
}

OwnedProgramSet BuildScreenProgram(const ScreenSendJob& job, std::int32_t headerMode,
                                   std::int32_t* firstRefusal, const SdkProgramCalls& calls) {
  OwnedProgramSet set;
  if (job.Screen) {
    const ScreenRecord& screen = *job.Screen;
    set.reset(calls.CreateProgram(screen.LedWidth, screen.LedHeight,
                                  Clamp32(std::int64_t{screen.LedColor} + 1), headerMode));
  }
  std::int32_t refusal = KQ_ERR_BAD_HANDLE;
  if (set) {
    SetBuilder builder(calls, set.get(), *job.Screen);
    std::int32_t number = 1;
    for (const ProgramSendItem& item : job.Programs) {
      if (item.Program->CheckState) builder.AddProgram(item, ++number);
    }
    refusal = builder.FirstRefusal();
  }
  if (firstRefusal) *firstRefusal = refusal;
  return set;
}

// Display data generation. A first pass renders every area into a block of its own
// (an image-text area: its head, and its pages' index entries and planes as the page
// generators made them) and sizes everything in 64-bit arithmetic; the second pass
// allocates the image once at its exact size and copies each block in once.

#include "sdk/generate/display_data.h"

#include <cassert>
#include <cstddef>
#include <utility>

#include "model/common/little_endian.h"
#include "sdk/api/guarded_call.h"
#include "sdk/generate/block_head.h"
#include "sdk/generate/clock/clock_generators.h"
#include "sdk/generate/page_generators.h"
#include "sdk/program/page_file_kind.h"
#include "sdk/program/program_handles.h"

namespace {

// The header, 30 bytes: 16 zero bytes, the screen's width (2) and height (2), the
// colour type (1), the program count (1), the header mode byte (1), 7 zero bytes.
constexpr std::size_t kHeaderBytes = 30;
constexpr std::size_t kScreenWidthAt = 16;
constexpr std::size_t kScreenHeightAt = 18;
constexpr std::size_t kColorTypeAt = 20;
constexpr std::size_t kProgramCountAt = 21;
constexpr std::size_t kHeaderModeAt = 22;
// A program's record, 25 bytes: its index (1), the program's length, record included
// (4), the area count (1), play time (2), loop count (1), time flags (1), weekday mask
// (1), then the start and the end as date-times of 7 bytes: year (2), month, day,
// hour, minute, second (1 each).
constexpr std::size_t kProgramRecordBytes = 25;
constexpr std::size_t kProgramIndexAt = 0;
constexpr std::size_t kProgramLengthAt = 1;
constexpr std::size_t kAreaCountAt = 5;
constexpr std::size_t kPlayTimeAt = 6;
constexpr std::size_t kLoopCountAt = 8;
constexpr std::size_t kTimeFlagsAt = 9;
constexpr std::size_t kWeekdayMaskAt = 10;
constexpr std::size_t kStartAt = 11;
constexpr std::size_t kEndAt = 18;
// An image-text block's head: the area head, then the area's page frames in all (2).
constexpr std::size_t kFrameTotalAt = kBlockHeadBytes;
constexpr std::size_t kImageTextHeadBytes = kFrameTotalAt + 2;
// The card's fields: one-byte program and area counts, a 16-bit frame total and
// 32-bit lengths.
constexpr std::size_t kMaxCount = 255;
constexpr std::int64_t kMaxFrameTotal = 65535;
constexpr std::int64_t kMaxLength = 0xFFFFFFFF;

using Bytes = std::vector<std::uint8_t>;

std::uint8_t HeaderModeByte(int headerMode) {
  if (headerMode == 1) return 0xF2;
  if (headerMode == 2) return 0xF1;
  return 0;
}

// Renders a page's frames by its file kind. Rich-text and plain-text pages yield
// nothing: the main program turns them into frame files before it builds a set.
[[nodiscard]] int GeneratePage(const CardRect& rect, PageEntry& page, int colorType) {
  page.FrameCount = 0;
  page.Data.clear();
  switch (page.FileKind) {
    case kPageFrameFile: return GeneratePakPages(rect, page, colorType);
    case kPagePicture: return GenerateImagePage(rect, page, colorType);
    case kPageGif: return GenerateGifPages(rect, page, colorType);
    case kPageRichText:
    case kPagePlainText: return KQ_OK;
  }
  return KQ_ERR_PAGE_KIND;
}

// The pages of an image-text area, then its 16-byte head (with the frame total and
// the block length) into area.Block; length gets the whole block's bytes.
[[nodiscard]] int GenerateImageText(AreaEntry& area, int colorType, std::int64_t& length) {
  length = kImageTextHeadBytes;
  std::int64_t frames = 0;
  for (PageEntry& page : area.Pages) {
    if (int code = GeneratePage(area.Rect, page, colorType)) return code;
    if (page.FrameCount < 0 || page.Data.size() < page.FrameCount * kIndexEntryBytes) {
      return KQ_ERR_DRAW;
    }
    frames += page.FrameCount;
    length += static_cast<std::int64_t>(page.Data.size());
    if (frames > kMaxFrameTotal || length > kMaxLength) return KQ_ERR_BAD_SIZE;
  }
  area.FrameTotal = static_cast<int>(frames);
  StartBlock(area.Block, AreaKind::ImageText, area.Rect, area.Layer);
  area.Block.resize(kImageTextHeadBytes);
  WriteLe16(area.Block.data() + kFrameTotalAt, area.FrameTotal);
  SetBlockLength(area.Block, static_cast<std::uint32_t>(length));
  return KQ_OK;
}

// The whole block of a clock, countdown or border area from its generator into
// area.Block: its length, or a negative code.
[[nodiscard]] int GenerateSettingsArea(AreaEntry& area, int colorType) {
  switch (area.Kind) {
    case AreaKind::DigitalClock:
      return GenerateDigitalClockArea(area.Rect, std::get<DigitalClockAreaInfo>(area.Params),
                                      area.Block);
    case AreaKind::AnalogClock:
      return GenerateClockArea(area.Block, area.Rect, std::get<ClockAreaInfo>(area.Params),
                               colorType);
    case AreaKind::Time:
      return GenerateTimeArea(area.Rect, std::get<TimeAreaInfo>(area.Params), area.Block);
    case AreaKind::WaterBorder:
      return GenerateWaterBorder(area.Block, area.Rect, std::get<WaterBorderInfo>(area.Params),
                                 colorType);
    case AreaKind::ImageText: break;
  }
  return KQ_ERR_DRAW;
}

// The area's block; length gets the bytes it takes in the display data.
[[nodiscard]] int GenerateArea(AreaEntry& area, int colorType, std::int64_t& length) {
  area.Block.clear();
  if (area.Kind == AreaKind::ImageText) return GenerateImageText(area, colorType, length);
  const int result = GenerateSettingsArea(area, colorType);
  if (result < 0) return result;
  if (area.Block.size() < kBlockHeadBytes) return KQ_ERR_DRAW;
  length = static_cast<std::int64_t>(area.Block.size());
  return KQ_OK;
}

// The program's areas and its 25-byte record (with the given index) into
// program.Record; length gets the program's bytes, record included.
[[nodiscard]] int GenerateProgram(ProgramEntry& program, int index, int colorType,
                                  std::int64_t& length) {
  length = kProgramRecordBytes;
  for (AreaEntry& area : program.Areas) {
    std::int64_t areaLength = 0;
    if (int code = GenerateArea(area, colorType, areaLength)) return code;
    length += areaLength;
    if (length > kMaxLength) return KQ_ERR_BAD_SIZE;
  }
  program.Record.assign(kProgramRecordBytes, 0);
  std::uint8_t* record = program.Record.data();
  const ProgramTimeInfo& time = program.Time;
  record[kProgramIndexAt] = static_cast<std::uint8_t>(index);
  WriteLe32(record + kProgramLengthAt, length);
  record[kAreaCountAt] = static_cast<std::uint8_t>(program.Areas.size());
  WriteLe16(record + kPlayTimeAt, program.PlayTime);
  record[kLoopCountAt] = static_cast<std::uint8_t>(program.LoopCount);
  record[kTimeFlagsAt] = static_cast<std::uint8_t>(time.TimeFlags);
  record[kWeekdayMaskAt] = static_cast<std::uint8_t>(time.WeekdayMask);
  const int32_t dateTimes[2][6] = {
      {time.StartYear, time.StartMonth, time.StartDay, time.StartHour, time.StartMinute,
       time.StartSecond},
      {time.EndYear, time.EndMonth, time.EndDay, time.EndHour, time.EndMinute, time.EndSecond}};
  const std::size_t dateTimeAt[2] = {kStartAt, kEndAt};
  for (int i = 0; i < 2; ++i) {
    std::uint8_t* at = record + dateTimeAt[i];
    WriteLe16(at, dateTimes[i][0]);
    for (int field = 1; field < 6; ++field) {
      at[field + 1] = static_cast<std::uint8_t>(dateTimes[i][field]);
    }
  }
  return KQ_OK;
}

// Whether the program and area counts fit the card's one-byte fields; checked before
// anything renders.
bool CountsFit(const ProgramSet& set) {
  if (set.Programs.size() > kMaxCount) return false;
  for (const ProgramEntry& program : set.Programs) {
    if (program.Areas.size() > kMaxCount) return false;
  }
  return true;
}

void Append(Bytes& out, const Bytes& bytes, std::size_t from, std::size_t count) {
  out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(from),
             bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

// Appends an area's block, and for an image-text area the index entries of all its
// pages, then their planes; each buffer is freed once it has been copied.
void AppendArea(Bytes& out, AreaEntry& area) {
  Append(out, area.Block, 0, area.Block.size());
  area.Block = {};
  if (area.Kind != AreaKind::ImageText) return;
  for (const PageEntry& page : area.Pages) {
    Append(out, page.Data, 0, page.FrameCount * kIndexEntryBytes);
  }
  for (PageEntry& page : area.Pages) {
    const std::size_t index = page.FrameCount * kIndexEntryBytes;
    Append(out, page.Data, index, page.Data.size() - index);
    page.Data = {};
  }
}

// Frees what the first pass made and the second did not copy; the frame counts stay as the last
// generation left them.
void ReleaseGenerated(ProgramSet& set) {
  for (ProgramEntry& program : set.Programs) {
    program.Record = {};
    for (AreaEntry& area : program.Areas) {
      area.Block = {};
      for (PageEntry& page : area.Pages) page.Data = {};
    }
  }
}

[[nodiscard]] int Generate(ProgramSet& set) {
  if (!CountsFit(set)) return KQ_ERR_BAD_SIZE;
  std::int64_t total = kHeaderBytes;
  for (std::size_t i = 0; i < set.Programs.size(); ++i) {
    std::int64_t length = 0;
    if (int code = GenerateProgram(set.Programs[i], static_cast<int>(i), set.ColorType, length)) {
      return code;
    }
    total += length;
    if (total > kMaxLength) return KQ_ERR_BAD_SIZE;
  }
  auto data = std::make_shared<Bytes>(kHeaderBytes, std::uint8_t{0});
  data->reserve(static_cast<std::size_t>(total));
  std::uint8_t* header = data->data();
  WriteLe16(header + kScreenWidthAt, set.Width);
  WriteLe16(header + kScreenHeightAt, set.Height);
  header[kColorTypeAt] = static_cast<std::uint8_t>(set.ColorType);
  header[kProgramCountAt] = static_cast<std::uint8_t>(set.Programs.size());
  header[kHeaderModeAt] = HeaderModeByte(set.HeaderMode);
  for (ProgramEntry& program : set.Programs) {
    Append(*data, program.Record, 0, program.Record.size());
    program.Record = {};
    for (AreaEntry& area : program.Areas) AppendArea(*data, area);
  }
  assert(data->size() == static_cast<std::size_t>(total));
  set.DisplayData = std::move(data);
  set.Dirty = false;
  return KQ_OK;
}

// Generates the set of handle under its lock when it is dirty; on success gives the
// data when snapshot is not null.
[[nodiscard]] int GenerateHandle(ProgramHandle handle, DisplaySnapshot* snapshot) {
  const std::shared_ptr<ProgramSet> set = FindProgramSet(handle);
  if (!set) return KQ_ERR_BAD_HANDLE;
  std::lock_guard guard(set->Lock);
  if (set->Dirty) {
    const int result = Guarded([&] { return Generate(*set); });
    ReleaseGenerated(*set);
    if (result != KQ_OK) return result;
  }
  if (snapshot) *snapshot = set->DisplayData;
  return KQ_OK;
}

}  // namespace

int SnapshotDisplayData(ProgramHandle handle, DisplaySnapshot& snapshot) {
  return GenerateHandle(handle, &snapshot);
}

KQ_API int32_t KQ_GenerateProgramData(ProgramHandle handle) {
  return GenerateHandle(handle, nullptr);
}

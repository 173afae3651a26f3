#include "app/prerender/flash_converter.h"

#include <algorithm>
#include <limits>
#include <variant>

#include "controls/dialogs/busy_screen.h"
#include "model/common/bounded_text.h"
#include "model/project/content_size.h"
#include "model/settings/fixed_texts.h"
#include "model/settings/lang_sections.h"
#include "platform/blocking_call.h"
#include "render/flash/flash_text_call.h"
#include "render/frame/pak_freshness.h"

namespace {

// What the busy window says while the recorders run (PUBLIC section).
constexpr int kConvertingText = 1010;

// The background colour the recorders write into their frame files' headers: none.
constexpr ColorRef kRecordedBackColor = 0xFFFFFFFF;

// Whether content must be recorded: marked so, or its frame file is missing or not a
// sound frame file of its size.
bool MustRecord(std::int32_t flag, const char16_t (&guid)[kNameCapacity], ContentSize size) {
  return flag != 0 ||
         IsPakOutdated(ReadBoundedText(guid), size.width, size.height, kRecordedBackColor) != 0;
}

// Deletes the recorders that are done, clearing the flag of each complete recording's
// item; answers how many were deleted.
template <typename List, typename Flag>
int DeleteFinished(List& recorders, Flag flagOf) {
  int deleted = 0;
  for (auto entry = recorders.begin(); entry != recorders.end();) {
    if (!entry->recorder->IsDone()) {
      ++entry;
      continue;
    }
    if (!entry->recorder->RecordFailed()) flagOf(*entry->item) = 0;
    entry = recorders.erase(entry);
    ++deleted;
  }
  return deleted;
}

}  // namespace

CFlashConverter::CFlashConverter(const PlayClock& clock) : clock_(clock) {}

CFlashConverter::~CFlashConverter() = default;

int CFlashConverter::PrepareScreen(const ScreenSendJob& job) {
  CollectScreen(job);
  StartRecorders();
  return 1;
}

void CFlashConverter::CollectScreen(const ScreenSendJob& job) {
  for (const ProgramSendItem& program : job.Programs) {
    for (AreaRecord* area : program.Areas) {
      if (area != nullptr) CollectArea(*area);
    }
  }
}

void CFlashConverter::CollectArea(AreaRecord& area) {
  const ContentSize size = AreaContentSize(area);
  auto* words = std::get_if<std::vector<FlashWordItem>>(&area.Kind);
  if (area.AreaType == kFlashWordArea && words != nullptr) {
    for (FlashWordItem& word : *words) {
      if (MustRecord(word.IsChanged, word.guid, size) && TakeName(word.guid)) {
        flashItems_.push_back({&word, size.width, size.height});
      }
    }
  }
  if (area.IsUseBack == 0) return;
  for (BackgroundItem& background : area.Backgrounds) {
    if (background.FileType == kFlashBackground &&
        MustRecord(background.RenderFlag, background.guid, size) && TakeName(background.guid)) {
      backgrounds_.push_back({&background, size.width, size.height});
    }
  }
}

bool CFlashConverter::TakeName(const char16_t* guid) {
  const QString name = ReadBoundedText(guid, kNameCapacity);
  if (names_.contains(name)) return false;
  names_.insert(name);
  return true;
}

void CFlashConverter::StartRecorders() {
  for (const auto& entry : flashItems_) StartText(entry);
  for (const auto& entry : backgrounds_) StartBackground(entry);
  flashItems_.clear();
  backgrounds_.clear();
}

void CFlashConverter::StartText(const Collected<FlashWordItem>& entry) {
  const FlashWordItem& word = *entry.item;
  auto recorder = std::make_unique<CSwfDialog>(clock_);
  FlashTextRecord record;
  record.playStyle = word.PlayStyle;
  record.outputName = ReadBoundedText(word.guid);
  record.text = word.ShowStr;
  record.width = entry.width;
  record.height = entry.height;
  record.record = 1;
  if (recorder->RenderFlashText(FlashWordStyleOf(word), record) == 0) return;
  const std::int64_t limitMs =
      std::int64_t{kFlashWordRecordLimitMs} * (std::int64_t{recorder->LineCount()} + 1);
  longestLimitMs_ = std::max(longestLimitMs_, limitMs);
  textRecorders_.push_back({std::move(recorder), entry.item});
  ++running_;
}

void CFlashConverter::StartBackground(const Collected<BackgroundItem>& entry) {
  const BackgroundItem& background = *entry.item;
  auto recorder = std::make_unique<CBackSwfImage>(clock_);
  if (recorder->Load(background.BackVaule, entry.width, entry.height, 1,
                     ReadBoundedText(background.guid)) == 0) {
    return;
  }
  longestLimitMs_ = std::max(longestLimitMs_, std::int64_t{kFlashRecordLimitMs});
  backgroundRecorders_.push_back({std::move(recorder), entry.item});
  ++running_;
}

void CFlashConverter::CollectFinished() {
  running_ -= DeleteFinished(textRecorders_,
                             [](FlashWordItem& word) -> std::int32_t& { return word.IsChanged; });
  running_ -= DeleteFinished(backgroundRecorders_, [](BackgroundItem& background) -> std::int32_t& {
    return background.RenderFlag;
  });
}

int CFlashConverter::WaitUntilDone() {
  if (running_ == 0) return 1;
  const BusyScreen busy(ReadLangTextOrFixed(lang_section::PUBLIC, kConvertingText));
  const std::uint32_t beganMs = clock_.TickMs();
  const std::int64_t backstopMs = longestLimitMs_ + kFlashWaitMarginMs;
  // The recorders' timers wake the wait; its own timeout wakes it at the backstop,
  // should none tick by then.
  static_cast<void>(WaitDispatchingUntil(
      [&] {
        CollectFinished();
        return running_ == 0 || clock_.ElapsedMs(beganMs) >= backstopMs;
      },
      static_cast<int>(std::min<std::int64_t>(backstopMs, std::numeric_limits<int>::max()))));
  // Past the backstop: what still runs is dropped, with its partial frame file.
  textRecorders_.clear();
  backgroundRecorders_.clear();
  running_ = 0;
  return 1;
}

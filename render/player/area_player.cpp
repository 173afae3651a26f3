#include "render/player/area_player.h"

#include <QString>

#include <algorithm>
#include <limits>
#include <type_traits>
#include <variant>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/project/content_size.h"
#include "render/borders/border_renderer.h"
#include "render/clock/analog_clock.h"
#include "render/clock/clock_time.h"
#include "render/clock/digital_clock.h"
#include "render/common/preview_colors.h"
#include "render/flash/back_swf_image.h"
#include "render/flash/flash_text_call.h"
#include "render/flash/swf_dialog.h"
#include "render/frame/pak_file.h"
#include "render/media/media_item_player.h"
#include "render/player/scroll_player.h"
#include "render/raster/dib24.h"
#include "render/raster/stretch_image.h"

namespace {

// The entry effect that scrolls a line continuously instead of showing it page by page.
constexpr int kContinuousScroll = 6;
// AddType of a single-line page of an image-text area.
constexpr int kSingleLinePage = 2;
// Media kinds a page may have; larger FileTypes are pages rendered into frame files.
constexpr int kFrameFileKind = 0;
constexpr int kLastMediaKind = 4;
// Text, rich-text and document pages (FileType 5-7) are played from the frame files
// they were rendered into.
constexpr int kFirstRenderedKind = 5;
constexpr int kLastRenderedKind = 7;

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

// Speed of an entry effect from a speed setting, and a stay in tenths of a second from
// one in seconds, both safe for any value a file holds.
int EffectSpeed(int setting) { return ClampToInt(std::int64_t{setting} * 5 + 5); }
int StayTenths(int seconds) { return ClampToInt(std::int64_t{seconds} * 10); }

// The area's rectangle, less margin on every side.
PixelRect AreaRect(const AreaRecord& area, std::int64_t margin) {
  return {ClampToInt(area.AreaRect_Left + margin), ClampToInt(area.AreaRect_Top + margin),
          ClampToInt(area.AreaRect_Right - margin), ClampToInt(area.AreaRect_Bottom - margin)};
}

// The border margin of the content: only an area that uses its border gives it room.
std::int64_t ContentMargin(const AreaRecord& area) {
  return area.IsUseBorder != 0 ? area.BorderWidth : 0;
}

// The frame file of the content named by a GUID field.
QString FramePath(const char16_t (&guid)[kNameCapacity]) {
  return PakFramePath(ReadBoundedText(guid));
}

// The smallest rectangle that holds both; an empty one counts as none.
PixelRect UnitedRect(const PixelRect& a, const PixelRect& b) {
  if (a.IsEmpty()) return b.IsEmpty() ? PixelRect{} : b;
  if (b.IsEmpty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

}  // namespace

CAreaPlayer::CAreaPlayer(const AreaRecord* area, int itemIndex, ScreenPicture* target,
                         int background, const PlayClock& clock)
    : itemIndex_(itemIndex),
      target_(target),
      background_(background != 0 ? 1 : 0),
      area_(area),
      clock_(clock) {
  if (area_ == nullptr) return;
  colors_ = PreviewColors(area_->OwnerScreen);
  const ContentSize inner = AreaContentSize(*area_);
  innerWidth_ = inner.width;
  innerHeight_ = inner.height;
  if (Dib24::IsValidSize(innerWidth_, innerHeight_)) {
    picture_ = QImage(innerWidth_, innerHeight_, QImage::Format_RGB32);
    picture_.fill(Qt::black);
  }
  ChooseRenderFunction();
  if (area_->IsUseBorder != 0 && background_ == 0 && target_ != nullptr) {
    border_ = std::make_unique<CBorderRenderer>();
    const LiveRect rect{&area_->AreaRect_Left, &area_->AreaRect_Top, &area_->AreaRect_Right,
                        &area_->AreaRect_Bottom};
    border_->Init(rect, target_, area_->BorderType, area_->BorderValue, area_->BorderStyle,
                  area_->BorderColor, area_->BorderSpeed, colors_);
  }
}

CAreaPlayer::~CAreaPlayer() = default;

void CAreaPlayer::ChooseRenderFunction() {
  const AreaKindRecord& kind = area_->Kind;
  if (background_ != 0) {
    render_ = &CAreaPlayer::DrawBackground;
  } else if (std::holds_alternative<SingleLineAreaInfo>(kind)) {
    render_ = &CAreaPlayer::DrawSingleLineArea;
  } else if (std::holds_alternative<std::vector<FileItem>>(kind)) {
    render_ = &CAreaPlayer::DrawImageWordArea;
  } else if (std::holds_alternative<std::vector<FlashWordItem>>(kind)) {
    render_ = &CAreaPlayer::DrawFlashWordArea;
  } else if (const auto* digital = std::get_if<DigitalClockAreaInfo>(&kind)) {
    render_ = &CAreaPlayer::DrawDigitalClockArea;
    digitalClock_ = std::make_unique<CDigitalClockImage>(clock_);
    digitalClock_->width = innerWidth_;
    digitalClock_->height = innerHeight_;
    digitalClock_->settings = digital;
    digitalClock_->startTick = clock_.TickMs();
    digitalClock_->colors = colors_;
  } else if (const auto* analog = std::get_if<ClockAreaInfo>(&kind)) {
    render_ = &CAreaPlayer::DrawClockArea;
    analogClock_ = std::make_unique<CClockImage>(clock_);
    // A face that cannot be made draws nothing but still reports its passes.
    static_cast<void>(analogClock_->Init(innerHeight_, innerWidth_, analog, colors_));
  } else if (const auto* countdown = std::get_if<TimeAreaInfo>(&kind)) {
    render_ = &CAreaPlayer::DrawTimeArea;
    countdown_ = std::make_unique<CountdownState>(
        MakeCountdownState(innerWidth_, innerHeight_, countdown, clock_, colors_));
  } else {
    // Files, and an area of no known kind, which holds no items: an empty list.
    render_ = &CAreaPlayer::DrawFileArea;
  }
}

int CAreaPlayer::Render() {
  shown_.clear();
  const int result = Advance();
  Compose();
  return result;
}

void CAreaPlayer::BeginTick() {
  lastShown_.swap(shown_);
  shown_.clear();
  lastPictureKey_ = picture_.cacheKey();
}

int CAreaPlayer::Advance() {
  if (render_ == nullptr || picture_.isNull() || target_ == nullptr) return 0;
  return (this->*render_)();
}

// Every copy of a tick shows the same picture: an area copies at most once a call,
// after drawing, and only a list with nothing to play copies and then finishes.
void CAreaPlayer::Compose() const {
  for (const Shown& step : shown_) {
    if (step.border) {
      border_->Paint(step.offset);
    } else {
      CopyInto(step.rect);
    }
  }
}

bool CAreaPlayer::Changed() const {
  // Every writer of the picture takes its pixels through a detaching call, which
  // changes the cache key.
  return shown_ != lastShown_ || picture_.cacheKey() != lastPictureKey_;
}

PixelRect CAreaPlayer::Bounds(const std::vector<Shown>& shown) {
  PixelRect bounds;
  for (const Shown& step : shown) bounds = UnitedRect(bounds, step.rect);
  return bounds;
}

void CAreaPlayer::Restart() {
  if (background_ == 0 && (digitalClock_ || analogClock_ || countdown_)) {
    if (digitalClock_) digitalClock_->startTick = clock_.TickMs();
    if (analogClock_) analogClock_->Restart();
    if (countdown_) countdown_->startTick = clock_.TickMs();
    return;
  }
  CloseItem();
  currentItem_ = -1;
  itemsToPlay_ = -1;
  itemsFinished_ = 0;
}

// --- Copies and border ---------------------------------------------------------------

void CAreaPlayer::AreaCopy() {
  shown_.push_back({false, AreaRect(*area_, ContentMargin(*area_)), 0});
}

void CAreaPlayer::WholeAreaCopy() { shown_.push_back({false, AreaRect(*area_, 0), 0}); }

void CAreaPlayer::CopyInto(const PixelRect& rect) const {
  const NearestCopy copy = transparent_ != 0 ? NearestCopy::kKeyedOnBlack : NearestCopy::kOpaque;
  // The picture always lies inside itself, so the copy cannot fail.
  static_cast<void>(StretchNearest(picture_, PixelRectOfSize(innerWidth_, innerHeight_),
                                   target_->image, target_->ToPicture(rect), copy, colors_));
}

void CAreaPlayer::StepBorder() {
  if (!border_) return;
  border_->Step();
  PixelRect bounds;
  for (const PixelRect& band : border_->Bands()) bounds = UnitedRect(bounds, band);
  shown_.push_back({true, bounds, border_->PaintOffset()});
}

// --- Item lists ----------------------------------------------------------------------

// The four lists play alike; each kind's items are opened by OpenItem.
int CAreaPlayer::DrawBackground() { return DrawItemList(); }
int CAreaPlayer::DrawImageWordArea() { return DrawItemList(); }
int CAreaPlayer::DrawFlashWordArea() { return DrawItemList(); }
int CAreaPlayer::DrawFileArea() { return DrawItemList(); }

int CAreaPlayer::ItemCount() const {
  if (background_ != 0) return static_cast<int>(area_->Backgrounds.size());
  if (const auto* pages = ImageTextPages(area_->Kind)) return static_cast<int>(pages->size());
  return std::visit(
      [](const auto& kind) {
        using Kind = std::decay_t<decltype(kind)>;
        if constexpr (std::is_same_v<Kind, std::vector<FlashWordItem>> ||
                      std::is_same_v<Kind, std::vector<FileAreaItem>>) {
          return static_cast<int>(kind.size());
        } else {
          return 0;
        }
      },
      area_->Kind);
}

int CAreaPlayer::DrawItemList() {
  const int count = ItemCount();
  if (itemIndex_ == kStaticArea) {
    WholeAreaCopy();
    if (background_ != 0) return 0;
    StepBorder();
    return 1;
  }
  if (itemsToPlay_ == -1) {
    // A list with nothing to play (empty, or an index past its end) shows the picture
    // as it stands and reports a finished pass on every call.
    if (count == 0 || itemIndex_ >= count) {
      WholeAreaCopy();
      if (background_ == 0) StepBorder();
      return 0;
    }
    itemsToPlay_ = itemIndex_ == kEveryItem ? count : 1;
    currentItem_ = itemIndex_ == kEveryItem ? 0 : itemIndex_;
    if (!OpenCurrentItem()) return 0;
  }
  // Each round ends an item, so the loop ends within the pass.
  while (itemsFinished_ < itemsToPlay_) {
    if (StepItem() != 0) {
      AreaCopy();
      if (background_ == 0) StepBorder();
      return 1;
    }
    CloseItem();
    ++currentItem_;
    ++itemsFinished_;
    if (itemsFinished_ == itemsToPlay_ || !OpenCurrentItem()) return 0;
  }
  return 0;  // the pass is over and has not been restarted
}

bool CAreaPlayer::OpenCurrentItem() {
  while (HasFailed(currentItem_) || !OpenItem(currentItem_)) {
    MarkFailed(currentItem_);
    ++currentItem_;
    ++itemsFinished_;
    if (itemsFinished_ >= itemsToPlay_) return false;
  }
  return true;
}

bool CAreaPlayer::HasFailed(int position) const {
  return position >= 0 && position < static_cast<int>(failed_.size()) && failed_[position];
}

void CAreaPlayer::MarkFailed(int position) {
  if (position < 0) return;
  if (position >= static_cast<int>(failed_.size())) failed_.resize(position + 1, false);
  failed_[position] = true;
}

bool CAreaPlayer::OpenItem(int position) {
  if (position < 0) return false;
  const auto at = [position](const auto& list) {
    return position < static_cast<int>(list.size()) ? &list[position] : nullptr;
  };
  if (background_ != 0) {
    const BackgroundItem* item = at(area_->Backgrounds);
    return item != nullptr && OpenBackground(*item);
  }
  if (const auto* pages = ImageTextPages(area_->Kind)) {
    const FileItem* item = at(*pages);
    return item != nullptr && OpenPage(*item);
  }
  if (const auto* words = std::get_if<std::vector<FlashWordItem>>(&area_->Kind)) {
    const FlashWordItem* item = at(*words);
    return item != nullptr && OpenFlashWord(*item);
  }
  if (const auto* files = std::get_if<std::vector<FileAreaItem>>(&area_->Kind)) {
    const FileAreaItem* item = at(*files);
    return item != nullptr && OpenFileEntry(*item);
  }
  return false;
}

bool CAreaPlayer::OpenBackground(const BackgroundItem& item) {
  if (item.FileType != kFlashBackground) {
    return OpenMedia(FromStoredPath(ReadBoundedText(item.FilePath)), item.FileType, 0, 0,
                     StayTenths(item.DelayTime), 0);
  }
  auto background = std::make_unique<CBackSwfImage>(clock_);
  if (background->Load(item.BackVaule, innerWidth_, innerHeight_, 0, ReadBoundedText(item.guid)) ==
      0) {
    return false;
  }
  flashBackground_ = std::move(background);
  return true;
}

bool CAreaPlayer::OpenPage(const FileItem& item) {
  if (item.AddType == kSingleLinePage && item.InStyle == kContinuousScroll) {
    return OpenScroll(FramePath(item.guid), item.InSpeed, item.PageCount);
  }
  const bool rendered = item.FileType == kFrameFileKind ||
                        (item.FileType >= kFirstRenderedKind && item.FileType <= kLastRenderedKind);
  const QString path =
      rendered ? FramePath(item.guid) : FromStoredPath(ReadBoundedText(item.FileName));
  const int kind = item.FileType <= kLastMediaKind ? item.FileType : kFrameFileKind;
  return OpenMedia(path, kind, item.InStyle, EffectSpeed(item.InSpeed), StayTenths(item.DelayTime),
                   0);
}

bool CAreaPlayer::OpenScroll(const QString& path, int speedSetting, int lineWidth) {
  auto scroll = std::make_unique<ScrollPlayer>();
  // SpeedOfSetting is ScrollSpeedTable[setting] for a setting kept inside 0-31.
  if (scroll->Load(&picture_, path, innerWidth_, innerHeight_, SpeedOfSetting(speedSetting),
                   ScrollPasses(lineWidth, innerWidth_)) == 0) {
    return false;
  }
  scroll_ = std::move(scroll);
  return true;
}

bool CAreaPlayer::OpenFlashWord(const FlashWordItem& item) {
  auto dialog = std::make_unique<CSwfDialog>(clock_);
  FlashTextRecord record;
  record.playStyle = item.PlayStyle;
  record.outputName = ReadBoundedText(item.guid);
  record.text = item.ShowStr;
  record.width = innerWidth_;
  record.height = innerHeight_;
  if (dialog->RenderFlashText(FlashWordStyleOf(item), record) == 0) return false;
  flashDialog_ = std::move(dialog);
  return true;
}

bool CAreaPlayer::OpenFileEntry(const FileAreaItem& item) {
  return OpenMedia(FromStoredPath(ReadBoundedText(item.FilePath)), item.FileType, item.InStyle,
                   EffectSpeed(item.InSpeed), StayTenths(item.DelayTime), 0);
}

bool CAreaPlayer::OpenMedia(const QString& path, int kind, int effect, int speed, int stay,
                            std::uint32_t fill) {
  auto media = std::make_unique<MediaItemPlayer>(clock_);
  if (media->Load(&picture_, path, kind, innerWidth_, innerHeight_, effect, speed, stay, fill) ==
      0) {
    return false;
  }
  media_ = std::move(media);
  return true;
}

int CAreaPlayer::StepItem() {
  if (media_) return media_->Step();
  if (scroll_) return scroll_->Step(innerWidth_, innerHeight_);
  if (flashBackground_) return flashBackground_->Draw(picture_, innerWidth_, innerHeight_);
  if (flashDialog_) {
    if (flashDialog_->FlashEventCount() >= flashDialog_->LineCount()) return 0;
    // A print that fails leaves the picture as it stood.
    static_cast<void>(flashDialog_->Capture(picture_));
    return 1;
  }
  return 0;
}

void CAreaPlayer::CloseItem() {
  media_.reset();
  scroll_.reset();
  flashBackground_.reset();
  flashDialog_.reset();
}

// --- Single line ---------------------------------------------------------------------

int CAreaPlayer::DrawSingleLineArea() {
  if (itemIndex_ == kStaticArea) {
    WholeAreaCopy();
    StepBorder();
    return 1;
  }
  const auto* kind = std::get_if<SingleLineAreaInfo>(&area_->Kind);
  if (kind == nullptr) return 0;  // the area has changed its kind under the player
  const SingleLineAreaInfo& line = *kind;
  if (itemsToPlay_ == -1) {
    itemsToPlay_ = 1;
    currentItem_ = 0;
    const QString path = FramePath(line.guid);
    const bool opened =
        !HasFailed(0) &&
        (line.InStyle == kContinuousScroll
             ? OpenScroll(path, line.InSpeed, line.PageCount)
             : OpenMedia(path, kFrameFileKind, line.InStyle, EffectSpeed(line.InSpeed),
                         StayTenths(line.DelayTime), line.BackColor));
    if (!opened) {
      MarkFailed(0);
      return 0;
    }
  }
  if (StepItem() == 0) {
    CloseItem();
    itemsFinished_ = 1;
    return 0;
  }
  AreaCopy();
  StepBorder();
  return 1;
}

// --- Clocks and countdown ------------------------------------------------------------

int CAreaPlayer::ClockResult(bool running) {
  if (!running && itemIndex_ != kStaticArea) return 0;
  AreaCopy();
  StepBorder();
  return 1;
}

int CAreaPlayer::DrawDigitalClockArea() {
  digitalClock_->Draw(picture_);
  return ClockResult(!ClockPassOver(clock_, digitalClock_->startTick));
}

int CAreaPlayer::DrawClockArea() { return ClockResult(analogClock_->Draw(picture_) != 0); }

int CAreaPlayer::DrawTimeArea() { return ClockResult(DrawCountdown(picture_, *countdown_) != 0); }

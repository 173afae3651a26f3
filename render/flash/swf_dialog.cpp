#include "render/flash/swf_dialog.h"

#include "model/common/app_paths.h"
#include "model/common/file_system.h"
#include "model/xml/xml_escape.h"
#include "render/common/random_source.h"
#include "render/frame/pak_file.h"
#include "render/raster/gdi_text.h"

namespace {

std::function<void(const QString&)>& Notice() {
  static std::function<void(const QString&)> notice;
  return notice;
}

// The template of a play style; empty for a style no template can have.
QString TemplatePath(int playStyle) {
  if (playStyle < 0) return {};
  return AppFilePath(AppFolder::Data,
                     QStringLiteral("flashword/") + QString::number(std::int64_t{playStyle} + 1));
}

std::uint32_t ToRrggbb(ColorRef color) {
  return (static_cast<std::uint32_t>(ColorRefRed(color)) << 16) |
         (static_cast<std::uint32_t>(ColorRefGreen(color)) << 8) |
         static_cast<std::uint32_t>(ColorRefBlue(color));
}

// A colour of a record, when it has one.
bool HasBackColor(const FlashTextRecord& record) {
  return record.backColor >= 0 && record.backColor <= 0xFFFFFFFF;
}

constexpr std::uint32_t kNoBackColor = 0xFFFFFFFF;

}  // namespace

void SetFlashWordNotice(std::function<void(const QString&)> notice) {
  Notice() = std::move(notice);
}

CSwfDialog::CSwfDialog(const PlayClock& clock) : clock_(clock) {}

CSwfDialog::~CSwfDialog() { Close(); }

void CSwfDialog::Close() {
  StopTimer();
  control_.Destroy();
  frameFile_.reset();  // an unfinished frame file is discarded
  capture_ = QImage();
  frame_ = Dib24();
}

void CSwfDialog::StopTimer() {
  if (!timerRunning_) return;
  timerRunning_ = false;
  // Fails only when no such timer runs, which timerRunning_ rules out.
  static_cast<void>(KillTimer(Handle(), kFlashWordTimerId));
}

QString CSwfDialog::BuildAddTextCall(const FlashWordStyle& style, const QString& wrappedText,
                                     int width, int height) {
  const QFont font = FlashWordFont(style);
  const int w1 = TextExtent(font, QStringLiteral("国")).width();
  const int w2 = TextExtent(font, QStringLiteral("W")).width();
  const QString color = FlashColorText(style.fontColor);
  const auto flag = [](bool set) { return set ? QStringLiteral("true") : QString(); };
  const QStringList fields{EscapeXmlText(wrappedText, false),
                           QString::number(width),
                           QString::number(height),
                           EscapeXmlText(FlashFontFamily(style.fontName), false),
                           QString::number(w1),
                           QStringLiteral("0`0`0`0"),
                           color,
                           color,
                           color,
                           QString(),
                           flag(style.bold),
                           flag(style.italic),
                           flag(style.underline),
                           QStringLiteral("true"),
                           QString::number(1),
                           QStringLiteral("1.0`0x0`1.swf``2000"),
                           QString::number(w1 * 113),
                           QString::number(w2 * 123)};
  return QStringLiteral("<invoke name=\"addText\" returntype=\"xml\"><arguments><string>") +
         fields.join(u'`') + QStringLiteral("`</string></arguments></invoke>");
}

int CSwfDialog::RenderFlashText(const FlashWordStyle& style, const FlashTextRecord& record) {
  Close();
  done_ = 0;
  failed_ = false;
  eventCount_ = 0;
  lineCount_ = 0;
  const QString movie = TemplatePath(record.playStyle);
  if (movie.isEmpty() || !FileExists(movie) || !Dib24::IsValidSize(record.width, record.height)) {
    return 0;
  }
  const int x = ProcessRandom().Below(299) + 1;
  const int y = ProcessRandom().Below(299) + 1;
  if (!control_.Create({x, y, x + kFlashWordControlWidth + 1, y + kFlashWordControlHeight + 1},
                       {kFlashWordControlWidth, kFlashWordControlHeight})) {
    return 0;  // no player here: the item is skipped, as for a missing template
  }
  control_.SetFlashCallHandler([this](const QString&) { ++eventCount_; });
  const WrappedFlashText wrapped = WrapFlashText(record.text, FlashWordFont(style), record.width);
  lineCount_ = wrapped.lines;
  if (!StartPlaying(style, record, wrapped.text, movie)) {
    Close();
    // In play the players open a failing item again on every tick: only a
    // recording, asked for once, shows the notice.
    if (record.record != 0 && Notice()) Notice()(QStringLiteral("parameter error！"));
    return 0;
  }
  if (record.record == 0) return 1;
  if (!StartRecording(record)) {
    Close();
    return 0;
  }
  return 1;
}

bool CSwfDialog::StartPlaying(const FlashWordStyle& style, const FlashTextRecord& record,
                              const QString& wrappedText, const QString& movie) {
  return control_.SetMovie(movie) &&
         (!HasBackColor(record) ||
          control_.SetBackgroundColor(ToRrggbb(static_cast<ColorRef>(record.backColor)))) &&
         control_.SetLoop(true) &&
         control_.CallFunction(BuildAddTextCall(style, wrappedText, record.width, record.height))
             .has_value();
}

bool CSwfDialog::StartRecording(const FlashTextRecord& record) {
  name_ = PakFramePath(record.outputName);
  if (name_.isEmpty()) return false;
  const std::uint32_t color =
      HasBackColor(record) ? ToRrggbb(static_cast<ColorRef>(record.backColor)) : kNoBackColor;
  frameFile_ = std::make_unique<PakWriter>();
  if (!frameFile_->Open(name_, record.width, record.height, color)) return false;
  capture_ = QImage(record.width, record.height, QImage::Format_RGB32);
  frame_ = Dib24(record.width, record.height);
  startTick_ = clock_.TickMs();
  timerRunning_ = SetTimer(Handle(), kFlashWordTimerId, kFlashWordIntervalMs);
  return timerRunning_;
}

int CSwfDialog::Capture(QImage& picture) {
  return !picture.isNull() && control_.Capture(picture) ? 1 : 0;
}

LRESULT CSwfDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_TIMER) return MessageWindow::WindowProc(msg, wParam, lParam);
  OnTimer(static_cast<UINT>(wParam));
  return 0;
}

void CSwfDialog::OnTimer(UINT timerId) {
  // Ticks already queued when the recording ended are ignored.
  if (timerId != kFlashWordTimerId || !timerRunning_ || frameFile_ == nullptr) return;
  const std::int64_t limitMs = std::int64_t{kFlashWordRecordLimitMs} * (lineCount_ + 1);
  if (clock_.ElapsedMs(startTick_) >= limitMs) {
    EndRecording(false);
  } else if (eventCount_ >= lineCount_) {
    EndRecording(frameFile_->Finish(0));
  } else if (control_.Capture(capture_)) {  // a failed capture is tried again next tick
    frame_.CopyFromImage(capture_, 0, 0);
    if (!frameFile_->AppendFrame(frame_)) EndRecording(false);
  }
}

void CSwfDialog::EndRecording(bool complete) {
  StopTimer();
  frameFile_.reset();  // a failed recording leaves no frame file
  done_ = 1;
  failed_ = !complete;
}

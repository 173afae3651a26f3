#pragma once
// CSwfDialog plays one flash-word item: a template of "Data/flashword/" (numbered
// play style + 1) on a Flash host, given the item's wrapped text through one
// "addText" call. The template raises a FlashCall event after each line it has
// shown; the players end the item when the events reach the line count. In record
// mode timer 1 captures the control every 66 ms into the item's frame file until
// then. A recording not complete kFlashWordRecordLimitMs per line (plus one more)
// after it began ends failed and leaves no frame file. The timer arrives as
// WM_TIMER, so a recorder advances while its owner dispatches messages. GUI thread
// only.

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/message_window.h"
#include "render/common/play_clock.h"
#include "render/flash/flash_text_call.h"
#include "render/flash/shockwave_flash.h"
#include "render/frame/pak_writer.h"
#include "render/raster/dib24.h"

constexpr UINT kFlashWordTimerId = 1;
constexpr UINT kFlashWordIntervalMs = 66;
// The longest a recording may take for each wrapped line, and once more on top: a
// template that never raises its line events would otherwise be waited for ever.
constexpr std::uint32_t kFlashWordRecordLimitMs = 10000;
// The control's size; the window is one pixel larger each way.
constexpr int kFlashWordControlWidth = 1000;
constexpr int kFlashWordControlHeight = 500;

// What the text is played as. backColor is a COLORREF, or -1 for none.
struct FlashTextRecord {
  int playStyle = 0;   // effect index; the template is file playStyle + 1
  QString outputName;  // the item's GUID text, which names its frame file
  QString text;
  int width = 0;
  int height = 0;
  std::int64_t backColor = -1;
  int record = 0;
};

// Where the notice of a failed control call goes while recording; the program sets
// it at start-up to its styled message box. Without one, nothing is shown.
void SetFlashWordNotice(std::function<void(const QString& text)> notice);

class CSwfDialog : public MessageWindow {
 public:
  explicit CSwfDialog(const PlayClock& clock = SystemPlayClock());
  ~CSwfDialog() override;  // closes the host, the picture and an open frame file

  // Opens the template of record.playStyle on a host window of 1001 x 501 pixels
  // at a random place (1-299, 1-299) and hands it the wrapped text; with
  // record.record set, also starts recording into the frame file of
  // record.outputName. 1 when playing; 0 when the template is missing, no player
  // can be made, the size or name is not usable, a control call fails (then,
  // recording, with the notice "parameter error！") or the frame file cannot be
  // created.
  int RenderFlashText(const FlashWordStyle& style, const FlashTextRecord& record);

  // The addText call of wrappedText for an area of width x height in the style.
  static QString BuildAddTextCall(const FlashWordStyle& style, const QString& wrappedText,
                                  int width, int height);

  // What the players read: the FlashCall events so far, the lines of the text (the
  // item has ended when both are equal), and the control's picture.
  int FlashEventCount() const { return eventCount_; }
  int LineCount() const { return lineCount_; }
  // Prints the control's top-left picture-sized part into picture; 1 when printed.
  int Capture(QImage& picture);
  // A recording has ended: complete (its frame file in place) or failed (none).
  bool IsDone() const { return done_ != 0; }
  bool RecordFailed() const { return failed_; }

  // One tick of timer 1: the recorder's step.
  void OnTimer(UINT timerId);
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Close();
  [[nodiscard]] bool StartPlaying(const FlashWordStyle& style, const FlashTextRecord& record,
                                  const QString& wrappedText, const QString& movie);
  [[nodiscard]] bool StartRecording(const FlashTextRecord& record);
  void StopTimer();
  void EndRecording(bool complete);

  CShockwaveFlash control_;
  int done_ = 0;
  QString name_;
  int lineCount_ = 0;
  int eventCount_ = 0;
  std::unique_ptr<PakWriter> frameFile_;  // open while recording
  QImage capture_;
  Dib24 frame_;
  const PlayClock& clock_;
  std::uint32_t startTick_ = 0;
  bool timerRunning_ = false;
  bool failed_ = false;
};

#pragma once
// CSwf plays one movie on a Flash host and captures its pictures. In record mode it
// writes the movie's first 50 painted frames into a frame file: timer 1 captures the
// control every 100 ms; until a capture's pixel (0, 0) has neither green nor blue the
// movie counts as not yet painted and nothing is written. A recording that is not
// complete kFlashRecordLimitMs after Play ends failed and leaves no frame file. The
// timer arrives as WM_TIMER, so a recorder advances while its owner dispatches
// messages. GUI thread only.

#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>

#include "platform/message_window.h"
#include "render/common/play_clock.h"
#include "render/flash/shockwave_flash.h"
#include "render/frame/pak_writer.h"
#include "render/raster/dib24.h"

constexpr UINT kFlashTimerId = 1;
constexpr UINT kFlashRecordIntervalMs = 100;
constexpr int kFlashRecordFrames = 50;
// The longest a recording may take from Play; a movie that never paints, or stops
// before its frames are in, would otherwise keep its owner waiting for ever.
constexpr std::uint32_t kFlashRecordLimitMs = 30000;
// The control of a background is always this size; the movie reads the area's size
// from its parameter file and draws into the top-left part.
constexpr int kFlashBackgroundControlWidth = 1150;
constexpr int kFlashBackgroundControlHeight = 525;

// True while a captured pixel shows that the movie has not painted yet.
inline bool FlashNotYetPainted(QRgb pixel) { return qGreen(pixel) != 0 || qBlue(pixel) != 0; }

class CSwf : public MessageWindow {
 public:
  explicit CSwf(const PlayClock& clock = SystemPlayClock());
  ~CSwf() override;

  // Makes the host's window at a random place (1-299, 1-299) of width x height and
  // its control, and loads the movie; in record mode also starts the frame file.
  // 1 when ready; 0 when no player can be made or a call fails, and then nothing is
  // left open. A control left from before is closed first.
  int Open(int width, const QString& moviePath, int height);
  // stay in tenths of a second: the movie loops and ends after stay x 100 ms; 0 lets
  // it play until it stops by itself. False when Loop cannot be set.
  [[nodiscard]] bool SetPlayLength(int stay);
  // Starts the movie and the play time; in record mode starts timer 1. 1, or 0 when
  // the player or the timer does not start.
  int Play();
  // 1 once the movie has ended: with a play length when it has run out (the movie
  // and timer 1 are then stopped), else when the player no longer plays.
  int HasEnded();
  // Prints the control into picture while the movie has not ended; 1 when printed.
  int Capture(QImage& picture);
  // One tick of timer 1: the recorder's step.
  void OnTimer(UINT timerId);

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  bool IsOpen() const { return control_.IsCreated(); }
  // A recording has ended: complete (its frame file in place) or failed (none).
  bool IsDone() const { return done_ != 0; }
  bool RecordFailed() const { return failed_; }

 protected:
  // Releases the control, the timer and an unfinished frame file.
  void Close();
  // Whether capture shows the movie's first paint: by its pixel (0, 0), unless the
  // host never captures anything else (a movie whose corner is white, green or blue
  // would otherwise never count as painted).
  bool ShowsFirstPaint(const QImage& capture) const {
    return control_.CapturesOnlyPaintedFrames() || !FlashNotYetPainted(capture.pixel(0, 0));
  }

  CShockwaveFlash control_;
  int controlWidth_ = 0;
  int controlHeight_ = 0;
  std::uint32_t startTick_ = 0;
  std::uint32_t playLengthMs_ = 0;
  int backgroundMode_ = 0;
  int recordMode_ = 0;
  QString framePath_;
  int started_ = 0;
  QImage capture_;  // record mode: the control's picture of the movie's size
  int done_ = 0;
  std::unique_ptr<PakWriter> frameFile_;  // open while recording
  Dib24 frame_;                           // the capture as the frame file stores it

 private:
  void StopTimer();
  void RecordCapture();
  void EndRecording(bool complete);

  const PlayClock& clock_;
  bool timerRunning_ = false;
  bool ended_ = false;  // the play length ran out and the movie was stopped
  bool failed_ = false;
};

#pragma once
// The Flash player behind the flash content: an interface of our own, so that the
// recorders, the backgrounds and their callers stay the same whatever plays the
// movies. Each operation stands for one member of the Shockwave Flash control (its
// dispatch id in the comment). A host also owns the window its player draws into;
// how that window is made (hidden, never activated, kept out of the task bar) is the
// host's business. Hosts are made by the factory the program registers once at
// start-up; without one, every host is a NullFlashHost, which never plays.
// GUI thread only.

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "render/raster/pixel_rect.h"

class FlashHost {
 public:
  // Receives the request text of one FlashCall event (197), on the GUI thread.
  using FlashCallHandler = std::function<void(const QString& request)>;

  FlashHost() = default;
  virtual ~FlashHost() = default;
  FlashHost(const FlashHost&) = delete;
  FlashHost& operator=(const FlashHost&) = delete;

  // Makes the player's window at windowRect (screen pixels) with a control of
  // controlSize. False when no player can be made; the host is then unusable.
  [[nodiscard]] virtual bool Create(const PixelRect& windowRect, QSize controlSize) = 0;

  [[nodiscard]] virtual bool SetMovie(const QString& path) = 0;             // Movie (102)
  [[nodiscard]] virtual bool SetLoop(bool loop) = 0;                        // Loop (106)
  [[nodiscard]] virtual bool SetScaleMode(int mode) = 0;                    // ScaleMode (120)
  [[nodiscard]] virtual bool SetBackgroundColor(std::uint32_t rrggbb) = 0;  // (123)
  [[nodiscard]] virtual bool SetMenu(bool menu) = 0;                        // Menu (135)
  [[nodiscard]] virtual bool Play() = 0;                                    // Play (112)
  [[nodiscard]] virtual bool Stop() = 0;                                    // Stop (113)
  virtual bool IsPlaying() = 0;                                             // IsPlaying (129)
  // CallFunction (198): the reply text, or nothing when the call failed.
  virtual std::optional<QString> CallFunction(const QString& request) = 0;

  // Prints the control's top-left picture.width() x picture.height() pixels into
  // picture (Format_RGB32). False when nothing could be printed.
  [[nodiscard]] virtual bool Capture(QImage& picture) = 0;
  // True when Capture never gives a picture from before the movie's first paint, so
  // that no caller need guess the first paint from a pixel's colour.
  virtual bool CapturesOnlyPaintedFrames() const { return false; }

  // Where the FlashCall events go from now on (an empty handler drops them).
  void SetFlashCallHandler(FlashCallHandler handler) { flashCall_ = std::move(handler); }

 protected:
  // Hands one FlashCall event to the handler; hosts call it on the GUI thread.
  void DeliverFlashCall(const QString& request) {
    if (flashCall_) flashCall_(request);
  }

 private:
  FlashCallHandler flashCall_;
};

// The host of a system without a Flash player: Create fails, and so does everything
// else.
class NullFlashHost final : public FlashHost {
 public:
  bool Create(const PixelRect&, QSize) override { return false; }
  bool SetMovie(const QString&) override { return false; }
  bool SetLoop(bool) override { return false; }
  bool SetScaleMode(int) override { return false; }
  bool SetBackgroundColor(std::uint32_t) override { return false; }
  bool SetMenu(bool) override { return false; }
  bool Play() override { return false; }
  bool Stop() override { return false; }
  bool IsPlaying() override { return false; }
  std::optional<QString> CallFunction(const QString&) override { return std::nullopt; }
  bool Capture(QImage&) override { return false; }
};

using FlashHostFactory = std::function<std::unique_ptr<FlashHost>()>;

// Makes every later host with factory; an empty factory puts the NullFlashHost back.
void SetFlashHostFactory(FlashHostFactory factory);

// A new host from the registered factory (a NullFlashHost when the factory gives
// none).
std::unique_ptr<FlashHost> MakeFlashHost();

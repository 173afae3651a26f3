#pragma once
// The Shockwave Flash control as its users hold it: a host from the registered
// factory, made by Create and released by Destroy. Every call answers false (or
// nothing) while no host is held, so a control that could not be made is harmless.

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

#include "render/flash/flash_host.h"
#include "render/raster/pixel_rect.h"

// The control's members by dispatch id, as the movies and templates know them.
enum FlashDispatchId : int {
  kFlashDispMovie = 102,
  kFlashDispLoop = 106,
  kFlashDispPlay = 112,
  kFlashDispStop = 113,
  kFlashDispScaleMode = 120,
  kFlashDispBackgroundColor = 123,
  kFlashDispIsPlaying = 129,
  kFlashDispMenu = 135,
  kFlashDispFlashCall = 197,  // event: the movie calls out to its container
  kFlashDispCallFunction = 198,
};

// ScaleMode 2: the movie is stretched to the control.
constexpr int kFlashScaleExactFit = 2;

class CShockwaveFlash {
 public:
  // Makes a host and its window; false (and no host held) when no player can be made.
  [[nodiscard]] bool Create(const PixelRect& windowRect, QSize controlSize);
  void Destroy() { host_.reset(); }
  bool IsCreated() const { return host_ != nullptr; }

  [[nodiscard]] bool SetMovie(const QString& path);
  [[nodiscard]] bool SetLoop(bool loop);
  [[nodiscard]] bool SetScaleMode(int mode);
  [[nodiscard]] bool SetBackgroundColor(std::uint32_t rrggbb);
  [[nodiscard]] bool SetMenu(bool menu);
  [[nodiscard]] bool Play();
  [[nodiscard]] bool Stop();
  bool IsPlaying();
  std::optional<QString> CallFunction(const QString& request);
  [[nodiscard]] bool Capture(QImage& picture);
  bool CapturesOnlyPaintedFrames() const { return host_ && host_->CapturesOnlyPaintedFrames(); }
  void SetFlashCallHandler(FlashHost::FlashCallHandler handler);

 private:
  std::unique_ptr<FlashHost> host_;
};

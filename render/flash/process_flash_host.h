#pragma once
// The real Flash host: movies play in the helper program flash-host (Ruffle inside Qt
// WebEngine, on the offscreen platform), one helper per host, over a private local
// socket. Every call waits for the helper's answer within a limit; a helper that does
// not answer in time, or goes away, leaves a host whose calls fail. A host that is
// closed hands its helper on to the next host, and a helper left unused for
// kFlashHelperIdleMs ends. Where Ruffle differs from the Shockwave Flash control:
// - Loop false ends the movie after its frames have played once (by its frame count
//   and rate); with Loop true the movie's timeline repeats by itself.
// - The background colour and the scale mode take effect at load: changing either
//   while a movie is open loads it again from the start.
// - Play after Stop goes on where the movie stood; there is no going to a frame.
// - FlashCall events carry the call; the movie's call gets no return value.
// GUI thread only.

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

#include "render/flash/flash_host.h"

class FlashHelper;

// How long a closed host's helper waits for the next host.
constexpr int kFlashHelperIdleMs = 10000;
// How long a movie may take to load before it counts as not playable.
constexpr int kFlashLoadLimitMs = 10000;

// The helper program and the folder of Ruffle's files.
struct FlashHelperFiles {
  QString program;
  QString ruffleDir;
};

// The helper and Ruffle in folder, when both are there.
std::optional<FlashHelperFiles> FlashHelperFilesIn(const QString& folder);

// Registers the factory of the real host when the helper and Ruffle are installed in
// folder (by default beside the running program); else the null host's. True when
// the real host was chosen. A helper that then fails to start makes a host whose
// Create fails, as the null host's does.
bool UseFlashPlayerIn(const QString& folder);
bool UseInstalledFlashPlayer();

class ProcessFlashHost final : public FlashHost {
 public:
  explicit ProcessFlashHost(FlashHelperFiles files);
  ~ProcessFlashHost() override;

  bool Create(const PixelRect& windowRect, QSize controlSize) override;
  bool SetMovie(const QString& path) override;
  bool SetLoop(bool loop) override;
  bool SetScaleMode(int mode) override;
  bool SetBackgroundColor(std::uint32_t rrggbb) override;
  bool SetMenu(bool menu) override;
  bool Play() override;
  bool Stop() override;
  bool IsPlaying() override;
  std::optional<QString> CallFunction(const QString& request) override;
  bool Capture(QImage& picture) override;
  // The helper answers a load only once the movie's first picture is in its window.
  bool CapturesOnlyPaintedFrames() const override { return true; }

 private:
  // Loads the movie with the settings as they stand.
  bool Load();

  FlashHelperFiles files_;
  std::unique_ptr<FlashHelper> helper_;
  QString movie_;
  bool loop_ = true;
  int scaleMode_ = 0;
  std::uint32_t background_ = 0xFFFFFFFF;  // the movie's own
  bool menu_ = true;
};

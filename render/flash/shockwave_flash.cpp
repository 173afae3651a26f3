#include "render/flash/shockwave_flash.h"

bool CShockwaveFlash::Create(const PixelRect& windowRect, QSize controlSize) {
  host_ = MakeFlashHost();
  if (!host_->Create(windowRect, controlSize)) host_.reset();
  return host_ != nullptr;
}

bool CShockwaveFlash::SetMovie(const QString& path) { return host_ && host_->SetMovie(path); }

bool CShockwaveFlash::SetLoop(bool loop) { return host_ && host_->SetLoop(loop); }

bool CShockwaveFlash::SetScaleMode(int mode) { return host_ && host_->SetScaleMode(mode); }

bool CShockwaveFlash::SetBackgroundColor(std::uint32_t rrggbb) {
  return host_ && host_->SetBackgroundColor(rrggbb);
}

bool CShockwaveFlash::SetMenu(bool menu) { return host_ && host_->SetMenu(menu); }

bool CShockwaveFlash::Play() { return host_ && host_->Play(); }

bool CShockwaveFlash::Stop() { return host_ && host_->Stop(); }

bool CShockwaveFlash::IsPlaying() { return host_ && host_->IsPlaying(); }

std::optional<QString> CShockwaveFlash::CallFunction(const QString& request) {
  if (!host_) return std::nullopt;
  return host_->CallFunction(request);
}

bool CShockwaveFlash::Capture(QImage& picture) { return host_ && host_->Capture(picture); }

void CShockwaveFlash::SetFlashCallHandler(FlashHost::FlashCallHandler handler) {
  if (host_) host_->SetFlashCallHandler(std::move(handler));
}

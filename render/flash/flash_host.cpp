#include "render/flash/flash_host.h"

namespace {

FlashHostFactory& RegisteredFactory() {
  static FlashHostFactory factory;
  return factory;
}

}  // namespace

void SetFlashHostFactory(FlashHostFactory factory) { RegisteredFactory() = std::move(factory); }

std::unique_ptr<FlashHost> MakeFlashHost() {
  std::unique_ptr<FlashHost> host;
  if (RegisteredFactory()) host = RegisteredFactory()();
  if (host == nullptr) host = std::make_unique<NullFlashHost>();
  return host;
}

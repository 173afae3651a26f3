#include "sdk/link/transport_settings.h"

#include <mutex>

namespace {
std::mutex settingsMutex;
TransportSettings settingsInForce;
}  // namespace

TransportSettings CurrentTransportSettings() {
  std::lock_guard lock(settingsMutex);
  return settingsInForce;
}

ScopedTransportSettings::ScopedTransportSettings(const TransportSettings& settings) {
  std::lock_guard lock(settingsMutex);
  previous_ = settingsInForce;
  settingsInForce = settings;
}

ScopedTransportSettings::~ScopedTransportSettings() {
  std::lock_guard lock(settingsMutex);
  settingsInForce = previous_;
}

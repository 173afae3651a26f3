#pragma once
// What the updater's tests share: a window that records progress, proxies cleared.

#include <cstdlib>
#include <vector>

#include "platform/message_window.h"
#include "updater/core/updater_messages.h"

namespace updatertest {

struct Progress {
  WPARAM bytes;
  LPARAM total;
};

// Records every UM_DOWNLOAD_PROGRESS it is posted.
class ProgressWindow : public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == UM_DOWNLOAD_PROGRESS) received.push_back({wParam, lParam});
    return 0;
  }
  std::vector<Progress> received;
};

// libcurl follows the proxy variables; the tests' servers are on loopback.
inline void ClearProxies() {
  for (const char* name : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY",
                           "no_proxy", "NO_PROXY"}) {
    unsetenv(name);
  }
}

}  // namespace updatertest

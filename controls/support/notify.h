#pragma once
// WM_NOTIFY and the header every notification record starts with: controls tell their
// owner about user actions with it, and the owner's reply can veto the action.

#include "platform/window_handle.h"

constexpr UINT WM_NOTIFY = 0x004E;  // wParam: the control id; lParam: an NMHDR*

struct NMHDR {
  HWND hwndFrom = nullptr;  // the sending control
  WPARAM idFrom = 0;        // its control id
  int code = 0;             // what happened; the controls' codes are negative
};

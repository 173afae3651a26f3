#pragma once
// The updater's own window messages.

#include "platform/window_handle.h"

constexpr UINT UM_EXTRACT_FILE = WM_USER + 1;        // lParam: path of an extracted file
constexpr UINT UM_DOWNLOAD_PROGRESS = WM_USER + 32;  // wParam bytes so far, lParam total
constexpr UINT UM_TRAY_NOTIFY = WM_USER + 35;

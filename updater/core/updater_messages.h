#pragma once
// The updater's own window messages.

#include "platform/window_handle.h"

constexpr UINT UM_EXTRACT_FILE = WM_USER + 1;        // lParam: path of an extracted file
constexpr UINT UM_DOWNLOAD_PROGRESS = WM_USER + 32;  // wParam bytes so far, lParam total
constexpr UINT UM_TRAY_NOTIFY = WM_USER + 35;        // lParam: what the tray icon saw

// The window's close box (and Esc), as the updater's window takes it.
constexpr UINT WM_CLOSE = 0x0010;

// UM_TRAY_NOTIFY's lParam: the mouse messages a tray icon reports.
constexpr LPARAM kTrayDoubleClick = 0x203;  // WM_LBUTTONDBLCLK
constexpr LPARAM kTrayContextMenu = 0x205;  // WM_RBUTTONUP

#pragma once
// The private window messages between the windows of the main program. Messages that
// carry a record pointer are sent, never posted, so the pointer stays valid during the
// call. The same number can mean different things to different receivers. The model
// sends one of its own, UM_SCREEN_ROOT (model/project/project_window.h).

#include "model/project/project_window.h"
#include "platform/window_handle.h"

constexpr UINT UM_RENAME_SCREEN_NODE = WM_USER + 101;   // wParam: screen record
constexpr UINT UM_CANVAS_COMMAND = WM_USER + 103;       // wParam operation, lParam argument
constexpr UINT UM_LOAD_SELECTION = WM_USER + 104;       // wParam 0 or 1
constexpr UINT UM_SCREEN_DELETED = WM_USER + 105;       // lParam: the screen's number
constexpr UINT UM_SCREEN_SIZE_CHANGED = WM_USER + 106;  // wParam width, lParam height
constexpr UINT UM_RERENDER_ITEM = WM_USER + 107;        // wParam 1: only when stale
constexpr UINT UM_RETEXT_SELECTED_NODE = WM_USER + 108;
constexpr UINT UM_CANVAS_RELOAD = WM_USER + 109;
constexpr UINT UM_CANVAS_ALIGN = WM_USER + 110;  // wParam: type 0-13
constexpr UINT UM_PANE_BACK = WM_USER + 111;     // wParam pane, lParam 0 or 1-3
constexpr UINT UM_PLAY_TOGGLE = WM_USER + 112;
constexpr UINT UM_SCREEN_TABS = WM_USER + 113;           // wParam 0 three tabs, 1 two
constexpr UINT UM_STATUS_CODE = WM_USER + 114;           // wParam code, lParam SDK result
constexpr UINT UM_SEND_PROGRESS = WM_USER + 115;         // wParam caller value, lParam %
constexpr UINT UM_SEND_RESULT = WM_USER + 116;           // wParam caller value, lParam result
constexpr UINT UM_BUILD_SCREEN_PROGRAM = WM_USER + 117;  // wParam: screen record
constexpr UINT UM_ADD_FOUND_SCREEN = WM_USER + 118;      // wParam: a found card's settings
constexpr UINT UM_STATUS_REFRESH = WM_USER + 119;
constexpr UINT UM_CANVAS_KEY = WM_USER + 120;       // wParam: key code
constexpr UINT UM_HAS_COPIED_ITEM = WM_USER + 121;  // answers 1 while a copy waits

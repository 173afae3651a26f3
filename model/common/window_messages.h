#pragma once
// The private window messages of the program. Messages that carry a record pointer
// are sent, never posted, so the pointer stays valid during the call. The same
// number can mean different things to different receivers.

#include "platform/window_handle.h"

// Inside the main program.
constexpr UINT UM_RENAME_SCREEN_NODE = WM_USER + 101;   // wParam: screen record
constexpr UINT UM_SCREEN_ROOT = WM_USER + 102;          // wParam 0 add/1 delete/2 select
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

// Between the main program and the updater, always posted.
constexpr UINT UM_CHECK_UPDATE = WM_USER + 33;     // main program -> updater
constexpr UINT UM_EXIT_FOR_UPDATE = WM_USER + 33;  // updater -> main program
constexpr UINT UM_QUIT_UPDATER = WM_USER + 36;     // main program -> updater

// Inside the updater.
constexpr UINT UM_EXTRACT_FILE = WM_USER + 1;        // lParam: path of an extracted file
constexpr UINT UM_DOWNLOAD_PROGRESS = WM_USER + 32;  // wParam bytes so far, lParam total
constexpr UINT UM_TRAY_NOTIFY = WM_USER + 35;

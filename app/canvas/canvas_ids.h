#pragma once
// The preview canvas's ids: the commands of its context menu and the cursors it shows
// over an area's handles and inside it.

#include "platform/window_handle.h"

// The context menu; the canvas passes each on to the project page as its copy, paste
// or delete.
constexpr UINT kCanvasMenuCopy = 10001;
constexpr UINT kCanvasMenuPaste = 10002;
constexpr UINT kCanvasMenuDelete = 10003;

// The cursors, by the system's cursor ids.
constexpr int kCursorArrow = 32512;
constexpr int kCursorNwse = 32642;
constexpr int kCursorNesw = 32643;
constexpr int kCursorWe = 32644;
constexpr int kCursorNs = 32645;
constexpr int kCursorMove = 32646;

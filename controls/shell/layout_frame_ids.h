#pragma once
// The layout frame's command ids (its toolbar's buttons, left to right) and its
// toolbar resource.

#include "platform/window_handle.h"

constexpr UINT ID_FRAME_ZOOM_IN = 32845;
constexpr UINT ID_FRAME_ZOOM_OUT = 32846;
// Align and size the selected area; the canvas gets UM_CANVAS_ALIGN.
constexpr UINT ID_FRAME_ALIGN_LEFT = 32847;
constexpr UINT ID_FRAME_ALIGN_RIGHT = 32848;
constexpr UINT ID_FRAME_ALIGN_TOP = 32849;
constexpr UINT ID_FRAME_ALIGN_BOTTOM = 32850;
constexpr UINT ID_FRAME_FULL_WIDTH = 32851;
constexpr UINT ID_FRAME_FULL_HEIGHT = 32852;
constexpr UINT ID_FRAME_FILL = 32853;  // fill inside the program's border
constexpr UINT ID_FRAME_PLAY = 32854;

// The toolbar resource.
constexpr int IDR_FRAME_TOOLBAR = 214;

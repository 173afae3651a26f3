#pragma once
// The system colours the controls paint with, by the Windows colour indexes their
// callers use. They come from the application palette, so a palette change is the
// system colour change; without a QGuiApplication the Windows defaults stand in.

#include "render/raster/color_ref.h"

enum SysColorIndex : int {
  COLOR_MENU = 4,
  COLOR_WINDOW = 5,
  COLOR_MENUTEXT = 7,
  COLOR_WINDOWTEXT = 8,
  COLOR_HIGHLIGHT = 13,
  COLOR_HIGHLIGHTTEXT = 14,
  COLOR_3DFACE = 15,     // also COLOR_BTNFACE
  COLOR_BTNSHADOW = 16,  // also COLOR_3DSHADOW
  COLOR_GRAYTEXT = 17,
  COLOR_BTNTEXT = 18,
  COLOR_3DHILIGHT = 20,
  COLOR_3DDKSHADOW = 21,
  COLOR_3DLIGHT = 22,
  COLOR_INFOTEXT = 23,
  COLOR_INFOBK = 24,
};

// The colour of an index above (palette role: Window, Base, WindowText, Text, Highlight,
// HighlightedText, Button, Dark, disabled Text, ButtonText, Light, Shadow, Midlight, ToolTipText,
// ToolTipBase); black for another index.
ColorRef SysColor(int index);

#pragma once
// The screen of a new project.

#include "model/project/project_records.h"

// A screen with the default settings: "LED1", number 1, 512 x 32 pixels of 16 x 2
// modules of 32 x 16, reached over the network at 192.168.1.100, scan mode 2003 with
// its routing value, data height and scan type, brightness 15, the three default
// schedule slots (all off), the boot logo at the right end (448, 0, 512, 32) and no
// logo entries and no programs.
ScreenRecord MakeDefaultScreen();

// Appends the default screen to ScreenList and sends UM_SCREEN_ROOT (wParam 0,
// lParam the new element) to the project window, which adds its tree item, selects
// it and adds a first program. Returns the new element. Without a project window the
// screen stays without a tree item, and a warning says so.
ScreenRecord& CreateDefaultScreen();

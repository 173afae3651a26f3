#pragma once
// The window that shows the project (the project page with its tree). The model
// tells it about new screens with messages; the main program registers it, tests
// register a recording window.

#include "platform/window_handle.h"

// Tells the project window about a screen: wParam 0 add, 1 delete, 2 select, 3 show
// its branch as the model holds it now (after an import) and select it; lParam the
// screen record (for 1 and 2 its index). Sent, never posted.
constexpr UINT UM_SCREEN_ROOT = WM_USER + 102;

// Registers the project window; null unregisters it.
void SetProjectWindow(HWND window);

// The registered project window, or null.
HWND ProjectWindow();

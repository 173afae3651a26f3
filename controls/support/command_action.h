#pragma once
// Menu and toolbar items are QActions that carry the command id of the window they
// serve. However an item is chosen (from a menu bar, a toolbar, a drop-down or a
// context menu), its command reaches that window one way: SendCommandOf, which sends
// WM_COMMAND with wParam the id and lParam 0.

#include <functional>

#include "platform/window_handle.h"

class QAction;

// Gives the action its command id; 0 takes it away (separators and popups have none).
void SetCommandId(QAction& action, UINT commandId);

// The command id the action carries; 0 for a null action or one without an id.
UINT CommandIdOf(const QAction* action);

// Sends WM_COMMAND (the action's command id, 0) to the window. False, with nothing
// sent, for an action without an id or a null window.
bool SendCommandOf(const QAction* action, HWND window);

// From now on each trigger of the action sends its command to the window that
// `window` names at that moment.
void RouteCommand(QAction& action, std::function<HWND()> window);

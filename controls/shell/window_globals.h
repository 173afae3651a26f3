#pragma once
// The windows of the main program that every pane and page reaches by handle, and the
// pane on show. Published by the main window as it creates them.

#include <QPointer>
#include <QWidget>

#include "controls/shell/pane_ids.h"
#include "platform/window_handle.h"

class CRichEditEx;
class QTreeWidget;

// The main window itself.
extern HWND MainWindowHandle;
// The project page (pane 0) and the task panes 1-10, by pane number.
extern HWND PaneWindows[kTaskPaneCount + 1];
// The preview frame, a top-level window of its own.
extern HWND PreviewFrameWindow;
// The preview canvas inside the frame.
extern HWND PreviewCanvasWindow;
// The area rectangle page of the project page, which the canvas loads.
extern HWND AreaPageWindow;
// The project page's tree, through which the canvas selects items.
extern QTreeWidget* ProjectTreeControl;
// The hidden rich-edit control the renderers lay text out with.
extern CRichEditEx* HiddenRichEdit;
// 0 while the project page shows, else the number of the task pane shown.
extern int CurrentPaneIndex;
// Non-zero while the preview plays the play list and the main window is hidden.
extern int PlayingFlag;
// What a running device call keeps disabled, so that nothing starts another call or
// replays the preview meanwhile: the main window's menu bar, its toolbar and the
// preview frame.
extern QPointer<QWidget> DeviceCallLockedWidgets[3];

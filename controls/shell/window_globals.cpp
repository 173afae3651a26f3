#include "controls/shell/window_globals.h"

HWND MainWindowHandle = nullptr;
HWND PaneWindows[kTaskPaneCount + 1] = {};
HWND PreviewFrameWindow = nullptr;
HWND PreviewCanvasWindow = nullptr;
HWND AreaPageWindow = nullptr;
QTreeWidget* ProjectTreeControl = nullptr;
CRichEditEx* HiddenRichEdit = nullptr;
int CurrentPaneIndex = 0;
int PlayingFlag = 0;
QPointer<QWidget> DeviceCallLockedWidgets[3];

#pragma once
// The panes of the main window by number: 0 is the project page, 1-10 the task panes
// that slide in over it (PaneWindows, CurrentPaneIndex, UM_PANE_BACK's wParam).

constexpr int kProjectPagePane = 0;
constexpr int kScreenParamPane = 1;
constexpr int kGuidePane = 2;
constexpr int kSendPane = 3;
constexpr int kSearchPane = 4;
constexpr int kUsbSendPane = 5;
constexpr int kAccessCodePane = 6;  // guards panes 1, 8 and 9
constexpr int kUsbImportPane = 7;
constexpr int kLogoPane = 8;  // edits the boot logo's area on the canvas in logo mode
constexpr int kLockerPane = 9;
constexpr int kFirmwarePane = 10;
constexpr int kTaskPaneCount = 10;

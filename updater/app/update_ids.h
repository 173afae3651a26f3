#pragma once
// The updater's windows, controls, menu and commands by number.

// The windows: the updater's dialog and the notice of a new version.
constexpr int IDD_UPDATE_DIALOG = 102;
constexpr int IDD_NOTICE_DIALOG = 130;
// The updater's icon, on its windows and in the tray.
constexpr int IDI_UPDATE = 128;
// The tray icon's menu and its one item, which shows the dialog.
constexpr int IDR_TRAY_MENU = 132;
constexpr unsigned ID_TRAY_SHOW = 32773;

// The dialog's buttons: the one that follows the state, and the two choices while the
// main program runs.
constexpr int IDC_UPGRADE = 1000;
constexpr int IDC_FORCE_CLOSE = 1001;
constexpr int IDC_CONFIRM_CLOSED = 1003;

// The notice's buttons and the answers of its run: OK, Cancel and the close box.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDC_NOTICE_CLOSE = 1004;

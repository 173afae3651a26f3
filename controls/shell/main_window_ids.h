#pragma once
// The main window's command ids (WM_COMMAND's whole wParam): its menu bar
// IDR_MENU_MAIN, its toolbar, the toolbar's drop-down menu, and the commands other
// windows send it; and the ids of its menu and toolbar resources.

#include "platform/window_handle.h"

// File.
constexpr UINT ID_FILE_NEW = 32800;
constexpr UINT ID_FILE_OPEN = 32805;
constexpr UINT ID_FILE_SAVE = 32806;
constexpr UINT ID_FILE_SAVE_AS = 32807;
constexpr UINT ID_FILE_EXIT = 32808;
// Settings: each opens the access-code pane first.
constexpr UINT ID_SETTINGS_SCREEN_PARAMS = 32957;
constexpr UINT ID_SETTINGS_BOOT_LOGO = 32993;
constexpr UINT ID_SETTINGS_ADMINISTRATOR = 32976;
// Commands to the current screen's card.
constexpr UINT ID_COMMANDS_BRIGHTNESS = 32974;
constexpr UINT ID_COMMANDS_ADJUST_TIME = 32978;
constexpr UINT ID_COMMANDS_SCREEN_ON = 32979;
constexpr UINT ID_COMMANDS_SCREEN_OFF = 32980;
constexpr UINT ID_COMMANDS_TIMED_ON_OFF = 32981;
constexpr UINT ID_COMMANDS_TEST = 32983;
constexpr UINT ID_COMMANDS_FIRMWARE = 33005;
// Tools.
constexpr UINT ID_TOOLS_USB_READ_BACK = 32968;
// Language: automatic, then the fixed languages 1-6.
constexpr UINT ID_LANGUAGE_AUTOMATIC = 32984;
constexpr UINT ID_LANGUAGE_CHINESE = 32985;
constexpr UINT ID_LANGUAGE_ENGLISH = 32986;
constexpr UINT ID_LANGUAGE_TRADITIONAL_CHINESE = 32987;
constexpr UINT ID_LANGUAGE_RUSSIAN = 33006;
constexpr UINT ID_LANGUAGE_TURKISH = 33011;
constexpr UINT ID_LANGUAGE_PERSIAN = 33013;
// Help.
constexpr UINT ID_HELP_TOPICS = 32989;
constexpr UINT ID_HELP_CHECK_UPDATE = 32990;
constexpr UINT ID_HELP_ABOUT = 32991;

// The toolbar's buttons, left to right.
constexpr UINT ID_TOOLBAR_EDIT = 32777;  // disabled from the start
constexpr UINT ID_TOOLBAR_SEARCH = 32796;
constexpr UINT ID_TOOLBAR_SEND_TO_SCREENS = 32795;  // with the drop-down menu
constexpr UINT ID_TOOLBAR_USB = 32794;              // also sent for a USB-disk screen's send
constexpr UINT ID_TOOLBAR_SEND = 32780;
// The items of the drop-down menu.
constexpr UINT ID_DROP_DOWN_1 = 32821;
constexpr UINT ID_DROP_DOWN_2 = 32822;
constexpr UINT ID_DROP_DOWN_3 = 32823;

// Starts or stops the preview's playing, as the layout frame's play button does.
constexpr UINT ID_PLAY_TOGGLE = 32797;

// Resources: the toolbar and the drop-down menu.
constexpr int IDR_MAIN_TOOLBAR = 131;
constexpr int IDR_DROP_DOWN_MENU = 181;

#pragma once
// The sections of the language files, one per dialog, menu or pane, each named by
// its resource name; PUBLIC holds the texts several windows share.

#include <QLatin1StringView>

namespace lang_section {

inline constexpr QLatin1StringView PUBLIC("PUBLIC");

// The main window, its menu bar and the project page with its menus.
inline constexpr QLatin1StringView IDD_QUENDRA_DIALOG("IDD_QUENDRA_DIALOG");
inline constexpr QLatin1StringView IDR_MENU_MAIN("IDR_MENU_MAIN");
inline constexpr QLatin1StringView IDD_MAIN_DIALOG("IDD_MAIN_DIALOG");
inline constexpr QLatin1StringView IDR_MENU_TREE("IDR_MENU_TREE");
inline constexpr QLatin1StringView IDR_MENU_ADDAREA("IDR_MENU_ADDAREA");
inline constexpr QLatin1StringView IDD_FRAME_DIALOG("IDD_FRAME_DIALOG");
inline constexpr QLatin1StringView IDD_ABOUT_DIALOG("IDD_ABOUT_DIALOG");

// The property pages.
inline constexpr QLatin1StringView IDD_AREASET_DIALOG("IDD_AREASET_DIALOG");
inline constexpr QLatin1StringView IDD_PROGRAM_DIALOG("IDD_PROGRAM_DIALOG");
inline constexpr QLatin1StringView IDD_BORDER_DIALOG("IDD_BORDER_DIALOG");
inline constexpr QLatin1StringView IDD_BACK_DIALOG("IDD_BACK_DIALOG");
inline constexpr QLatin1StringView IDD_IMAGEWORD_DIALOG("IDD_IMAGEWORD_DIALOG");
inline constexpr QLatin1StringView IDD_FLASHWORD_DIALOG("IDD_FLASHWORD_DIALOG");
inline constexpr QLatin1StringView IDD_FLASHWORDEDIT_DIALOG("IDD_FLASHWORDEDIT_DIALOG");
inline constexpr QLatin1StringView IDD_FILE_DIALOG("IDD_FILE_DIALOG");
inline constexpr QLatin1StringView IDD_LEDINFO_DIALOG("IDD_LEDINFO_DIALOG");

// The rich-text editor and its menu, whose Edit submenu the text pages share.
inline constexpr QLatin1StringView IDD_RTFEDIT_DIALOG("IDD_RTFEDIT_DIALOG");
inline constexpr QLatin1StringView IDR_MENU_RTFEDIT("IDR_MENU_RTFEDIT");
// The table editor and its new-table dialog.
inline constexpr QLatin1StringView IDD_GRIDEDIT_DIALOG("IDD_GRIDEDIT_DIALOG");
inline constexpr QLatin1StringView IDD_NEWGRID_DIALOG("IDD_NEWGRID_DIALOG");
inline constexpr QLatin1StringView IDD_DIGITALCLOCK_DIALOG("IDD_DIGITALCLOCK_DIALOG");
inline constexpr QLatin1StringView IDD_CLOCK_DIALOG("IDD_CLOCK_DIALOG");
inline constexpr QLatin1StringView IDD_TIME_DIALOG("IDD_TIME_DIALOG");

// The task panes 1-10 in pane order, and the dialogs of the send pane's groups.
inline constexpr QLatin1StringView IDD_SCREENPARAM_DIALOG("IDD_SCREENPARAM_DIALOG");
inline constexpr QLatin1StringView IDD_GUIDE_DIALOG("IDD_GUIDE_DIALOG");
inline constexpr QLatin1StringView IDD_SEND_DIALOG("IDD_SEND_DIALOG");
inline constexpr QLatin1StringView IDD_SEARCH_DIALOG("IDD_SEARCH_DIALOG");
inline constexpr QLatin1StringView IDD_LOCALIPSET_DIALOG("IDD_LOCALIPSET_DIALOG");
inline constexpr QLatin1StringView IDD_USBSEND_DIALOG("IDD_USBSEND_DIALOG");
inline constexpr QLatin1StringView IDD_LOCK_DIALOG("IDD_LOCK_DIALOG");
inline constexpr QLatin1StringView IDD_USBIMPORT_DIALOG("IDD_USBIMPORT_DIALOG");
inline constexpr QLatin1StringView IDD_LOGOSET_DIALOG("IDD_LOGOSET_DIALOG");
inline constexpr QLatin1StringView IDD_LEDLOCKER_DIALOG("IDD_LEDLOCKER_DIALOG");
inline constexpr QLatin1StringView IDD_UPDATECPU_DIALOG("IDD_UPDATECPU_DIALOG");
inline constexpr QLatin1StringView IDD_ADDGROUP_DIALOG("IDD_ADDGROUP_DIALOG");
inline constexpr QLatin1StringView IDD_GROUPSET_DIALOG("IDD_GROUPSET_DIALOG");
inline constexpr QLatin1StringView IDD_LEDSELECT_DIALOG("IDD_LEDSELECT_DIALOG");

// The updater's window, its notice and tray.
inline constexpr QLatin1StringView IDD_UPDATE_DIALOG("IDD_UPDATE_DIALOG");

// The screen parameters' pages.
inline constexpr QLatin1StringView IDD_COMMUNICATIONSET_DIALOG("IDD_COMMUNICATIONSET_DIALOG");
inline constexpr QLatin1StringView IDD_BASICSET_DIALOG("IDD_BASICSET_DIALOG");
inline constexpr QLatin1StringView IDD_SCANSET_DIALOG("IDD_SCANSET_DIALOG");
inline constexpr QLatin1StringView IDD_ADVANCEDSET_DIALOG("IDD_ADVANCEDSET_DIALOG");
// The card communication dialog of a found card.
inline constexpr QLatin1StringView IDD_LEDCOMMUNICATIONPARAMSET_DIALOG(
    "IDD_LEDCOMMUNICATIONPARAMSET_DIALOG");

// The brightness dialog, whose name the USB export's brightness label takes.
inline constexpr QLatin1StringView IDD_BRIGHTNESS_DIALOG("IDD_BRIGHTNESS_DIALOG");
// The device command dialogs of the current screen.
inline constexpr QLatin1StringView IDD_TIMEBRIGHTNESSSET_DIALOG("IDD_TIMEBRIGHTNESSSET_DIALOG");
inline constexpr QLatin1StringView IDD_TIMEONOFF_DIALOG("IDD_TIMEONOFF_DIALOG");
inline constexpr QLatin1StringView IDD_TEST_DIALOG("IDD_TEST_DIALOG");

}  // namespace lang_section

#pragma once
// The send pane's control ids.

// The screen groups on the left, with their label and buttons.
constexpr int IDC_SEND_GROUP_LIST = 1097;
constexpr int IDC_SEND_GROUP_LABEL = 1527;
constexpr int IDC_SEND_ADD_GROUP = 1098;
constexpr int IDC_SEND_EDIT_GROUPS = 1099;
constexpr int IDC_SEND_DELETE_GROUP = 1100;
constexpr int IDC_SEND_SHARE_PROGRAMS = 1262;

// The screens on the right, the links that check or uncheck them all, and the
// commands to the checked screens.
constexpr int IDC_SEND_SCREEN_LIST = 1095;
constexpr int IDC_SEND_SELECT_ALL = 1351;
constexpr int IDC_SEND_SELECT_NONE = 1352;
constexpr int IDC_SEND_PROGRAMS = 1101;
constexpr int IDC_SEND_BRIGHTNESS = 1006;
constexpr int IDC_SEND_ADJUST_TIME = 1007;
constexpr int IDC_SEND_SCREEN_ON = 1261;
constexpr int IDC_SEND_SCREEN_OFF = 1009;
constexpr int IDC_SEND_TIMED_ON_OFF = 1010;
constexpr int IDC_SEND_FIRMWARE = 1013;
constexpr int IDC_SEND_READ_SETTINGS = 1011;
constexpr int IDC_SEND_RESTART_CARDS = 1012;

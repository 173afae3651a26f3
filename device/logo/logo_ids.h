#pragma once
// Control ids of the boot-logo pane (task pane 8).

constexpr int IDC_LOGO_X = 1386;
constexpr int IDC_LOGO_Y = 1388;
constexpr int IDC_LOGO_WIDTH = 1390;
constexpr int IDC_LOGO_HEIGHT = 1392;
constexpr int IDC_LOGO_X_SPIN = 1081;
constexpr int IDC_LOGO_Y_SPIN = 1082;
constexpr int IDC_LOGO_WIDTH_SPIN = 1083;
constexpr int IDC_LOGO_HEIGHT_SPIN = 1084;
constexpr int IDC_LOGO_X_LABEL = 1385;
constexpr int IDC_LOGO_Y_LABEL = 1387;
constexpr int IDC_LOGO_WIDTH_LABEL = 1389;
constexpr int IDC_LOGO_HEIGHT_LABEL = 1391;
constexpr int IDC_LOGO_LIST_LABEL = 1393;
constexpr int IDC_LOGO_LIST = 1063;
constexpr int IDC_LOGO_ADD_PICTURES = 1394;
constexpr int IDC_LOGO_ADD_TEXT = 1395;
constexpr int IDC_LOGO_DELETE = 1003;
constexpr int IDC_LOGO_STAY_LABEL = 1567;
constexpr int IDC_LOGO_STAY = 1568;
constexpr int IDC_LOGO_STAY_SPIN = 1569;
constexpr int IDC_LOGO_AT_START = 1096;
constexpr int IDC_LOGO_NO_PROGRAM = 1097;
constexpr int IDC_LOGO_DRIVE_LABEL = 1571;
constexpr int IDC_LOGO_DRIVES = 1570;
constexpr int IDC_LOGO_USB_WARNING = 1572;
constexpr int IDC_LOGO_SET = 1396;

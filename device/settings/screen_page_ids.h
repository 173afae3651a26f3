#pragma once
// The control ids of the basic and scan pages of the screen-parameter pane.

// Basic page.
constexpr int IDC_BASIC_NAME = 1148;
constexpr int IDC_BASIC_CARD_NUMBER = 1149;
constexpr int IDC_BASIC_COLOR = 1150;
constexpr int IDC_BASIC_REGULAR = 1173;
constexpr int IDC_BASIC_CUSTOM = 1174;
constexpr int IDC_BASIC_REGULAR_LIST = 1151;
constexpr int IDC_BASIC_CUSTOM_LIST = 1152;
constexpr int IDC_BASIC_WIDTH_COUNT = 1153;
constexpr int IDC_BASIC_HEIGHT_COUNT = 1154;
constexpr int IDC_BASIC_WIDTH_COUNT_SPIN = 1175;
constexpr int IDC_BASIC_HEIGHT_COUNT_SPIN = 1176;
constexpr int IDC_BASIC_WIDTH_DOTS = 1084;
constexpr int IDC_BASIC_HEIGHT_DOTS = 1086;
constexpr int IDC_BASIC_WIDTH_DOTS_SPIN = 1177;
constexpr int IDC_BASIC_HEIGHT_DOTS_SPIN = 1178;
constexpr int IDC_BASIC_MODULE_TOTAL = 1088;
constexpr int IDC_BASIC_DOT_TOTAL = 1089;
constexpr int IDC_BASIC_MODULE_MAX = 1090;  // never filled: shows 0
constexpr int IDC_BASIC_DOT_MAX = 1091;     // never filled: shows 0
constexpr int IDC_BASIC_OE = 1055;
constexpr int IDC_BASIC_DA = 1056;
constexpr int IDC_BASIC_READ_BACK = 1155;
constexpr int IDC_BASIC_SET = 1156;

// Scan page: the group radios 1179-1181 and 1051-1055 in group order.
constexpr int IDC_SCAN_GROUPS[] = {1179, 1180, 1181, 1051, 1052, 1053, 1054, 1055};
constexpr int IDC_SCAN_LIST = 1132;
constexpr int IDC_SCAN_ROW_ORDER = 1039;
constexpr int IDC_SCAN_COLOR_ORDER = 1040;
constexpr int IDC_SCAN_SEND = 1317;

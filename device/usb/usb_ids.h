#pragma once
// The USB panes' control ids: the export pane (task pane 5) and the import pane
// (task pane 7).

// The export pane.
constexpr int IDC_USB_SEND_BACK = 1267;
constexpr int IDC_USB_SEND_SCREENS = 1268;
constexpr int IDC_USB_SEND_BRIGHTNESS_BAR = 1269;
constexpr int IDC_USB_SEND_DRIVES = 1270;
constexpr int IDC_USB_SEND_EXPORT = 1302;
constexpr int IDC_USB_SEND_REFRESH = 1303;
constexpr int IDC_USB_SEND_OE = 1304;
constexpr int IDC_USB_SEND_DA = 1305;
constexpr int IDC_USB_SEND_COLOR = 1306;
constexpr int IDC_USB_SEND_HEIGHT = 1307;
constexpr int IDC_USB_SEND_WIDTH = 1308;
constexpr int IDC_USB_SEND_CARD_NUMBER = 1309;
constexpr int IDC_USB_SEND_CARD_MODEL = 1310;
constexpr int IDC_USB_SEND_SCAN_TYPE = 1311;
constexpr int IDC_USB_SEND_ADJUST_TIME = 1321;
constexpr int IDC_USB_SEND_DATE = 1322;
constexpr int IDC_USB_SEND_TIME = 1323;
constexpr int IDC_USB_SEND_BRIGHTNESS = 1436;
constexpr int IDC_USB_SEND_SCREEN_LABEL = 1555;
constexpr int IDC_USB_SEND_PARAMS_LABEL = 1556;
constexpr int IDC_USB_SEND_CARD_MODEL_LABEL = 1557;
constexpr int IDC_USB_SEND_CARD_NUMBER_LABEL = 1558;
constexpr int IDC_USB_SEND_WIDTH_LABEL = 1559;
constexpr int IDC_USB_SEND_HEIGHT_LABEL = 1560;
constexpr int IDC_USB_SEND_COLOR_LABEL = 1561;
constexpr int IDC_USB_SEND_DA_LABEL = 1562;
constexpr int IDC_USB_SEND_OE_LABEL = 1563;
constexpr int IDC_USB_SEND_SCAN_TYPE_LABEL = 1564;
constexpr int IDC_USB_SEND_BRIGHTNESS_LABEL = 1565;
constexpr int IDC_USB_SEND_DRIVE_LABEL = 1566;

// The import pane.
constexpr int IDC_USB_IMPORT_TO_CURRENT = 1003;
constexpr int IDC_USB_IMPORT_BACK = 1296;
constexpr int IDC_USB_IMPORT_REFRESH = 1297;
constexpr int IDC_USB_IMPORT_DRIVES = 1300;
constexpr int IDC_USB_IMPORT_READ = 1375;
constexpr int IDC_USB_IMPORT_CARD_MODEL = 1376;
constexpr int IDC_USB_IMPORT_CARD_NUMBER = 1377;
constexpr int IDC_USB_IMPORT_WIDTH = 1378;
constexpr int IDC_USB_IMPORT_HEIGHT = 1379;
constexpr int IDC_USB_IMPORT_COLOR = 1380;
constexpr int IDC_USB_IMPORT_OE = 1381;
constexpr int IDC_USB_IMPORT_DA = 1382;
constexpr int IDC_USB_IMPORT_SCAN_TYPE = 1383;
constexpr int IDC_USB_IMPORT_AS_NEW = 1384;
constexpr int IDC_USB_IMPORT_DRIVE_LABEL = 1545;
constexpr int IDC_USB_IMPORT_PARAMS_LABEL = 1546;
constexpr int IDC_USB_IMPORT_SCAN_TYPE_LABEL = 1547;
constexpr int IDC_USB_IMPORT_CARD_MODEL_LABEL = 1548;
constexpr int IDC_USB_IMPORT_CARD_NUMBER_LABEL = 1549;
constexpr int IDC_USB_IMPORT_WIDTH_LABEL = 1550;
constexpr int IDC_USB_IMPORT_HEIGHT_LABEL = 1551;
constexpr int IDC_USB_IMPORT_COLOR_LABEL = 1552;
constexpr int IDC_USB_IMPORT_OE_LABEL = 1553;
constexpr int IDC_USB_IMPORT_DA_LABEL = 1554;

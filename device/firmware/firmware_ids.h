#pragma once
// Control ids of the firmware pane (task pane 10) and the firmware file chooser.

// The pane.
constexpr int IDC_FIRMWARE_PATH_LABEL = 1404;
constexpr int IDC_FIRMWARE_PATH = 1405;
constexpr int IDC_FIRMWARE_BROWSE = 1406;
constexpr int IDC_FIRMWARE_MODEL_LABEL = 1407;
constexpr int IDC_FIRMWARE_MODEL = 1408;
constexpr int IDC_FIRMWARE_DRIVE_LABEL = 1409;
constexpr int IDC_FIRMWARE_DRIVES = 1410;
constexpr int IDC_FIRMWARE_REFRESH = 1411;
constexpr int IDC_FIRMWARE_UPDATE = 1412;
constexpr int IDC_FIRMWARE_BACK = 1413;

// The chooser.
constexpr int IDC_CHOOSER_MODEL = 1080;
constexpr int IDC_CHOOSER_CANCEL = 1347;
constexpr int IDC_CHOOSER_OK = 1348;
constexpr int IDC_CHOOSER_PATH = 1349;
constexpr int IDC_CHOOSER_BROWSE = 1350;
constexpr int IDC_CHOOSER_PATH_LABEL = 1543;
constexpr int IDC_CHOOSER_MODEL_LABEL = 1544;

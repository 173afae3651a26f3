#pragma once
// Control ids of the device command dialogs the main window opens for the current
// screen: brightness, timed power and the test patterns.

// CTimeBrightnessSetDialog.
constexpr int IDC_BRIGHTNESS_BY_TIME = 1414;
constexpr int IDC_BRIGHTNESS_MANUAL = 1415;
constexpr int IDC_BRIGHTNESS_LEVEL = 1433;
constexpr int IDC_BRIGHTNESS_SEND = 1434;
constexpr int IDC_BRIGHTNESS_CANCEL_SCHEDULE = 1435;
// Per slot: the check, the start and end pickers, the level list.
constexpr int IDC_BRIGHTNESS_SLOT_CHECK[] = {1419, 1425, 1429};
constexpr int IDC_BRIGHTNESS_SLOT_START[] = {1420, 1426, 1430};
constexpr int IDC_BRIGHTNESS_SLOT_END[] = {1421, 1427, 1431};
constexpr int IDC_BRIGHTNESS_SLOT_LEVEL[] = {1422, 1428, 1432};

// CTimeOnOffDialog.
constexpr int IDC_POWER_SEND = 1346;
constexpr int IDC_POWER_SCHEDULE_OFF = 1334;
constexpr int IDC_POWER_SCHEDULE_ON = 1335;
constexpr int IDC_POWER_SLOT_CHECK[] = {1336, 1337, 1338};
constexpr int IDC_POWER_SLOT_ON[] = {1339, 1341, 1343};
constexpr int IDC_POWER_SLOT_OFF[] = {1340, 1342, 1344};

// CTestDialog: the pattern buttons, in the order of their patterns' table.
constexpr int IDC_TEST_FIRST_PATTERN = 1333;
constexpr int kTestPatternButtons = 8;

#pragma once
// The screen-parameter pane's control ids.

constexpr int IDC_SCREEN_TABS = 1062;
constexpr int IDC_SCREEN_LIST = 1133;
constexpr int IDC_SCREEN_BACK = 1264;
constexpr int IDC_ADD_SCREEN = 1134;
constexpr int IDC_DELETE_SCREEN = 1135;
constexpr int IDC_REFRESH_SCREENS = 1136;  // no action

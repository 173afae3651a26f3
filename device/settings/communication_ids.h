#pragma once
// The control ids of the communication page of the screen-parameter pane.

constexpr int IDC_LINK_MODE = 1066;
constexpr int IDC_LINK_FIXED_IP = 1318;
constexpr int IDC_LINK_DIRECT = 1319;
constexpr int IDC_LINK_IP = 1164;
constexpr int IDC_LINK_PORT = 1167;
constexpr int IDC_LINK_BAUD = 1169;
constexpr int IDC_LINK_RESULTS = 1067;
constexpr int IDC_LINK_SEARCH = 1170;
constexpr int IDC_LINK_MODIFY = 1171;
constexpr int IDC_LINK_ADD = 1172;
constexpr int IDC_LINK_TEST = 1437;
constexpr int IDC_LINK_DIRECT_TEXT = 1320;

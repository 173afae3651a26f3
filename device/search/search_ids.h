#pragma once
// The control ids of the search pane (task pane 4) and the local address dialog.

// The search pane.
constexpr int IDC_SEARCH_LOCAL_ADDRESS = 1005;
constexpr int IDC_SEARCH_RESULTS = 1063;
constexpr int IDC_SEARCH_START = 1194;
constexpr int IDC_SEARCH_BACK = 1266;
constexpr int IDC_SEARCH_MODIFY = 1332;

// The local address dialog: the entries, the chosen entry's values and the labels.
constexpr int IDC_LOCAL_ADDRESS_LIST = 1510;
constexpr int IDC_LOCAL_ADDRESS_IP = 1511;
constexpr int IDC_LOCAL_ADDRESS_MASK = 1512;
constexpr int IDC_LOCAL_ADDRESS_GATEWAY = 1513;
constexpr int IDC_LOCAL_ADDRESS_HARDWARE = 1514;
constexpr int IDC_LOCAL_ADDRESS_LIST_LABEL = 1515;
constexpr int IDC_LOCAL_ADDRESS_HARDWARE_LABEL = 1516;
constexpr int IDC_LOCAL_ADDRESS_IP_LABEL = 1517;
constexpr int IDC_LOCAL_ADDRESS_MASK_LABEL = 1518;
constexpr int IDC_LOCAL_ADDRESS_GATEWAY_LABEL = 1519;
